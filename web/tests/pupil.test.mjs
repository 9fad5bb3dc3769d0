// A pupil's way through the page with real input events: Nibbo placed by Ctrl + click, a program
// typed and run at full speed, "Programm beendet!" answered, the figure seen where the program left
// it; the syntax check's messages with the faulty line selected; a recording made by keys.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { sharePage } from './support.mjs';

let nibbo;
sharePage((page) => (nibbo = page));

test('a program typed and run moves Nibbo, and the run ends with its message', async () => {
  const before = await nibbo.worldPixels();
  const path = nibbo.cellCentre(before, 3, 3);
  await nibbo.press(3, 3, { keys: ['Control'] });
  const placed = await nibbo.worldPixels();
  assert.notEqual(nibbo.cellCentre(placed, 3, 3), path, 'the figure stands where Ctrl + click put it');

  await nibbo.typeProgram('program zwei_schritte;\nbegin\n  vor;\n  vor;\nend.\n');
  await nibbo.setSpeed(0);
  await nibbo.button('Run');
  // The world was edited: the run asks whether to reset it; Ja keeps the stored world, which has
  // no start yet; so the world is saved first with its figure.
  assert.deepEqual(await nibbo.box(), { title: 'Warnung', text: 'Nibbos Welt wurde verändert! Zurücksetzen?' });
  await nibbo.answer('Nein');
  await nibbo.page.waitForSelector('dialog[open] input[type=text]');
  await nibbo.page.keyboard.press('Enter');
  assert.deepEqual(await nibbo.box(), { title: 'Nibbo', text: 'Programm beendet!' });
  await nibbo.answer('OK');

  const after = await nibbo.worldPixels();
  assert.equal(nibbo.cellCentre(after, 3, 3), path, 'the start cell is bare path again');
  assert.equal(nibbo.cellCentre(after, 5, 3), nibbo.cellCentre(placed, 3, 3), 'Nibbo stands two cells east');
  assert.equal((await nibbo.editor()).disabled, false, 'the editor is unlocked after the run');
});

test('the syntax check lists its messages and selects the faulty line', async () => {
  await nibbo.typeProgram('program fehler;\nbegin\n  vor\n  vor;\nend.\n');
  await nibbo.button('Syntax-Überprüfung');
  // The page shows the list and the selection as the session sets them, one after the other.
  await nibbo.page.waitForFunction(() => {
    const area = document.querySelector('.editor-text');
    return document.querySelector('.message-list [role=option]') && area.selectionEnd > area.selectionStart;
  }, { timeout: 10000 });
  const messages = await nibbo.messages();
  assert.ok(messages.length > 0, 'the list holds the messages');
  const line = Number(messages[0].split(':')[0]);
  const { text, selected } = await nibbo.editor();
  assert.equal(selected, text.split('\n')[line], 'the line of the first message is selected');
});

test('a recording made by keys logs the moves and steers Nibbo', async () => {
  await nibbo.menu('Aufzeichnen', 'Aufzeichnungsmodus an');
  // The program typed before is not saved.
  assert.equal((await nibbo.box()).text, 'Das Programm wurde noch nicht gespeichert!  Löschen?');
  await nibbo.answer('Ja');
  await nibbo.menu('Aufzeichnen', 'Aufzeichnung starten');
  await (await nibbo.page.$('.world-view')).focus();
  const path = nibbo.cellCentre(await nibbo.worldPixels(), 2, 2);
  for (const key of ['d', 'v']) await nibbo.page.keyboard.press(key);
  const lines = (await nibbo.editor()).text.trimEnd().split('\n');
  assert.deepEqual(lines.slice(-2), ['  drehe_links;', '  vor;']);
  // Turned north where the run left Nibbo, then one cell up.
  const after = await nibbo.worldPixels();
  assert.equal(nibbo.cellCentre(after, 5, 3), path, 'Nibbo left its cell');
  assert.notEqual(nibbo.cellCentre(after, 5, 2), path, 'Nibbo stands one cell north');
  await nibbo.menu('Aufzeichnen', 'Aufzeichnung beenden');
});
