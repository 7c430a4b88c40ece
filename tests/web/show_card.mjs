// Opens settings.html on a card's SETTING folder in headless Chromium and
// saves a screenshot of each page in English and French at 100 % and 200 %
// zoom (twice the pixels for half the width):
//   node tests/web/show_card.mjs CARD/SETTING OUTPUT_FOLDER
// The card itself is only read: the page works on a copy in the browser's
// private file system.
import { existsSync, mkdirSync, readFileSync } from 'node:fs';
import { chromium } from 'playwright-core';

const [folder, output] = process.argv.slice(2);
mkdirSync(output, { recursive: true });
const files = Object.fromEntries(['setup.cfg', 'time.dat']
  .filter((name) => existsSync(`${folder}/${name}`))
  .map((name) => [name, [...readFileSync(`${folder}/${name}`)]]));
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--allow-file-access-from-files'],
});
for (const [zoom, width] of [[1, 700], [2, 350]]) {
  for (const language of ['english', 'french']) {
    const context = await browser.newContext({ viewport: { width, height: 600 }, deviceScaleFactor: zoom });
    const page = await context.newPage();
    await page.goto(`file://${folder}/settings.html`);
    await page.waitForFunction(() => document.documentElement.dataset.state === 'ready');
    await page.evaluate(async (entries) => {
      const root = await navigator.storage.getDirectory();
      const card = await root.getDirectoryHandle('SETTING', { create: true });
      for (const [name, bytes] of Object.entries(entries)) {
        const stream = await (await card.getFileHandle(name, { create: true })).createWritable();
        await stream.write(new Uint8Array(bytes));
        await stream.close();
      }
      window.showDirectoryPicker = async () => card;
    }, files);
    await page.click('#open');
    await page.waitForFunction(() => document.documentElement.dataset.state === 'loaded');
    // The record's language decides the page's, as the program's: chosen,
    // saved to the copy and opened again.
    const french = language === 'french';
    if ((await page.evaluate(() => document.documentElement.lang)) !== (french ? 'fr' : 'en')) {
      await page.locator('#page-0 input[type="radio"]').nth(french ? 1 : 0).check();
      await page.click('#save');
      await page.waitForFunction(() => document.documentElement.dataset.state === 'saved');
      await page.click('#cancel');
      await page.waitForFunction(() => document.documentElement.dataset.state === 'loaded');
    }
    for (let index = 0; index < 4; index++) {
      await page.click(`#tab-${index}`);
      await page.screenshot({ path: `${output}/page${index + 1}-${language}-${zoom * 100}.png`, fullPage: true });
    }
    await context.close();
  }
}
await browser.close();
console.log(`Screenshots of the four pages: ${output}`);
