// The menu bar: commands on the bar itself and menus of commands, as buttons that the keyboard
// reaches: Tab to the bar, Left and Right along it, Down or Enter into a menu, Up and Down within
// it, Enter to choose, Escape back to the bar. A shortcut such as "Ctrl+Z" works wherever the
// focus is in the window.

function parseShortcut(text) {
  const parts = text.split('+');
  return {
    key: parts.pop().toLowerCase(),
    ctrl: parts.includes('Ctrl'),
    shift: parts.includes('Shift'),
    alt: parts.includes('Alt'),
  };
}

// How the shortcut reads in a German menu.
const shownShortcut = (text) => text.replace('Ctrl', 'Strg');

export class MenuBar {
  constructor(entries, choose) {
    this.element = document.createElement('div');
    this.element.className = 'menubar';
    this.element.setAttribute('role', 'menubar');
    this.byCommand = new Map(); // the session's command number -> the elements it enables
    this.shortcuts = [];
    this.tops = [];
    this.openMenu = null;
    this.choose = choose;

    for (const entry of entries) {
      const top = document.createElement('button');
      top.type = 'button';
      top.className = 'menubar-item';
      top.textContent = entry.caption;
      top.setAttribute('role', 'menuitem');
      top.tabIndex = this.tops.length === 0 ? 0 : -1;
      const holder = document.createElement('div');
      holder.className = 'menubar-entry';
      holder.append(top);
      this.element.append(holder);
      this.tops.push(top);
      if (entry.command !== null) this.register(entry.command, top);

      if (entry.which !== null) {
        top.addEventListener('click', () => {
          this.close();
          choose(entry.which);
        });
      } else {
        top.setAttribute('aria-haspopup', 'menu');
        top.setAttribute('aria-expanded', 'false');
        const menu = document.createElement('div');
        menu.className = 'menu';
        menu.setAttribute('role', 'menu');
        menu.setAttribute('aria-label', entry.caption);
        menu.hidden = true;
        holder.append(menu);
        top.menu = menu;
        for (const item of entry.items) menu.append(this.makeItem(item, top));
        top.addEventListener('click', () => (this.openMenu === top ? this.close() : this.open(top, false)));
        top.addEventListener('mouseenter', () => {
          if (this.openMenu && this.openMenu !== top) this.open(top, false);
        });
      }
      top.addEventListener('keydown', (event) => this.barKey(event, top));
    }
    document.addEventListener('mousedown', (event) => {
      if (this.openMenu && !this.element.contains(event.target)) this.close();
    });
  }

  register(command, element) {
    if (!this.byCommand.has(command)) this.byCommand.set(command, []);
    this.byCommand.get(command).push(element);
  }

  makeItem(item, top) {
    const button = document.createElement('button');
    button.type = 'button';
    button.className = 'menu-item';
    button.setAttribute('role', 'menuitem');
    button.tabIndex = -1;
    const label = document.createElement('span');
    label.className = 'menu-caption';
    label.textContent = item.caption;
    button.append(label);
    if (item.shortcut) {
      const keys = document.createElement('span');
      keys.className = 'menu-shortcut';
      keys.textContent = shownShortcut(item.shortcut);
      button.append(keys);
      button.setAttribute('aria-keyshortcuts', item.shortcut.replace('Ctrl', 'Control'));
      this.shortcuts.push({ ...parseShortcut(item.shortcut), which: item.which, button });
    }
    button.disabled = !item.enabled;
    if (item.command !== null) this.register(item.command, button);
    button.addEventListener('click', () => {
      this.close();
      this.choose(item.which);
    });
    button.addEventListener('mouseenter', () => {
      if (!button.disabled) button.focus();
    });
    button.addEventListener('keydown', (event) => this.menuKey(event, top, button));
    return button;
  }

  setEnabled(command, enabled) {
    for (const element of this.byCommand.get(command) || []) {
      element.disabled = !enabled;
      if (!enabled && this.openMenu === element) this.close();
    }
  }

  setCaption(command, text) {
    for (const element of this.byCommand.get(command) || []) {
      const label = element.querySelector('.menu-caption');
      (label || element).textContent = text;
    }
  }

  items(top) {
    return [...top.menu.querySelectorAll('.menu-item')].filter((item) => !item.disabled);
  }

  open(top, focusFirst) {
    if (top.disabled) return;
    this.close();
    this.openMenu = top;
    top.menu.hidden = false;
    top.setAttribute('aria-expanded', 'true');
    this.focusTop(top);
    if (focusFirst) this.items(top)[0]?.focus();
  }

  close() {
    if (!this.openMenu) return;
    this.openMenu.menu.hidden = true;
    this.openMenu.setAttribute('aria-expanded', 'false');
    this.openMenu = null;
  }

  focusTop(top) {
    for (const other of this.tops) other.tabIndex = other === top ? 0 : -1;
    top.focus();
  }

  neighbour(top, step) {
    const enabled = this.tops.filter((t) => !t.disabled);
    const at = enabled.indexOf(top);
    return enabled[(at + step + enabled.length) % enabled.length] || top;
  }

  barKey(event, top) {
    const wasOpen = this.openMenu !== null;
    switch (event.key) {
      case 'ArrowRight':
      case 'ArrowLeft': {
        const next = this.neighbour(top, event.key === 'ArrowRight' ? 1 : -1);
        if (wasOpen && next.menu) this.open(next, true);
        else {
          this.close();
          this.focusTop(next);
        }
        break;
      }
      case 'ArrowDown':
      case 'Enter':
      case ' ':
        if (!top.menu) return;
        this.open(top, true);
        break;
      case 'Escape':
        this.close();
        break;
      default:
        return;
    }
    event.preventDefault();
    event.stopPropagation();
  }

  menuKey(event, top, button) {
    const items = this.items(top);
    const at = items.indexOf(button);
    switch (event.key) {
      case 'ArrowDown':
        items[(at + 1) % items.length].focus();
        break;
      case 'ArrowUp':
        items[(at - 1 + items.length) % items.length].focus();
        break;
      case 'Home':
        items[0].focus();
        break;
      case 'End':
        items[items.length - 1].focus();
        break;
      case 'ArrowRight':
      case 'ArrowLeft': {
        const next = this.neighbour(top, event.key === 'ArrowRight' ? 1 : -1);
        if (next.menu) this.open(next, true);
        else {
          this.close();
          this.focusTop(next);
        }
        break;
      }
      case 'Escape':
        this.close();
        this.focusTop(top);
        break;
      case 'Tab':
        this.close();
        return;
      default:
        return;
    }
    event.preventDefault();
    event.stopPropagation();
  }

  // The menu command of a key press that is a shortcut, or null.
  shortcutOf(event) {
    const key = event.key.toLowerCase();
    const found = this.shortcuts.find(
      (s) => s.key === key && s.ctrl === (event.ctrlKey || event.metaKey) && s.shift === event.shiftKey && s.alt === event.altKey);
    return found && !found.button.disabled ? found.which : null;
  }
}
