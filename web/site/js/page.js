// The main window in the page, built from the module's tables: the menu bar, the world view, the
// program editor, the bottom panel (legend, stock field, slider, the five buttons, the message
// list) and the status bar; above it, outside the window, the page's own control that opens the
// task collection; then the object through which the module answers the session: it draws, shows
// texts, enables controls, asks, and runs the timers. Every event of the controls goes to the
// module's handler of that event.
import { Dialogs } from './dialogs.js';
import { Editor } from './editor.js';
import { MenuBar } from './menus.js';
import { pictureElement } from './pictures.js';
import { TaskDialog } from './tasks.js';
import { Timers } from './timers.js';
import { HelpWindow, InfoWindow } from './tool_windows.js';
import { WorldView } from './world_view.js';

function at(element, box) {
  element.style.left = `${box.left}px`;
  element.style.top = `${box.top}px`;
  if (box.width !== undefined) element.style.width = `${box.width}px`;
  if (box.height !== undefined) element.style.height = `${box.height}px`;
  return element;
}

function label(parent, { text, left, top }, className = 'label') {
  const element = document.createElement('span');
  element.className = className;
  element.textContent = text;
  parent.append(at(element, { left, top }));
  return element;
}

// The key code of a press as the desktop's key preview gives it: a letter's is its capital's
// code whatever Shift or Ctrl do, a digit's its own, any other key's 0.
function virtualKey(event) {
  return /^[a-z0-9]$/i.test(event.key) ? event.key.toUpperCase().charCodeAt(0) : 0;
}

// Shortens a name in the middle with "…" until prefix and name fit the panel.
function fitName(panel, prefix, name) {
  panel.textContent = prefix + name;
  if (panel.scrollWidth <= panel.clientWidth) return;
  let keep = name.length;
  while (keep > 1) {
    keep -= 1;
    const head = Math.ceil(keep / 2);
    panel.textContent = `${prefix}${name.slice(0, head)}…${name.slice(name.length - (keep - head))}`;
    if (panel.scrollWidth <= panel.clientWidth) return;
  }
}

// The bar above the window with the button that opens the task dialog; none without tasks.
function taskBar(tasks, width) {
  const bar = document.createElement('div');
  bar.className = 'page-bar';
  bar.style.width = `${width}px`;
  if (tasks.empty) return bar;
  const open = document.createElement('button');
  open.type = 'button';
  open.className = 'page-button';
  open.textContent = tasks.caption;
  open.setAttribute('aria-haspopup', 'dialog');
  open.addEventListener('click', () => tasks.show());
  bar.append(open);
  return bar;
}

function stockField(layout, module) {
  const box = at(document.createElement('div'), layout.stockField);
  box.className = 'stock-field';
  const input = document.createElement('input');
  input.type = 'text';
  input.inputMode = 'numeric';
  input.value = '0';
  input.setAttribute('role', 'spinbutton');
  input.setAttribute('aria-label', layout.stockLabel.text);
  input.setAttribute('aria-valuemin', String(layout.stock.minimum));
  input.setAttribute('aria-valuemax', String(layout.stock.maximum));
  input.setAttribute('aria-valuenow', input.value);
  const arrows = document.createElement('div');
  arrows.className = 'stock-arrows';
  const up = document.createElement('button');
  const down = document.createElement('button');
  for (const [button, step] of [[up, 1], [down, -1]]) {
    button.type = 'button';
    button.tabIndex = -1;
    button.setAttribute('aria-hidden', 'true');
    button.className = step > 0 ? 'stock-up' : 'stock-down';
    button.addEventListener('mousedown', (event) => event.preventDefault());
    button.addEventListener('click', () => module._nibbo_stock_step(step));
    arrows.append(button);
  }
  box.append(input, arrows);
  // Typing takes digits, the signs and the decimal separators only.
  input.addEventListener('beforeinput', (event) => {
    if (event.data && /[^0-9+\-.,]/.test(event.data)) event.preventDefault();
  });
  input.addEventListener('keydown', (event) => {
    const step = { ArrowUp: 1, ArrowDown: -1 }[event.key];
    if (!step) return;
    event.preventDefault();
    module._nibbo_stock_step(step);
  });
  input.addEventListener('blur', () => module._nibbo_stock_left());
  return {
    element: box,
    text: () => input.value,
    setValue(value) {
      input.value = String(value);
      input.setAttribute('aria-valuenow', String(value));
    },
    setEnabled(enabled) {
      input.disabled = !enabled;
      up.disabled = !enabled;
      down.disabled = !enabled;
    },
  };
}

function messageList(layout) {
  const list = at(document.createElement('div'), layout.messageList);
  list.className = 'message-list';
  list.tabIndex = 0;
  list.setAttribute('role', 'listbox');
  list.setAttribute('aria-label', layout.names.messageList);
  let selected = -1;
  const choose = (index) => {
    const options = list.children;
    if (index < 0 || index >= options.length) return;
    if (selected >= 0 && options[selected]) options[selected].setAttribute('aria-selected', 'false');
    selected = index;
    options[index].setAttribute('aria-selected', 'true');
    options[index].scrollIntoView({ block: 'nearest' });
  };
  list.addEventListener('click', (event) => {
    const option = event.target.closest('[role=option]');
    if (option) choose([...list.children].indexOf(option));
  });
  list.addEventListener('keydown', (event) => {
    const step = { ArrowDown: 1, ArrowUp: -1 }[event.key];
    if (!step) return;
    event.preventDefault();
    choose(Math.max(0, selected + step));
  });
  return {
    element: list,
    set(lines) {
      selected = -1;
      list.replaceChildren(
        ...lines.map((line) => {
          const option = document.createElement('div');
          option.setAttribute('role', 'option');
          option.setAttribute('aria-selected', 'false');
          option.textContent = line;
          return option;
        }));
    },
  };
}

export function buildPage(layout, module, root) {
  const frame = document.createElement('div');
  frame.className = 'nibbo-window';
  frame.style.width = `${layout.client.width}px`;
  const overlays = document.createElement('div');
  const column = document.createElement('div');
  root.append(column, overlays);

  const commandElements = new Map(); // the session's command number -> its buttons
  const dialogs = new Dialogs(layout, overlays);
  const tasks = new TaskDialog(JSON.parse(module.UTF8ToString(module._nibbo_tasks())), dialogs,
    (task, world) => module._nibbo_task_world(task, world));
  const bar = taskBar(tasks, layout.client.width);
  column.append(bar, frame);
  const choose = (which) => module._nibbo_menu(which);
  const menus = new MenuBar(layout.menuBar, choose);

  const client = document.createElement('div');
  client.className = 'client';
  client.style.width = `${layout.client.width}px`;
  client.style.height = `${layout.client.height - layout.statusBar.height}px`;

  const world = new WorldView(layout, (event, x, y) => {
    module._nibbo_mouse(event.button, event.shiftKey, event.ctrlKey, event.altKey, x, y);
  });
  const worldFrame = at(document.createElement('div'), layout.worldView);
  worldFrame.className = 'world-frame';
  worldFrame.append(world.element);

  const editor = new Editor(layout, layout.initialProgram, () => module._nibbo_editor_changed());
  at(editor.element, layout.editor);

  const panel = at(document.createElement('div'), layout.panel);
  panel.className = 'panel';
  for (const entry of layout.legend) {
    const picture = pictureElement(entry.shapes, layout.pictures.path);
    picture.className = 'legend-picture';
    picture.setAttribute('aria-hidden', 'true');
    panel.append(at(picture, { left: entry.left, top: entry.top }));
    label(panel, entry.title);
    label(panel, entry.hint);
  }
  label(panel, layout.stockLabel);
  const stock = stockField(layout, module);
  panel.append(stock.element);

  const speedLabel = label(panel, layout.speedLabel);
  const slider = document.createElement('input');
  slider.type = 'range';
  slider.className = 'slider';
  slider.min = String(layout.speed.minimum);
  slider.max = String(layout.speed.maximum);
  slider.step = '1';
  slider.value = String(layout.speed.start);
  slider.setAttribute('aria-label', layout.speedLabel.text);
  const sliderBox = at(document.createElement('div'), layout.slider);
  sliderBox.className = 'slider-box';
  const ticks = document.createElement('div');
  ticks.className = 'slider-ticks';
  for (let position = layout.speed.minimum; position <= layout.speed.maximum; ++position)
    ticks.append(document.createElement('i'));
  sliderBox.append(slider, ticks);
  panel.append(sliderBox);

  for (const entry of layout.buttons.list) {
    const button = document.createElement('button');
    button.type = 'button';
    button.className = 'run-button';
    button.title = entry.hint;
    at(button, { left: entry.left, top: layout.buttons.top, width: layout.buttons.width, height: layout.buttons.height });
    const picture = pictureElement(entry.picture, null);
    picture.setAttribute('aria-hidden', 'true');
    button.append(picture);
    // The buttons take no focus from a click, so that the editor keeps its caret.
    button.addEventListener('mousedown', (event) => event.preventDefault());
    button.addEventListener('click', () => module._nibbo_button(entry.command));
    commandElements.set(entry.command, button);
    panel.append(button);
  }
  const messages = messageList(layout);
  panel.append(messages.element);

  client.append(worldFrame, panel, editor.element);

  const statusBar = document.createElement('div');
  statusBar.className = 'status-bar';
  statusBar.style.height = `${layout.statusBar.height}px`;
  const panels = layout.statusBar.widths.map((width, i) => {
    const element = document.createElement('div');
    element.className = `status-panel${i > 0 ? ' status-file' : ''}`;
    element.style.width = `${width}px`;
    statusBar.append(element);
    return element;
  });
  panels[0].textContent = layout.statusBar.banner;

  frame.append(menus.element, client, statusBar);

  // The slider starts one blank after its label when the label's text reaches its place.
  const sliderRight = layout.slider.left + layout.slider.width;
  const probe = document.createElement('canvas').getContext('2d');
  probe.font = getComputedStyle(speedLabel).font;
  const blank = probe.measureText(' ').width;
  const sliderLeft = Math.max(layout.slider.left, speedLabel.offsetLeft + speedLabel.offsetWidth + blank);
  sliderBox.style.left = `${sliderLeft}px`;
  sliderBox.style.width = `${sliderRight - sliderLeft}px`;

  const help = new HelpWindow(layout.help, layout.dialogs.close, overlays);
  const info = new InfoWindow(layout.info, layout.dialogs.close, layout.pictures.figure, overlays, (width, height) => {
    module._nibbo_info_tick(0, 0, window.innerWidth, window.innerHeight, width, height);
  });
  const toolWindows = [help.frame, info.frame];
  const timers = new Timers((id) => module._nibbo_timer(id));

  let ended = false;
  const end = () => {
    ended = true;
    timers.stopAll();
    info.hide();
    help.hide();
    const note = document.createElement('div');
    note.className = 'ended';
    const text = document.createElement('p');
    text.textContent = 'Nibbo ist beendet.';
    const again = document.createElement('button');
    again.type = 'button';
    again.textContent = 'Nibbo neu starten';
    again.addEventListener('click', () => location.reload());
    note.append(text, again);
    bar.remove();
    frame.replaceWith(note);
    again.focus();
  };

  // Key preview: every key pressed in the window reaches the session first, then the control with
  // the focus; the shortcut of a menu command works wherever the focus is in the window.
  document.addEventListener('keydown', (event) => {
    if (ended || dialogs.isOpen() || toolWindows.some((w) => w.contains(event.target))) return;
    const which = menus.shortcutOf(event);
    if (which !== null) {
      event.preventDefault();
      event.stopPropagation();
      menus.close();
      choose(which);
      return;
    }
    // Keys that move through the menus are the menus' own.
    if (!menus.element.contains(event.target)) module._nibbo_key(virtualKey(event));
  }, true);

  // A screen of another pixel ratio: the world view made anew and painted whole.
  const watchRatio = () => {
    matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener('change', () => {
      world.prepare();
      module._nibbo_paint();
      watchRatio();
    }, { once: true });
  };
  watchRatio();

  world.element.focus();

  const controls = new Map([
    [layout.controls.worldView, world],
    [layout.controls.stockField, stock],
    [layout.controls.editor, editor],
  ]);
  return {
    dialogs,
    editor,
    world,
    stock,
    timers,
    help,
    info,
    download: (name, bytes) => dialogs.download(name, bytes),
    speed: () => Number(slider.value),
    setCommandEnabled(command, enabled) {
      menus.setEnabled(command, enabled);
      const button = commandElements.get(command);
      if (button) button.disabled = !enabled;
    },
    setCommandCaption: (command, text) => menus.setCaption(command, text),
    setControlEnabled: (control, enabled) => controls.get(control).setEnabled(enabled),
    showFileName(panel, prefix, name) {
      panels[panel].title = name;
      fitName(panels[panel], prefix, name);
    },
    setMessages: (lines) => messages.set(lines),
    end,
  };
}
