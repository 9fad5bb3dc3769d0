// The modal boxes and the files: messages with OK, questions with Ja and Nein, the browser's file
// picker for opening, a small dialog that asks for the name of a file to save, and downloads.
// Each box is a modal <dialog>: the page behind it takes no input until it is answered.

// A button's caption with its "&" letter underlined; the letter with Alt chooses the button.
function caption(button, text) {
  const at = text.indexOf('&');
  if (at < 0 || at + 1 >= text.length) {
    button.textContent = text;
    return null;
  }
  const letter = document.createElement('u');
  letter.textContent = text[at + 1];
  button.replaceChildren(text.slice(0, at), letter, text.slice(at + 2));
  return text[at + 1].toLowerCase();
}

export function makeBox(kind, title) {
  const box = document.createElement('dialog');
  box.className = `box box-${kind}`;
  const heading = document.createElement('div');
  heading.className = 'box-title';
  heading.textContent = title;
  heading.id = `box-title-${Math.random().toString(36).slice(2)}`;
  box.setAttribute('aria-labelledby', heading.id);
  const body = document.createElement('div');
  body.className = 'box-body';
  const buttons = document.createElement('div');
  buttons.className = 'box-buttons';
  box.append(heading, body, buttons);
  return { box, body, buttons };
}

export function addButton(row, text) {
  const button = document.createElement('button');
  button.type = 'button';
  const letter = caption(button, text);
  row.append(button);
  return { button, letter };
}

export class Dialogs {
  constructor(layout, host) {
    this.texts = layout.dialogs;
    this.largestFile = layout.largestFile;
    this.host = host;
    this.open = 0;
  }

  // Whether a box is open: the page behind it takes no keys.
  isOpen() {
    return this.open > 0;
  }

  // Shows a box and resolves with what closed it.
  show(box, settle) {
    return new Promise((resolve) => {
      ++this.open;
      this.host.append(box);
      const done = (answer) => {
        if (!box.isConnected) return;
        box.close();
        box.remove();
        --this.open;
        resolve(answer);
      };
      settle(done);
      box.showModal();
    });
  }

  textBody(body, icon, text) {
    if (icon) {
      const sign = document.createElement('div');
      sign.className = `box-icon box-icon-${icon}`;
      sign.setAttribute('aria-hidden', 'true');
      body.append(sign);
    }
    const words = document.createElement('p');
    words.textContent = text;
    body.append(words);
  }

  // A plain message ("message") or a file's problem ("error") with one OK button.
  message(kind, text) {
    const error = kind === 'error';
    const { box, body, buttons } = makeBox(kind, error ? this.texts.error : this.texts.message);
    this.textBody(body, error ? 'error' : null, text);
    const ok = addButton(buttons, 'OK').button;
    return this.show(box, (done) => {
      ok.addEventListener('click', () => done());
      box.addEventListener('cancel', (event) => {
        event.preventDefault();
        done();
      });
      queueMicrotask(() => ok.focus());
    });
  }

  // A warning with Ja and Nein; true only for Ja. Enter chooses Ja, Escape Nein.
  question(text) {
    const { box, body, buttons } = makeBox('question', this.texts.question);
    this.textBody(body, 'warning', text);
    const yes = addButton(buttons, this.texts.yes);
    const no = addButton(buttons, this.texts.no);
    return this.show(box, (done) => {
      yes.button.addEventListener('click', () => done(true));
      no.button.addEventListener('click', () => done(false));
      box.addEventListener('cancel', (event) => {
        event.preventDefault();
        done(false);
      });
      box.addEventListener('keydown', (event) => {
        if (!event.altKey || event.ctrlKey || event.metaKey) return;
        const key = event.key.toLowerCase();
        if (key === yes.letter) done(true);
        else if (key === no.letter) done(false);
        else return;
        event.preventDefault();
      });
      queueMicrotask(() => yes.button.focus());
    });
  }

  // A file to open (its name, its bytes, the filter it matches) or a name to save under (with the
  // filter chosen); null when the pupil cancelled.
  chooseFile(dialog) {
    return dialog.save ? this.saveDialog(dialog) : this.pickFile(dialog);
  }

  pickFile(dialog) {
    return new Promise((resolve) => {
      const input = document.createElement('input');
      input.type = 'file';
      input.accept = dialog.filters.map((filter) => filter.pattern.replace(/^\*/, '')).join(',');
      input.hidden = true;
      let settled = false;
      const settle = (answer) => {
        if (settled) return;
        settled = true;
        input.remove();
        resolve(answer);
      };
      input.addEventListener('cancel', () => settle(null));
      input.addEventListener('change', async () => {
        const file = input.files && input.files[0];
        if (!file) return settle(null);
        // A file larger than the largest the program reads is refused by the module anyway; one
        // byte more than that is enough for it to say so.
        const part = file.size > this.largestFile ? file.slice(0, this.largestFile + 1) : file;
        const bytes = new Uint8Array(await part.arrayBuffer());
        const name = file.name.toLowerCase();
        let filter = dialog.filters.findIndex((f) => name.endsWith(f.pattern.replace(/^\*/, '').toLowerCase()));
        if (filter < 0) filter = dialog.selected;
        settle({ name: file.name, bytes, filter });
      });
      this.host.append(input);
      input.click();
    });
  }

  // The name to save under: the preset file's name, its type from the filter list.
  saveDialog(dialog) {
    const { box, body, buttons } = makeBox('save', dialog.title);
    const form = document.createElement('form');
    form.method = 'dialog';
    const nameLabel = document.createElement('label');
    nameLabel.textContent = 'Dateiname:';
    const name = document.createElement('input');
    name.type = 'text';
    name.value = dialog.preset.split('/').pop();
    name.spellcheck = false;
    nameLabel.append(name);
    const typeLabel = document.createElement('label');
    typeLabel.textContent = 'Dateityp:';
    const type = document.createElement('select');
    dialog.filters.forEach((filter, i) => type.append(new Option(`${filter.label} (${filter.pattern})`, String(i))));
    type.value = String(Math.max(0, Math.min(dialog.selected, dialog.filters.length - 1)));
    typeLabel.append(type);
    form.append(nameLabel, typeLabel);
    body.append(form);
    const save = addButton(buttons, 'Speichern').button;
    const cancel = addButton(buttons, 'Abbrechen').button;
    return this.show(box, (done) => {
      const confirm = () => {
        const chosen = name.value.trim();
        if (chosen === '') return name.focus();
        done({ name: chosen, filter: Number(type.value) });
      };
      save.addEventListener('click', confirm);
      form.addEventListener('submit', (event) => {
        event.preventDefault();
        confirm();
      });
      cancel.addEventListener('click', () => done(null));
      box.addEventListener('cancel', (event) => {
        event.preventDefault();
        done(null);
      });
      queueMicrotask(() => {
        name.focus();
        const dot = name.value.lastIndexOf('.');
        name.setSelectionRange(0, dot > 0 ? dot : name.value.length);
      });
    });
  }

  // Saves bytes as a download under the file's name.
  download(name, bytes) {
    const url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    const link = document.createElement('a');
    link.href = url;
    link.download = name;
    link.hidden = true;
    this.host.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }
}
