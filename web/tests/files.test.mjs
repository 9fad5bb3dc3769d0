// Files through the browser: a world saved as a download and loaded again with the file picker
// shows the same cells, start and stock; a program is saved in the desktop's bytes (Windows-1252,
// CR LF) and comes back as it was typed.
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, test } from 'node:test';
import { sharePage } from './support.mjs';

let nibbo;
const work = mkdtempSync(join(tmpdir(), 'nibbo-files-'));
sharePage((page) => (nibbo = page));
after(() => {
  rmSync(work, { recursive: true, force: true });
});

const statusPanels = () => nibbo.page.$$eval('.status-panel', (panels) => panels.map((p) => p.textContent));
const stock = () => nibbo.page.$eval('.stock-field input', (input) => input.value);

test('a world saved and loaded again', async () => {
  await nibbo.buildWorld(7, 40, 17);
  const built = await nibbo.worldPixels();
  const bytes = await nibbo.saveAs('Nibbos Welt', 'Welt speichern unter ...', 'garten.wlt');
  assert.equal((await statusPanels())[1], 'Welt: garten.wlt');

  await nibbo.menu('Nibbos Welt', 'neue Welt');
  await nibbo.setStock(0);
  assert.notDeepEqual(await nibbo.worldPixels(), built);

  const file = join(work, 'garten.wlt');
  writeFileSync(file, bytes);
  await nibbo.open('Nibbos Welt', 'Welt laden', file);
  await nibbo.page.waitForFunction(() => document.querySelector('.status-panel:nth-child(2)').textContent === 'Welt: garten.wlt');
  assert.deepEqual(await nibbo.worldPixels(), built);
  assert.equal(await stock(), '17');
});

test('a program saved in the bytes of the desktop and loaded again', async () => {
  const text = '{ Grüße an alle }\nprogram gruss;\nbegin\n\tvor;\nend.\n';
  await nibbo.typeProgram(text);
  const bytes = await nibbo.saveAs('Programm', 'Prg speichern unter ...', 'gruss.pas');
  assert.equal((await statusPanels())[2], 'Prg.: gruss.pas');
  assert.ok(bytes.equals(Buffer.from(text.replaceAll('\n', '\r\n'), 'latin1')), 'Windows-1252 with CR LF');

  await nibbo.menu('Programm', 'neues Programm');
  assert.equal((await nibbo.editor()).text, '');
  const file = join(work, 'gruss.pas');
  writeFileSync(file, bytes);
  await nibbo.open('Programm', 'Programm laden', file);
  await nibbo.page.waitForFunction(() => document.querySelector('.editor-text').value !== '');
  assert.equal((await nibbo.editor()).text, text);
});
