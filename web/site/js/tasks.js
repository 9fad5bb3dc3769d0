// The task dialog: the collection's tasks by number and title, the chosen task's text with its
// pictures, and a button for each of its start worlds. The module gives the tasks with their texts
// as HTML it has escaped; a world button closes the dialog and hands the choice to the session,
// which loads the world as "Welt laden" does, question included.
import { addButton, makeBox } from './dialogs.js';

export class TaskDialog {
  // tasks: the module's task collection; load(task, world) hands a start world to the session.
  constructor(tasks, dialogs, load) {
    this.tasks = tasks;
    this.dialogs = dialogs;
    this.load = load;
    this.chosen = 0;
  }

  get caption() {
    return this.tasks.caption;
  }

  get empty() {
    return this.tasks.list.length === 0;
  }

  // Shows the dialog on the task chosen last; resolves when it is closed.
  async show() {
    const { box, body, buttons } = makeBox('tasks', this.tasks.caption);
    const list = document.createElement('div');
    list.className = 'task-list';
    list.setAttribute('role', 'listbox');
    list.setAttribute('aria-label', this.tasks.caption);
    const text = document.createElement('article');
    text.className = 'task-text';
    text.tabIndex = 0;
    const worlds = document.createElement('div');
    worlds.className = 'task-worlds';
    const close = addButton(buttons, this.dialogs.texts.close).button;
    buttons.prepend(worlds);
    body.append(list, text);

    const options = this.tasks.list.map((task, i) => {
      const option = document.createElement('div');
      option.setAttribute('role', 'option');
      option.className = 'task-option';
      const number = document.createElement('span');
      number.className = 'task-number';
      number.textContent = task.number;
      const title = document.createElement('span');
      title.textContent = task.title;
      option.append(number, title);
      option.addEventListener('click', () => choose(i, true));
      list.append(option);
      return option;
    });

    const choose = (index, focus) => {
      this.chosen = index;
      options.forEach((option, i) => {
        option.setAttribute('aria-selected', String(i === index));
        option.tabIndex = i === index ? 0 : -1;
      });
      options[index].scrollIntoView({ block: 'nearest' });
      if (focus) options[index].focus();
      const task = this.tasks.list[index];
      const heading = document.createElement('h2');
      heading.id = `task-heading-${index}`;
      heading.textContent = task.heading;
      text.setAttribute('aria-labelledby', heading.id);
      text.innerHTML = task.html;
      text.prepend(heading);
      // A link opens beside the page, which would lose the pupil's work if it went.
      for (const link of text.querySelectorAll('a[href]')) {
        link.target = '_blank';
        link.rel = 'noopener';
      }
      text.scrollTop = 0;
      worlds.replaceChildren();
      task.worlds.forEach((world, i) => {
        const button = addButton(worlds, world.caption).button;
        button.title = world.file;
        button.addEventListener('click', () => done({ task: index, world: i }));
      });
    };

    // Up and Down, Home and End move the choice through the list, the text following it.
    list.addEventListener('keydown', (event) => {
      const last = options.length - 1;
      const next = { ArrowDown: this.chosen + 1, ArrowUp: this.chosen - 1, Home: 0, End: last }[event.key];
      if (next === undefined) return;
      event.preventDefault();
      choose(Math.max(0, Math.min(last, next)), true);
    });

    let done;
    const answer = await this.dialogs.show(box, (settle) => {
      done = settle;
      close.addEventListener('click', () => settle(null));
      box.addEventListener('cancel', (event) => {
        event.preventDefault();
        settle(null);
      });
      choose(Math.min(this.chosen, options.length - 1), false);
      queueMicrotask(() => options[this.chosen].focus());
    });
    if (answer) this.load(answer.task, answer.world);
  }
}
