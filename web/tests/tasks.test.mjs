// The task collection on the page: a task chosen in its dialog shows its text with its pictures,
// and its start worlds load as "Welt laden" loads a file, the question about an edited world
// included. The goal worlds and the solutions are the teacher's and never reach the page.
import assert from 'node:assert/strict';
import { readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';
import { sharePage, root, site } from './support.mjs';

const task = join(root, 'aufgaben', '14-bis-zur-mauer');

let nibbo;
sharePage((page) => (nibbo = page));

const worldPanel = () => nibbo.page.$eval('.status-panel:nth-child(2)', (panel) => panel.textContent);

async function chooseTask(number) {
  await (await nibbo.page.waitForSelector('::-p-xpath(//button[text()="Aufgaben"])')).click();
  await (await nibbo.page.waitForSelector(`::-p-xpath(//dialog[@open]//div[@role="option"][span[1]="${number}"])`)).click();
}

async function loadWorld(caption) {
  await (await nibbo.page.waitForSelector(`::-p-xpath(//dialog[@open]//button[text()="${caption}"])`)).click();
}

test('a task read in the dialog and its worlds loaded', async () => {
  await chooseTask('14');
  const title = readFileSync(join(task, 'aufgabe.md'), 'utf8').split('\n')[0].replace(/^# /, '');
  const heading = await nibbo.page.$eval('dialog[open] .task-text h2', (h) => h.textContent);
  assert.ok(heading.endsWith(title), heading);
  const picture = await nibbo.page.waitForSelector('dialog[open] .task-text img');
  assert.ok(await picture.evaluate(async (img) => {
    await img.decode();
    return img.naturalWidth > 0;
  }), 'the first picture is shown');

  await loadWorld('Welt 2 laden');
  await nibbo.page.waitForFunction(() => document.querySelector('.status-panel:nth-child(2)').textContent === 'Welt: welt-2.wlt');
  // Nibbo's cell shows neither the path nor a wall.
  const world = readFileSync(join(task, 'welt-2.wlt'));
  const { columns, rows } = nibbo.layout.cell;
  const start = [world.readInt32LE(columns * rows * 4), world.readInt32LE(columns * rows * 4 + 4)];
  const cells = [];
  for (let column = 1; column <= columns; ++column)
    for (let row = 1; row <= rows; ++row) cells.push({ column, row, code: world.readInt32LE(cells.length * 4) });
  const path = cells.find((cell) => cell.code === 0 && (cell.column !== start[0] || cell.row !== start[1]));
  const wall = cells[0];
  const shown = await nibbo.worldPixels();
  const at = (column, row) => nibbo.cellCentre(shown, column, row);
  assert.notEqual(at(...start), at(path.column, path.row));
  assert.notEqual(at(...start), at(wall.column, wall.row));

  // Edited, the world is not given up without the question; only Ja gives it up.
  await nibbo.press(start[0], start[1] + 1);
  for (const answer of ['Nein', 'Ja']) {
    await chooseTask('14');
    await loadWorld('Welt 1 laden');
    assert.equal((await nibbo.box()).text, 'Nibbos aktuelle Welt wurde noch nicht gespeichert!  Löschen?');
    await nibbo.answer(answer);
    await nibbo.page.waitForFunction((shown) => document.querySelector('.status-panel:nth-child(2)').textContent === shown, {}, answer === 'Ja' ? 'Welt: welt-1.wlt' : 'Welt: welt-2.wlt');
  }
  assert.equal(await worldPanel(), 'Welt: welt-1.wlt');
});

test('no goal world and no solution in the page', () => {
  const files = readdirSync(site, { recursive: true }).map(String);
  assert.ok(files.some((file) => file.endsWith('.svg')), 'the pictures are there');
  assert.deepEqual(files.filter((file) => /(^|\/)(ziel[^/]*\.wlt|loesung\.[^/]*)$/.test(file)), []);
  const module = readFileSync(join(site, 'nibbo.wasm')).toString('latin1');
  assert.ok(module.includes('/welt-1.wlt'), 'the start worlds are in the module');
  assert.ok(!module.includes('/ziel') && !module.includes('/loesung'), 'nor goal worlds nor solutions in the module');
});
