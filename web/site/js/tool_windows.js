// The two tool windows over the page: the help with its eight tabbed pages, and the info window
// with its show, which the module steps. Neither is modal; closing one only hides it, so that
// notes typed on the help's recording page and the show's state stay until the page is left.
import { css, renderPicture } from './pictures.js';

// A window frame with a title bar that can be dragged and a close button.
function toolWindow(className, caption, closeCaption, width, height, onClose) {
  const frame = document.createElement('section');
  frame.className = `tool-window ${className}`;
  frame.setAttribute('role', 'dialog');
  frame.setAttribute('aria-label', caption);
  frame.hidden = true;
  const bar = document.createElement('div');
  bar.className = 'tool-title';
  const title = document.createElement('span');
  title.textContent = caption;
  const close = document.createElement('button');
  close.type = 'button';
  close.className = 'tool-close';
  close.textContent = '×';
  close.setAttribute('aria-label', closeCaption);
  close.title = closeCaption;
  close.addEventListener('click', onClose);
  bar.append(title, close);
  const client = document.createElement('div');
  client.className = 'tool-client';
  client.style.width = `${width}px`;
  client.style.height = `${height}px`;
  frame.append(bar, client);
  frame.addEventListener('keydown', (event) => {
    if (event.key === 'Escape') onClose();
  });
  bar.addEventListener('pointerdown', (event) => {
    if (event.target === close) return;
    const startX = event.clientX - frame.offsetLeft;
    const startY = event.clientY - frame.offsetTop;
    bar.setPointerCapture(event.pointerId);
    const move = (e) => {
      frame.style.left = `${e.clientX - startX}px`;
      frame.style.top = `${e.clientY - startY}px`;
    };
    bar.addEventListener('pointermove', move);
    bar.addEventListener('pointerup', () => bar.removeEventListener('pointermove', move), { once: true });
  });
  return { frame, client, close };
}

function place(frame, left, top) {
  frame.style.left = `${left}px`;
  frame.style.top = `${top}px`;
}

// Shows a tool window, brought to the front of the other one.
let front = 10;
function raise(frame) {
  frame.hidden = false;
  frame.style.zIndex = String(++front);
}

export class HelpWindow {
  constructor(help, closeCaption, host) {
    this.help = help;
    const { frame, client, close } = toolWindow('help-window', help.caption, closeCaption, help.width, help.height, () => this.hide());
    this.frame = frame;
    this.closeButton = close;
    place(frame, help.left, help.top);
    const tabs = document.createElement('div');
    tabs.className = 'help-tabs';
    tabs.setAttribute('role', 'tablist');
    const pages = document.createElement('div');
    pages.className = 'help-pages';
    this.tabs = [];
    this.pages = [];
    help.pages.forEach((info, i) => {
      const tab = document.createElement('button');
      tab.type = 'button';
      tab.className = 'help-tab';
      tab.setAttribute('role', 'tab');
      tab.id = `help-tab-${i}`;
      tab.textContent = info.caption;
      tab.addEventListener('click', () => this.change(i, true));
      tab.addEventListener('keydown', (event) => {
        const step = { ArrowRight: 1, ArrowLeft: -1 }[event.key];
        if (!step) return;
        event.preventDefault();
        this.change((i + step + help.pages.length) % help.pages.length, true);
      });
      // The recording page takes input; the others show their text and refuse selection and edits.
      const page = document.createElement(info.enabled ? 'textarea' : 'div');
      page.className = `help-page ${info.enabled ? 'help-page-enabled' : 'help-page-disabled'}`;
      page.setAttribute('role', 'tabpanel');
      page.setAttribute('aria-labelledby', tab.id);
      if (info.enabled) page.value = info.text;
      else page.textContent = info.text;
      page.style.fontSize = `${help.fontSize}px`;
      page.style.padding = `${help.margin}px`;
      page.hidden = true;
      tabs.append(tab);
      pages.append(page);
      this.tabs.push(tab);
      this.pages.push(page);
    });
    client.append(tabs, pages);
    host.append(frame);
  }

  // Tab stops wide enough for the longest sensor name and a gap, in the pages' own font.
  setTabStops() {
    const probe = document.createElement('canvas').getContext('2d');
    const style = getComputedStyle(this.pages[0]);
    probe.font = `${style.fontSize} ${style.fontFamily}`;
    const stop = probe.measureText(this.help.tabStopText).width + this.help.tabStopGap;
    for (const page of this.pages) page.style.tabSize = `${stop}px`;
  }

  // Hides every page, then shows the page of the selected tab.
  change(index, focusTab) {
    this.tabs.forEach((tab, i) => {
      tab.setAttribute('aria-selected', String(i === index));
      tab.tabIndex = i === index ? 0 : -1;
    });
    for (const page of this.pages) page.hidden = true;
    if (this.pages[index]) this.pages[index].hidden = false;
    if (focusTab) this.tabs[index].focus();
  }

  // Opens the help (or brings it to the front) on a page.
  show(index) {
    const first = this.frame.hidden && !this.tabStops;
    raise(this.frame);
    if (first) {
      this.setTabStops();
      this.tabStops = true;
    }
    this.change(index, true);
  }

  hide() {
    this.frame.hidden = true;
  }
}

export class InfoWindow {
  constructor(info, closeCaption, figurePictures, host, step) {
    this.info = info;
    this.step = step;
    const { frame, client, close } = toolWindow('info-window', info.caption, closeCaption, info.width, info.height, () => this.hide());
    this.frame = frame;
    this.closeButton = close;
    place(frame, info.left, info.top);
    const labels = info.labels.map((label) => {
      const element = document.createElement('div');
      element.className = `info-label${label.title ? ' info-title' : ''}${label.wrapped ? ' info-wrapped' : ''}`;
      element.textContent = label.text;
      element.style.left = `${label.place.left}px`;
      element.style.top = `${label.place.top}px`;
      if (label.place.width > 0) {
        element.style.width = `${label.place.width}px`;
        element.style.height = `${label.place.height}px`;
      }
      element.style.fontSize = `${label.size}px`;
      element.style.color = css(label.colour);
      return element;
    });
    this.sprite = document.createElement('canvas');
    this.sprite.className = 'info-sprite';
    this.sprite.setAttribute('aria-hidden', 'true');
    this.pictures = figurePictures;
    // The figure walks over every label but the last.
    client.append(...labels.slice(0, -1), this.sprite, labels[labels.length - 1]);
    this.showImage(0, info.imageLeft, info.imageTop);
    this.timer = null;
    host.append(frame);
  }

  showImage(image, left, top) {
    const picture = this.pictures[image];
    const ratio = window.devicePixelRatio || 1;
    this.sprite.width = Math.round(picture.size * ratio);
    this.sprite.height = Math.round(picture.size * ratio);
    this.sprite.style.width = `${picture.size}px`;
    this.sprite.style.height = `${picture.size}px`;
    this.sprite.getContext('2d').drawImage(renderPicture(picture, ratio), 0, 0);
    this.sprite.style.left = `${left}px`;
    this.sprite.style.top = `${top}px`;
  }

  // The window and the figure where the show's last step put them.
  place(windowLeft, windowTop, image, figureLeft, figureTop) {
    place(this.frame, windowLeft, windowTop);
    this.showImage(image, figureLeft, figureTop);
  }

  // Starts the show and shows the window in the middle of the page, or brings it to the front.
  show() {
    if (this.frame.hidden) {
      raise(this.frame);
      place(this.frame, (window.innerWidth - this.frame.offsetWidth) / 2, (window.innerHeight - this.frame.offsetHeight) / 2);
    } else raise(this.frame);
    this.closeButton.focus();
    if (this.timer === null) {
      this.timer = setInterval(() => this.step(this.frame.offsetWidth, this.frame.offsetHeight), this.info.interval);
    }
  }

  // Closing the window stops the show; its state stays for the next showing.
  hide() {
    this.frame.hidden = true;
    clearInterval(this.timer);
    this.timer = null;
  }
}
