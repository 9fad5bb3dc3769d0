// What the browser tests share: the built page served from its folder, the system's Chromium
// driven through puppeteer-core, the module's own tables, and the steps a pupil takes with real
// input events (menus, buttons, clicks on the world view, typing, the boxes).
//   NIBBO_SITE      the built page (default: build-web/web/site)
//   NIBBO_CHROMIUM  the browser (default: /usr/bin/chromium)
//   NIBBO_BATCH     nibbo-batch of the desktop build (default: build/tools/nibbo-batch)
//   NIBBO_SCREENSHOT nibbo-screenshot of the desktop build (default: build/tools/nibbo-screenshot)
import assert from 'node:assert/strict';
import { existsSync, mkdtempSync, readFileSync, readdirSync, rmSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { dirname, extname, join, normalize, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { after, before } from 'node:test';
import puppeteer from 'puppeteer-core';

export const root = resolve(dirname(fileURLToPath(import.meta.url)), '..', '..');
export const site = resolve(process.env.NIBBO_SITE ?? join(root, 'build-web', 'web', 'site'));
export const batch = resolve(process.env.NIBBO_BATCH ?? join(root, 'build', 'tools', 'nibbo-batch'));
export const screenshot = resolve(process.env.NIBBO_SCREENSHOT ?? join(root, 'build', 'tools', 'nibbo-screenshot'));

const types = {
  '.html': 'text/html',
  '.js': 'text/javascript',
  '.css': 'text/css',
  '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml',
};

// Serves the site's files on a free port of the loopback address.
export async function serve() {
  if (!existsSync(join(site, 'index.html'))) throw new Error(`no built page in ${site}; run ./build.sh web`);
  const server = createServer((request, response) => {
    const path = normalize(join(site, decodeURIComponent(new URL(request.url, 'http://x').pathname)));
    const file = path.endsWith('/') ? join(path, 'index.html') : path;
    if (!file.startsWith(site) || !existsSync(file) || !statSync(file).isFile()) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[extname(file)] ?? 'application/octet-stream' });
    response.end(readFileSync(file));
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  return { server, url: `http://127.0.0.1:${server.address().port}/` };
}

// A fresh page of Nibbo in a browser of its own, at pixel ratio 1, with downloads into a folder.
export async function openNibbo() {
  const { server, url } = await serve();
  const browser = await puppeteer.launch({
    executablePath: process.env.NIBBO_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--font-render-hinting=none'],
  });
  const page = await browser.newPage();
  await page.setViewport({ width: 1100, height: 760, deviceScaleFactor: 1 });
  const problems = [];
  page.on('pageerror', (error) => problems.push(error.message));
  const downloads = mkdtempSync(join(tmpdir(), 'nibbo-downloads-'));
  const session = await page.createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  await page.goto(url, { waitUntil: 'load' });
  await page.waitForSelector('.world-view');
  const layout = await page.evaluate(async () => {
    const module = await (await import('/nibbo.js')).default();
    return JSON.parse(module.UTF8ToString(module._nibbo_layout()));
  });
  const nibbo = new Nibbo(page, layout, downloads, problems);
  nibbo.close = async () => {
    await browser.close();
    server.close();
    rmSync(downloads, { recursive: true, force: true });
  };
  return nibbo;
}

// The page the tests of a file share: opened before the first of them, closed after the last, and
// no script error of the page left unseen. receive gets the page once it is open.
export function sharePage(receive) {
  let nibbo;
  before(async () => {
    nibbo = await openNibbo();
    receive(nibbo);
  });
  after(async () => {
    assert.deepEqual(nibbo.problems, []);
    await nibbo.close();
  });
}

export class Nibbo {
  constructor(page, layout, downloads, problems) {
    this.page = page;
    this.layout = layout;
    this.downloads = downloads;
    this.problems = problems;
  }

  // --- Menus and buttons, by their captions and hints ---
  async menu(barCaption, itemCaption) {
    const top = await this.page.waitForSelector(`::-p-xpath(//button[@role="menuitem" and text()="${barCaption}"])`);
    await top.click();
    if (itemCaption === undefined) return;
    const item = await this.page.waitForSelector(
      `::-p-xpath(//div[@role="menu"]//button[span[text()="${itemCaption}"]])`, { visible: true });
    await item.click();
  }

  async button(hint) {
    await (await this.page.$(`button[title="${hint}"]`)).click();
  }

  // --- The world view: a press on a cell with modifier keys ---
  async cellPoint(column, row) {
    const box = await (await this.page.$('.world-view')).boundingBox();
    const { pitch, size } = this.layout.cell;
    return { x: box.x + (column - 1) * pitch + size / 2, y: box.y + (row - 1) * pitch + size / 2 };
  }

  async press(column, row, { button = 'left', keys = [] } = {}) {
    const { x, y } = await this.cellPoint(column, row);
    for (const key of keys) await this.page.keyboard.down(key);
    await this.page.mouse.click(x, y, { button });
    for (const key of keys.reverse()) await this.page.keyboard.up(key);
  }

  // A world built by presses chosen from a seed: walls, bare path and food on the inner cells,
  // then Nibbo's start, turned a few times, and a stock typed into the stock field.
  async buildWorld(seed, presses, stock) {
    let state = seed >>> 0;
    const random = (n) => {
      state = (state + 0x6d2b79f5) >>> 0;
      let t = Math.imul(state ^ (state >>> 15), 1 | state);
      t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
      return (((t ^ (t >>> 14)) >>> 0) % n);
    };
    const { columns, rows } = this.layout.cell;
    const inner = () => [2 + random(columns - 2), 2 + random(rows - 2)];
    for (let i = 0; i < presses; ++i) {
      const [column, row] = inner();
      const kind = random(10);
      if (kind < 3) await this.press(column, row);
      else if (kind < 4) await this.press(column, row, { button: 'right' });
      else await this.press(column, row, { keys: ['Shift'], button: kind < 8 ? 'left' : 'right' });
    }
    const [column, row] = inner();
    await this.press(column, row, { button: 'right' });
    for (let turns = random(4); turns >= 0; --turns) await this.press(column, row, { keys: ['Control'] });
    await this.setStock(stock);
  }

  async setStock(value) {
    const field = await this.page.$('.stock-field input');
    await field.click({ clickCount: 3 });
    await this.page.keyboard.type(String(value));
    await this.page.keyboard.press('Tab');
  }

  // The pixels of the world view's cells and grid lines, as RGBA rows of its size.
  async worldPixels() {
    return this.page.evaluate(() => {
      const canvas = document.querySelector('.world-view');
      return Array.from(canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data);
    });
  }

  cellCentre(pixels, column, row) {
    const { pitch, size, columns } = this.layout.cell;
    const x = (column - 1) * pitch + Math.floor(size / 2);
    const y = (row - 1) * pitch + Math.floor(size / 2);
    const at = (y * columns * pitch + x) * 4;
    return pixels.slice(at, at + 3).join(',');
  }

  // --- The editor ---
  async typeProgram(text) {
    const area = await this.page.$('.editor-text');
    await area.click();
    await this.page.keyboard.down('Control');
    await this.page.keyboard.press('a');
    await this.page.keyboard.up('Control');
    await this.page.keyboard.press('Delete');
    await this.page.keyboard.type(text);
  }

  async editor() {
    return this.page.$eval('.editor-text', (area) => ({
      text: area.value,
      selected: area.value.slice(area.selectionStart, area.selectionEnd),
      disabled: area.disabled,
    }));
  }

  async messages() {
    return this.page.$$eval('.message-list [role=option]', (options) => options.map((o) => o.textContent));
  }

  async setSpeed(position) {
    await this.page.$eval('.slider', (slider, value) => {
      slider.value = String(value);
      slider.dispatchEvent(new Event('input', { bubbles: true }));
    }, position);
  }

  // --- The boxes ---
  // Waits for a box and gives its title and text.
  async box(timeout = 30000) {
    await this.page.waitForSelector('dialog[open]', { timeout });
    return this.page.$$eval('dialog[open]', (boxes) => {
      const top = boxes[boxes.length - 1];
      return { title: top.querySelector('.box-title').textContent, text: top.querySelector('.box-body p')?.textContent ?? '' };
    });
  }

  // Answers the topmost box with the button of that caption (its text without the "&").
  async answer(caption) {
    await this.page.waitForSelector('dialog[open]');
    const box = await this.page.evaluateHandle(() => [...document.querySelectorAll('dialog[open]')].pop());
    const button = await box.waitForSelector(`::-p-xpath(.//div[@class="box-buttons"]/button[normalize-space(.)="${caption}"])`);
    await button.click();
    await this.page.waitForFunction((b) => !b.open || !b.isConnected, {}, box);
  }

  // A file through the open dialog of a menu command.
  async open(barCaption, itemCaption, path) {
    const [chooser] = await Promise.all([this.page.waitForFileChooser(), this.menu(barCaption, itemCaption)]);
    await chooser.accept([path]);
  }

  // A command that saves under a name typed in the save box; gives the downloaded bytes.
  async saveAs(barCaption, itemCaption, name) {
    await this.menu(barCaption, itemCaption);
    await this.page.waitForSelector('dialog[open] input[type=text]');
    await this.page.$eval('dialog[open] input[type=text]', (input) => {
      input.value = '';
    });
    await this.page.type('dialog[open] input[type=text]', name);
    await this.answer('Speichern');
    return this.download(name);
  }

  async download(name) {
    const path = join(this.downloads, name);
    for (let waited = 0; waited < 10000; waited += 50) {
      if (existsSync(path) && !readdirSync(this.downloads).some((f) => f.endsWith('.crdownload'))) {
        const bytes = readFileSync(path);
        if (bytes.length > 0 || waited > 1000) return bytes;
      }
      await new Promise((done) => setTimeout(done, 50));
    }
    throw new Error(`no download ${name}`);
  }
}
