// The web page's figures as Markdown: its bytes (raw and gzipped), and in
// headless Chromium the time from navigation to the first render (the core
// loaded, the Open button shown), from Open to the card shown, and of Save
// with time.dat. Medians of BENCH_RUNS runs (9).
//   node bench/web_page.mjs build/web/settings.html
import { readFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { createRequire } from 'node:module';

const require = createRequire(new URL('../tests/web/', import.meta.url));
const { chromium } = require('playwright-core');
const page = process.argv[2];
const runs = Number(process.env.BENCH_RUNS || 9);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const ms = (value) => `${value.toFixed(1)} ms`;

const bytes = readFileSync(page);
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--allow-file-access-from-files'],
});
const times = { render: [], open: [], save: [] };
for (let run = 0; run < runs; run++) {
  const context = await browser.newContext({ timezoneId: 'Europe/Paris' });
  const tab = await context.newPage();
  await tab.goto('file://' + page);
  await tab.waitForFunction(() => document.documentElement.dataset.state === 'ready');
  times.render.push(await tab.evaluate(() => performance.now()));
  const [open, save] = await tab.evaluate(async () => {
    const root = await navigator.storage.getDirectory();
    await root.removeEntry('SETTING', { recursive: true }).catch(() => {});
    const folder = await root.getDirectoryHandle('SETTING', { create: true });
    window.showDirectoryPicker = async () => folder;
    const reached = (state) => new Promise((resolve) => {
      new MutationObserver((_, observer) => {
        if (document.documentElement.dataset.state !== state) return;
        observer.disconnect();
        resolve(performance.now());
      }).observe(document.documentElement, { attributes: true });
    });
    let start = performance.now();
    const loaded = reached('loaded');
    document.getElementById('open').click();
    const opened = (await loaded) - start;
    document.querySelector('#page-0 input[type="checkbox"]').click();
    start = performance.now();
    const saved = reached('saved');
    document.getElementById('save').click();
    return [opened, (await saved) - start];
  });
  times.open.push(open);
  times.save.push(save);
  await context.close();
}
const version = browser.version();
await browser.close();

console.log(`#### The web page (settings.html)

Chromium ${version}, headless; median of ${runs} runs; a card without setup.cfg.

| figure | value |
|---|---|
| bytes | ${bytes.length} (goal: at most 250 KB) |
| bytes gzipped | ${gzipSync(bytes, { level: 9 }).length} (goal: at most 80 KB) |
| navigation to first render (core loaded, Open shown) | ${ms(median(times.render))} |
| Open to the card shown | ${ms(median(times.open))} |
| Save (setup.cfg and time.dat) | ${ms(median(times.save))} |`);
