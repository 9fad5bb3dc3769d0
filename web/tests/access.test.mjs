// Every control is named for assistive technology, and every menu command is reached by keyboard.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { sharePage } from './support.mjs';

let nibbo;
sharePage((page) => (nibbo = page));

function named(node, found = []) {
  if (node.name) found.push(`${node.role}: ${node.name}`);
  for (const child of node.children ?? []) named(child, found);
  return found;
}

test('the controls carry their names', async () => {
  const { layout } = nibbo;
  const names = named(await nibbo.page.accessibility.snapshot());
  const wanted = [
    ...layout.buttons.list.map((button) => `button: ${button.hint}`),
    ...layout.menuBar.map((entry) => `menuitem: ${entry.caption}`),
    `application: ${layout.names.worldView}`,
    `textbox: ${layout.names.editor}`,
    `listbox: ${layout.names.messageList}`,
    `spinbutton: ${layout.stockLabel.text}`,
    `slider: ${layout.speedLabel.text}`,
  ];
  for (const name of wanted) assert.ok(names.includes(name), `${name} in ${names.join('; ')}`);
});

test('every menu command is reached from the menu bar by keyboard', async () => {
  const reached = [];
  await nibbo.page.focus('.menubar-item');
  for (const entry of nibbo.layout.menuBar) {
    if (entry.items.length > 0) {
      await nibbo.page.keyboard.press('ArrowDown');
      const enabled = entry.items.filter((item) => item.enabled).length;
      for (let i = 0; i < enabled; ++i) {
        reached.push(await nibbo.page.evaluate(() => document.activeElement.querySelector('.menu-caption').textContent));
        await nibbo.page.keyboard.press('ArrowDown');
      }
      await nibbo.page.keyboard.press('Escape');
    } else {
      reached.push(await nibbo.page.evaluate(() => document.activeElement.textContent));
    }
    await nibbo.page.keyboard.press('ArrowRight');
  }
  // Every enabled command, as the menu bar shows it.
  const shown = await nibbo.page.$$eval('.menubar-entry', (entries) => entries.flatMap((entry) => {
    const items = [...entry.querySelectorAll('.menu-item:not(:disabled) .menu-caption')].map((item) => item.textContent);
    return items.length > 0 ? items : [entry.querySelector('.menubar-item').textContent];
  }));
  assert.deepEqual(reached, shown);
});
