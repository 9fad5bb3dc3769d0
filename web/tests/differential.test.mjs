// The page and nibbo-batch run the same programs on the same worlds: the world the page saves
// after a run is byte for byte the one `nibbo-batch run --save` writes, and the page's last word
// (its message, or its message list) is the batch tool's.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { basename, dirname, join } from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';
import { batch, sharePage, root } from './support.mjs';

const seeds = join(root, 'fuzz', 'corpus', 'run');
// Programs of the fuzzer's seeds, one that runs into a wall and one the syntax check refuses, each
// on a world built from a seed
// (chosen so that the run ends within a few hundred steps), with a stock.
const cases = [
  { program: join(seeds, 'walk_and_collect.pas'), seed: 11, presses: 40, stock: 0 },
  { program: join(seeds, 'maze_right_hand.pas'), seed: 4, presses: 60, stock: 0 },
  { program: join(seeds, 'spiral_fill.pas'), seed: 5, presses: 30, stock: 12 },
  { program: join(seeds, 'conditions.pas'), seed: 8, presses: 50, stock: 3 },
  { program: join(seeds, 'nested_procedures.pas'), seed: 13, presses: 50, stock: 1 },
  { program: join(seeds, 'turn_around_recursive.pas'), seed: 2, presses: 20, stock: 0 },
  { program: join(seeds, 'empty_bodies.pas'), seed: 4, presses: 10, stock: 0 },
  { program: join(dirname(fileURLToPath(import.meta.url)), 'programs', 'gegen_die_mauer.pas'), seed: 2, presses: 10, stock: 0 },
  { program: join(root, 'tests', 'language', 'golden', 'closer_without_opener.pas'), seed: 6, presses: 5, stock: 0 },
];

let nibbo;
const work = mkdtempSync(join(tmpdir(), 'nibbo-differential-'));
before(() => {
  if (!existsSync(batch)) throw new Error(`no nibbo-batch at ${batch}; build the desktop program first`);
});
sharePage((page) => (nibbo = page));
after(() => {
  rmSync(work, { recursive: true, force: true });
});

// The batch tool's run of a program on a world: its lines and the world it saved.
function batchRun(world, program) {
  const saved = join(work, `batch-${Date.now()}.wlt`);
  let output;
  try {
    output = execFileSync(batch, ['run', '--world', world, '--save', saved, '--max-seconds', '0', program], {
      encoding: 'utf8',
    });
  } catch (failure) {
    output = failure.stdout;
  }
  return { lines: output.trimEnd().split('\n'), saved: existsSync(saved) ? readFileSync(saved) : null };
}

cases.forEach((c, i) => {
  test(`${basename(c.program)} on world ${c.seed}`, async () => {
    await nibbo.menu('Nibbos Welt', 'neue Welt');
    if (await nibbo.page.$('dialog[open]')) await nibbo.answer('Ja');
    await nibbo.buildWorld(c.seed, c.presses, c.stock);
    const world = await nibbo.saveAs('Nibbos Welt', 'Welt speichern unter ...', `welt-${i}.wlt`);
    const worldFile = join(work, `welt-${i}.wlt`);
    writeFileSync(worldFile, world);

    const program = c.program;
    await nibbo.open('Programm', 'Programm laden', program);
    await nibbo.setSpeed(0);
    await nibbo.button('Run');
    const expected = batchRun(worldFile, program);
    const ran = await Promise.race([
      nibbo.box(60000).then((box) => box.text),
      nibbo.page.waitForSelector('.message-list [role=option]').then(() => null),
    ]);
    if (ran === null) {
      // A program the syntax check refuses: the same messages, and no run.
      assert.deepEqual(await nibbo.messages(), expected.lines);
      return;
    }
    assert.equal(ran, expected.lines.at(-1));
    await nibbo.answer('OK');
    const result = await nibbo.saveAs('Nibbos Welt', 'Welt speichern unter ...', `ergebnis-${i}.wlt`);
    assert.ok(expected.saved, 'the batch tool saved the world');
    assert.ok(result.equals(expected.saved), 'the page saved the bytes nibbo-batch saved');
  });
});
