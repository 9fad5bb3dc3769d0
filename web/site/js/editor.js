// The program editor: a text area in a fixed-pitch font with tab stops every two characters, no
// wrapping, and a Tab key that inserts a tab. Positions that the module gives and asks for count a
// line break as two characters, as the program file does. The selection stays visible while the
// editor has no focus or is locked by a run: it is drawn as a light ground under the text, the
// statement that runs and the faulty line alike.

export class Editor {
  constructor(layout, initialText, onChange) {
    this.element = document.createElement('div');
    this.element.className = 'editor';
    this.marks = document.createElement('div');
    this.marks.className = 'editor-marks';
    this.marks.setAttribute('aria-hidden', 'true');
    this.area = document.createElement('textarea');
    this.area.className = 'editor-text';
    this.area.wrap = 'off';
    this.area.spellcheck = false;
    this.area.setAttribute('autocomplete', 'off');
    this.area.setAttribute('autocapitalize', 'off');
    this.area.setAttribute('aria-label', layout.names.editor);
    this.area.value = initialText;
    this.element.append(this.marks, this.area);

    this.lineStarts = null; // where each line begins in the text, found again after a change
    this.pending = null; // a selection from the module not yet shown on the screen
    this.focused = false;

    this.area.addEventListener('input', () => {
      this.lineStarts = null;
      onChange();
      this.showMarks();
    });
    this.area.addEventListener('keydown', (event) => {
      if (event.key !== 'Tab' || event.shiftKey || event.ctrlKey || event.altKey || event.metaKey) return;
      event.preventDefault();
      // Inserted as typed text, so that it can be undone and is reported as a change.
      if (!document.execCommand('insertText', false, '\t')) this.insertTab();
    });
    this.area.addEventListener('scroll', () => this.showMarks());
    this.area.addEventListener('focus', () => {
      this.focused = true;
      this.showMarks();
    });
    this.area.addEventListener('blur', () => {
      this.focused = false;
      this.showMarks();
    });
    for (const type of ['select', 'mouseup', 'keyup']) this.area.addEventListener(type, () => this.showMarks());
    document.addEventListener('selectionchange', () => {
      if (document.activeElement === this.area) this.showMarks();
    });
  }

  insertTab() {
    this.area.setRangeText('\t', this.area.selectionStart, this.area.selectionEnd, 'end');
    this.area.dispatchEvent(new Event('input'));
  }

  text() {
    return this.area.value;
  }

  setText(text) {
    this.area.value = text;
    this.lineStarts = null;
    this.pending = null;
    this.area.setSelectionRange(0, 0);
    this.area.scrollTop = 0;
    this.area.scrollLeft = 0;
    this.showMarks();
  }

  // Appends a whole line with its own line break; the caret and the view stay where they are.
  appendLine(line) {
    const text = this.area.value;
    const { selectionStart, selectionEnd, scrollTop, scrollLeft } = this.area;
    const opening = text !== '' && !text.endsWith('\n') ? '\n' : '';
    this.area.value = text + opening + line + '\n';
    this.area.setSelectionRange(selectionStart, selectionEnd);
    this.area.scrollTop = scrollTop;
    this.area.scrollLeft = scrollLeft;
    this.lineStarts = null;
    this.showMarks();
  }

  starts() {
    if (!this.lineStarts) {
      const text = this.area.value;
      const starts = [0];
      for (let at = text.indexOf('\n'); at >= 0; at = text.indexOf('\n', at + 1)) starts.push(at + 1);
      this.lineStarts = starts;
    }
    return this.lineStarts;
  }

  // The line that holds an index of the text.
  lineOf(index) {
    const starts = this.starts();
    let low = 0;
    let high = starts.length - 1;
    while (low < high) {
      const middle = (low + high + 1) >> 1;
      if (starts[middle] <= index) low = middle;
      else high = middle - 1;
    }
    return low;
  }

  // A position that counts line breaks as two characters, as an index of the text, and back.
  indexOf(position) {
    const starts = this.starts();
    let low = 0;
    let high = starts.length - 1;
    while (low < high) {
      const middle = (low + high + 1) >> 1;
      if (starts[middle] + middle <= position) low = middle;
      else high = middle - 1;
    }
    const lineEnd = low + 1 < starts.length ? starts[low + 1] - 1 : this.area.value.length;
    // A position inside a two-character line break falls on the end of its line.
    return Math.max(0, Math.min(position - low, lineEnd));
  }

  positionOf(index) {
    return index + this.lineOf(index);
  }

  // Selects from a position, for a number of positions; shown at the next frame, as a run's
  // statements follow each other faster than the screen shows them.
  select(start, length) {
    if (!this.pending) requestAnimationFrame(() => this.applySelection());
    this.pending = { start, length };
  }

  selStart() {
    if (this.pending) return this.pending.start;
    return this.positionOf(this.area.selectionStart);
  }

  applySelection() {
    if (!this.pending) return;
    const { start, length } = this.pending;
    this.pending = null;
    const from = this.indexOf(start);
    const to = this.indexOf(start + length);
    this.area.setSelectionRange(from, Math.max(from, to));
    this.scrollIntoView(from, to);
    this.showMarks();
  }

  metrics() {
    if (!this.measure) {
      const style = getComputedStyle(this.area);
      const probe = document.createElement('canvas').getContext('2d');
      probe.font = `${style.fontSize} ${style.fontFamily}`;
      this.measure = {
        character: probe.measureText('0').width,
        line: parseFloat(style.lineHeight),
        left: parseFloat(style.paddingLeft),
        top: parseFloat(style.paddingTop),
      };
    }
    return this.measure;
  }

  // The column where an index of a line stands on the screen, tabs stopping every two columns.
  column(lineStart, index) {
    const text = this.area.value;
    let column = 0;
    for (let i = lineStart; i < index; ++i) column = text[i] === '\t' ? column + 2 - (column % 2) : column + 1;
    return column;
  }

  // Scrolls as little as shows the selection's start, as the desktop editor shows its caret.
  scrollIntoView(from) {
    const m = this.metrics();
    const line = this.lineOf(from);
    const top = m.top + line * m.line;
    const area = this.area;
    if (top < area.scrollTop) area.scrollTop = top - m.top;
    else if (top + m.line > area.scrollTop + area.clientHeight) area.scrollTop = top + m.line - area.clientHeight;
    const x = m.left + this.column(this.starts()[line], from) * m.character;
    if (x < area.scrollLeft) area.scrollLeft = Math.max(0, x - m.left);
    else if (x + m.character > area.scrollLeft + area.clientWidth) area.scrollLeft = x + m.character - area.clientWidth;
  }

  // The light ground under the selected text, line by line, where the text area shows no selection
  // of its own: without the focus, or locked.
  showMarks() {
    this.marks.replaceChildren();
    const area = this.area;
    const from = area.selectionStart;
    const to = area.selectionEnd;
    if (from === to || (this.focused && !area.disabled)) return;
    const m = this.metrics();
    const starts = this.starts();
    const first = this.lineOf(from);
    const last = this.lineOf(to);
    const visibleFirst = Math.max(first, Math.floor(area.scrollTop / m.line) - 1);
    const visibleLast = Math.min(last, Math.ceil((area.scrollTop + area.clientHeight) / m.line) + 1);
    for (let line = visibleFirst; line <= visibleLast; ++line) {
      const lineStart = starts[line];
      const lineEnd = line + 1 < starts.length ? starts[line + 1] - 1 : area.value.length;
      const left = this.column(lineStart, Math.max(from, lineStart)) * m.character;
      let right = this.column(lineStart, Math.min(to, lineEnd)) * m.character;
      // A selection that goes on to the next line reaches a little past the end of this one.
      if (to > lineEnd) right += m.line / 4;
      const mark = document.createElement('div');
      mark.style.left = `${m.left + left - area.scrollLeft}px`;
      mark.style.top = `${m.top + line * m.line - area.scrollTop}px`;
      mark.style.width = `${right - left}px`;
      mark.style.height = `${m.line}px`;
      this.marks.append(mark);
    }
  }

  setEnabled(enabled) {
    this.area.disabled = !enabled;
    this.showMarks();
  }
}
