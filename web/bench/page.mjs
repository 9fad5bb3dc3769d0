// Measures the page in headless Chromium: what it transfers, how soon it paints, and the pace of a
// run at four positions of the delay slider, against the intervals the slider stands for.
//   node web/bench/page.mjs            (NIBBO_SITE as for the tests; about a minute)
// A run of n turns (every statement executed, none silent) takes the first tick's 150 ms and then
// n statement intervals, so the interval is (time to "Programm beendet!" - 150 ms) / n.
import puppeteer from 'puppeteer-core';
import { openNibbo, serve } from '../tests/support.mjs';

const FIRST_TICK = 150;
// Position, turns, and the interval from one statement to the next that the position stands for.
const paces = [
  [0, 3000, 1],
  [2, 30, 192],
  [5, 12, 480],
  [10, 8, 960],
];

// A plain load of the page, as a pupil's browser makes it.
const { server, url } = await serve();
const browser = await puppeteer.launch({
  executablePath: process.env.NIBBO_CHROMIUM ?? '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu'],
});
const page = await browser.newPage();
await page.goto(url, { waitUntil: 'load' });
await page.waitForFunction(() => performance.getEntriesByName('nibbo-started').length > 0);
const loaded = await page.evaluate(() => {
  const resources = performance.getEntriesByType('resource');
  const navigation = performance.getEntriesByType('navigation')[0];
  const paint = performance.getEntriesByName('first-contentful-paint')[0];
  const started = performance.getEntriesByName('nibbo-started')[0];
  return {
    bytes: navigation.decodedBodySize + resources.reduce((sum, r) => sum + r.decodedBodySize, 0),
    files: resources.length + 1,
    firstPaint: paint?.startTime,
    started: started?.startTime,
  };
});
await browser.close();
server.close();
console.log(`transfer: ${loaded.files} files, ${(loaded.bytes / 1024).toFixed(0)} KiB uncompressed`);
console.log(`first paint: ${loaded.firstPaint?.toFixed(0)} ms; world view painted: ${loaded.started?.toFixed(0)} ms`);

for (const [position, turns, interval] of paces) {
  const nibbo = await openNibbo();
  await nibbo.press(5, 5, { keys: ['Control'] });
  await nibbo.typeProgram(`program drehen;\nbegin\n${'  drehe_links;\n'.repeat(turns)}end.\n`);
  await nibbo.saveAs('Nibbos Welt', 'Welt speichern unter ...', 'pace.wlt');
  await nibbo.setSpeed(position);
  await nibbo.page.evaluate(() => {
    window.paceTimes = {};
    document.querySelector('button[title="Run"]').addEventListener('click', () => {
      window.paceTimes.run = performance.now();
    }, { capture: true });
    new MutationObserver(() => {
      if (document.querySelector('dialog[open]') && !window.paceTimes.end) window.paceTimes.end = performance.now();
    }).observe(document.body, { childList: true, subtree: true, attributes: true });
  });
  await nibbo.button('Run');
  await nibbo.box(120000);
  const { run, end } = await nibbo.page.evaluate(() => window.paceTimes);
  const measured = (end - run - FIRST_TICK) / turns;
  console.log(`slider ${position}: ${measured.toFixed(2)} ms per statement (${interval} ms: ` +
    `${(((measured - interval) / interval) * 100).toFixed(1)} %), ${(1000 / measured).toFixed(0)} statements/s`);
  await nibbo.close();
}
