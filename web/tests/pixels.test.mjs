// The world view's pixels against the desktop's: the desktop's own tool draws every picture of the
// world into its world view, and a world loaded from a file; the page draws the same calls and
// loads the same file, at pixel ratio 1. The walls, the food, the path and the grid lines are the
// same pixels; the smoothed edges of the round figure come within a few steps of colour, as the two
// compute the part of a pixel that an edge covers with different roundings.
const MOST_STEPS = 3;
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { sharePage, screenshot } from './support.mjs';

let nibbo;
const work = mkdtempSync(join(tmpdir(), 'nibbo-pixels-'));
before(() => {
  if (!existsSync(screenshot)) throw new Error(`no nibbo-screenshot at ${screenshot}; build the desktop program first`);
});
sharePage((page) => (nibbo = page));
after(() => {
  rmSync(work, { recursive: true, force: true });
});

function desktop(...args) {
  execFileSync(screenshot, args, { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen', XDG_RUNTIME_DIR: work } });
}

// Pixels that differ, and by how much at most in one channel, between a PNG and pixels of the page.
async function compare(png, pixels) {
  return nibbo.page.evaluate(async (url, pixels) => {
    const image = new Image();
    image.src = url;
    await image.decode();
    const canvas = document.createElement('canvas');
    canvas.width = image.width;
    canvas.height = image.height;
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    const wanted = context.getImageData(0, 0, image.width, image.height).data;
    if (wanted.length !== pixels.length) return { differing: wanted.length, most: 255 };
    let differing = 0;
    let most = 0;
    for (let i = 0; i < wanted.length; i += 4) {
      const step = Math.max(...[0, 1, 2].map((c) => Math.abs(wanted[i + c] - pixels[i + c])));
      if (step > 0) ++differing;
      most = Math.max(most, step);
    }
    return { differing, most };
  }, `data:image/png;base64,${readFileSync(png).toString('base64')}`, pixels);
}

// The page's drawing of a list of the world view's calls, on a world view of its own.
async function pagePicturesOf(calls) {
  return nibbo.page.evaluate(async (calls, layout) => {
    const { WorldView } = await import('/js/world_view.js');
    const view = new WorldView(layout, () => {});
    const draw = {
      FillPath: (c, r) => view.fillPath(c, r),
      DrawWallPicture: (c, r) => view.drawWall(c, r),
      DrawFoodPicture: (c, r, n) => view.drawFood(c, r, n),
      DrawFigurePicture: (c, r, n) => view.drawFigure(c, r, n),
    };
    for (const [call, column, row, picture] of calls) draw[call](column, row, picture);
    const { width, height } = view.element;
    return Array.from(view.context.getImageData(0, 0, width, height).data);
  }, calls, nibbo.layout);
}

test('every picture of the world', async (t) => {
  const sheet = join(work, 'sheet.png');
  desktop('--pictures', sheet);
  const calls = JSON.parse(readFileSync(`${sheet}.json`, 'utf8'));
  const { differing, most } = await compare(sheet, await pagePicturesOf(calls));
  t.diagnostic(`${differing} pixels differ, by ${most} at most`);
  assert.ok(most <= MOST_STEPS, `${differing} pixels differ, by ${most} at most`);
});

test('a world loaded from a file', async (t) => {
  await nibbo.buildWorld(9, 60, 0);
  const file = join(work, 'welt.wlt');
  writeFileSync(file, await nibbo.saveAs('Nibbos Welt', 'Welt speichern unter ...', 'welt.wlt'));
  await nibbo.menu('Nibbos Welt', 'neue Welt');
  await nibbo.open('Nibbos Welt', 'Welt laden', file);
  await nibbo.page.waitForFunction(() => document.querySelector('.status-panel:nth-child(2)').textContent === 'Welt: welt.wlt');
  const shot = join(work, 'welt.png');
  desktop('--world', file, shot);
  const { differing, most } = await compare(shot, await nibbo.worldPixels());
  t.diagnostic(`${differing} pixels differ, by ${most} at most`);
  assert.ok(most <= MOST_STEPS, `${differing} pixels differ, by ${most} at most`);
});
