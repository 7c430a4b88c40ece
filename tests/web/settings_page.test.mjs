// settings.html in headless Chromium on its file:// address. The card is a
// folder in the origin-private file system, handed to the page in place of
// the folder picker; the fallback without the File System Access API gets
// the same files dropped and saves them as downloads. Controls are found by
// role and name, as a screen reader finds them.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { chromium } from 'playwright-core';

const PAGE = process.env.SETTINGS_PAGE;
const AXE = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
const SAVED_AT = 'file:' + PAGE;

let browser;
before(async () => {
  browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--allow-file-access-from-files'],
  });
});
after(() => browser.close());

// --- The card -------------------------------------------------------------

// A setup.cfg of `length` bytes whose every byte is known (so one moved or
// lost shows) and whose length word is `checkSum`; the two pairs that the
// program clicks when it shows them hold 1, a value they keep, and the
// language is English.
function settingsFile(length, checkSum) {
  const bytes = Uint8Array.from({ length }, (_, i) => (i * 7 + 1) & 0xff);
  const view = new DataView(bytes.buffer);
  view.setUint32(0, checkSum, true);
  for (const [offset, value] of [[100, 1], [108, 1], [428, 0]]) {
    if (offset + 4 <= length) view.setInt32(offset, value, true);
  }
  return bytes;
}

// The factory settings by offset: what Initialize writes, and what Save
// writes (with the current version) where the card has no settings.
const FACTORY_INTS = { 52: 2, 56: 3, 60: 3, 64: 1, 76: 0, 80: 0, 84: 0, 100: 1, 108: 1, 112: 3,
  116: 0, 120: 7, 132: 1, 136: 1, 140: 1, 144: 1, 148: 1, 152: 2, 156: 3, 160: 3, 164: 0, 168: 0,
  172: 0, 176: 7, 180: 0, 184: 1, 196: 3, 200: 48, 204: 6, 208: 6, 212: 1, 216: 0, 372: -480,
  376: 1, 412: 0, 416: 0, 428: 0 };
const FACTORY_TEXTS = { 8: ['R470', 16], 228: ['SETTING\\R470_Setting.exe', 128],
  380: ['Pacific Standard Time', 32] };

function withFactorySettings(record) {
  const bytes = Uint8Array.from(record);
  const view = new DataView(bytes.buffer);
  for (const [offset, value] of Object.entries(FACTORY_INTS)) view.setInt32(Number(offset), value, true);
  for (const [offset, [text, width]] of Object.entries(FACTORY_TEXTS)) {
    bytes.fill(0, Number(offset), Number(offset) + width);
    bytes.set(Buffer.from(text), Number(offset));
  }
  return bytes;
}

function factorySettings() {
  const bytes = withFactorySettings(new Uint8Array(432));
  new DataView(bytes.buffer).setUint32(4, 0x00010005, true);
  return bytes;
}

// The layouts a card can hold, and how many bytes Save writes over the file.
const LAYOUTS = readFileSync(new URL('../vectors/setup_cfg_layouts.tsv', import.meta.url), 'utf8')
  .split('\n').filter((line) => line && !line.startsWith('#')).map((line) => {
    const [name, length, checkSum, saved] = line.split('\t');
    const number = (text) => (text === '-' ? null : Number(text));
    return { name, length: number(length), checkSum: number(checkSum), saved: number(saved) };
  });

async function openPage({ api = true, timezoneId = 'Europe/Paris' } = {}) {
  const context = await browser.newContext({ timezoneId, locale: 'en-GB', acceptDownloads: true });
  const page = await context.newPage();
  page.on('pageerror', (error) => assert.fail(`page error: ${error.message}`));
  if (!api) await page.addInitScript(() => { delete window.showDirectoryPicker; });
  await page.goto(SAVED_AT);
  await page.waitForFunction(() => document.documentElement.dataset.state === 'ready');
  return page;
}

// Puts `files` (name -> bytes) into a fresh folder of the page's private
// file system, which the folder picker then returns.
async function putCard(page, files) {
  await page.evaluate(async (entries) => {
    const root = await navigator.storage.getDirectory();
    await root.removeEntry('SETTING', { recursive: true }).catch(() => {});
    const folder = await root.getDirectoryHandle('SETTING', { create: true });
    for (const [name, bytes] of entries) {
      const stream = await (await folder.getFileHandle(name, { create: true })).createWritable();
      await stream.write(new Uint8Array(bytes));
      await stream.close();
    }
    window.showDirectoryPicker = async () => folder;
  }, Object.entries(files).map(([name, bytes]) => [name, [...bytes]]));
}

async function readCard(page) {
  const files = await page.evaluate(async () => {
    const folder = await (await navigator.storage.getDirectory()).getDirectoryHandle('SETTING');
    const out = {};
    for await (const [name, handle] of folder.entries()) {
      out[name] = [...new Uint8Array(await (await handle.getFile()).arrayBuffer())];
    }
    return out;
  });
  return Object.fromEntries(Object.entries(files).map(([name, bytes]) => [name, Uint8Array.from(bytes)]));
}

// Drops loose files on the page, as a driver without the folder picker may.
async function dropFiles(page, files) {
  await page.evaluate((entries) => {
    const transfer = new DataTransfer();
    for (const [name, bytes] of entries) transfer.items.add(new File([new Uint8Array(bytes)], name));
    document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
  }, Object.entries(files).map(([name, bytes]) => [name, [...bytes]]));
}

const state = (page) => page.evaluate(() => document.documentElement.dataset.state);
const tab = (page, name) => page.getByRole('tab', { name });
const group = (page, name) => page.getByRole('group', { name, exact: true });

// --- The same edits on every layout -------------------------------------

// Each edit: where it is made, and the field it writes (offset, value). The
// Common page's later rows exist from layout 1.2 on and are disabled before.
const radio = (section, name) => (p) => group(p, section).getByRole('radio', { name, exact: true });
const EDITS = [
  { tab: 'Common', find: radio('Voice recording', 'Disabled'), act: (c) => c.check(), offset: 100, value: 0 },
  { tab: 'Common', find: (p) => p.getByRole('slider', { name: 'Volume' }), act: (c) => c.fill('5'), offset: 112, value: 5 },
  { tab: 'Common', find: radio('Daylight Saving Time', 'Disabled'), act: (c) => c.check(), offset: 376, value: 0 },
  { tab: 'Common', find: (p) => p.getByRole('combobox', { name: 'Time zone' }),
    act: (c) => c.selectOption({ label: '(UTC+09:00) Osaka, Sapporo, Tokyo' }), offset: 372, value: 540,
    text: [380, 'Tokyo Standard Time'] },
  { tab: 'Continuous Mode', find: radio('Video quality', 'Low'), act: (c) => c.check(), offset: 60, value: 1 },
  { tab: 'Parking Mode', find: (p) => p.getByRole('slider', { name: 'Time', exact: true }), act: (c) => c.fill('2'), offset: 200, value: 4 },
  { tab: 'Parking Mode', find: (p) => p.getByRole('slider', { name: 'Vehicle voltage 24V' }), act: (c) => c.fill('3'), offset: 208, value: 3 },
  { tab: 'Additional functions', find: (p) => p.getByRole('checkbox', { name: 'Manual recording' }), act: (c) => c.setChecked(false), offset: 144, value: 0 },
  { tab: 'Additional functions', find: (p) => p.getByRole('radio', { name: 'C Type' }), act: (c) => c.check(), offset: 212, value: 3 },
];

// Makes the edits the layout's record can hold, checks that the others are
// disabled, and sets the camera clock; returns the expected setup.cfg.
async function makeEdits(page, original, saved) {
  const expected = Uint8Array.from(original);
  const view = new DataView(expected.buffer);
  view.setUint32(0, 432, true);
  for (const edit of EDITS) {
    await tab(page, edit.tab).click();
    const control = edit.find(page);
    if (edit.offset + 4 > saved) {
      assert.equal(await control.isDisabled(), true, `field ${edit.offset} is not saved, yet enabled`);
      continue;
    }
    await edit.act(control);
    view.setInt32(edit.offset, edit.value, true);
    if (edit.text) {
      expected.fill(0, edit.text[0], edit.text[0] + 32);
      expected.set(Buffer.from(edit.text[1]), edit.text[0]);
    }
  }
  await tab(page, 'Common').click();
  await page.getByRole('checkbox', { name: 'Setting time' }).check();
  await page.getByLabel('Date', { exact: true }).fill('2026-12-08');
  await page.getByLabel('Time of day', { exact: true }).fill('03:59:07');
  return expected;
}

function cardFiles(layout) {
  if (layout.length === null) return {};
  return { 'setup.cfg': settingsFile(layout.length, layout.checkSum) };
}

// What the card holds after the save: the old file under the saved bytes.
function expectedFile(layout, edited) {
  const original = cardFiles(layout)['setup.cfg'];
  if (!original || original.length < 356) return edited;
  const file = Uint8Array.from(original);
  file.set(edited.subarray(0, layout.saved));
  return file;
}

// The clock line, with the zone the record holds: Tokyo where the zone
// could be chosen, else the browser's (Paris), which the page put into a
// record without a zone, as the program puts the PC's.
const clockLine = (saved) => `2026,12,08,03,59,07,${saved >= 412 ? '+0900' : '+0100'}`;

for (const layout of LAYOUTS) {
  test(`layout ${layout.name}: the edits are saved in place byte for byte`, async () => {
    const page = await openPage();
    const files = cardFiles(layout);
    await putCard(page, { ...files, 'time.dat': Buffer.from('2025,1,2,3,4,5,+0000') });
    await page.getByRole('button', { name: 'Open' }).click();
    await page.waitForFunction(() => document.documentElement.dataset.state !== 'ready');
    assert.equal(await state(page), 'loaded');
    const original = files['setup.cfg'] && files['setup.cfg'].length >= 356
      ? Uint8Array.from([...files['setup.cfg'].subarray(0, 432), ...new Uint8Array(432)].slice(0, 432))
      : factorySettings();
    const edited = await makeEdits(page, original, layout.saved);
    await page.getByRole('button', { name: 'Save' }).click();
    await page.waitForFunction(() => document.documentElement.dataset.state !== 'loaded');
    assert.equal(await state(page), 'saved');
    const card = await readCard(page);
    assert.deepEqual(card['setup.cfg'], expectedFile(layout, edited));
    assert.equal(Buffer.from(card['time.dat']).toString(), clockLine(layout.saved));

    // Cleared, the clock setting deletes time.dat; Cancel shows the card again.
    await page.getByRole('checkbox', { name: 'Setting time' }).uncheck();
    await page.getByRole('button', { name: 'Save' }).click();
    await page.waitForFunction(() => document.documentElement.dataset.state === 'saved');
    assert.equal((await readCard(page))['time.dat'], undefined);
    await page.getByRole('button', { name: 'Cancel' }).click();
    await page.waitForFunction(() => document.documentElement.dataset.state === 'loaded');
    assert.equal(await page.getByRole('checkbox', { name: 'Setting time' }).isChecked(), false);
    await page.context().close();
  });
}

test('without the File System Access API, dropped files are saved as the same bytes, as downloads', async () => {
  for (const layout of LAYOUTS.filter((l) => ['1.3', 'tail'].includes(l.name))) {
    const page = await openPage({ api: false });
    const files = cardFiles(layout);
    await dropFiles(page, files);
    await page.waitForFunction(() => document.documentElement.dataset.state === 'loaded');
    const original = Uint8Array.from([...files['setup.cfg'], ...new Uint8Array(432)].slice(0, 432));
    const edited = await makeEdits(page, original, layout.saved);
    const downloads = [];
    page.on('download', (download) => downloads.push(download));
    await page.getByRole('button', { name: 'Save' }).click();
    await page.waitForFunction(() => document.documentElement.dataset.state === 'saved');
    await page.waitForTimeout(300);
    const saved = {};
    for (const download of downloads) saved[download.suggestedFilename()] = readFileSync(await download.path());
    assert.deepEqual(Uint8Array.from(saved['setup.cfg']), expectedFile(layout, edited));
    assert.equal(saved['time.dat'].toString(), clockLine(layout.saved));
    assert.match(await page.textContent('#message'), /Copy the downloaded setup.cfg and time.dat/);
    await page.context().close();
  }
});

test('parking mode goes off only when confirmed; Initialize puts the factory settings back', async () => {
  const page = await openPage();
  const file = settingsFile(432, 432);
  new DataView(file.buffer).setInt32(180, 1, true);
  await putCard(page, { 'setup.cfg': file });
  await page.getByRole('button', { name: 'Open' }).click();
  await page.waitForFunction(() => document.documentElement.dataset.state === 'loaded');
  await tab(page, 'Parking Mode').click();
  const on = page.getByRole('radio', { name: /^Enabled \(Switch/ });
  const off = page.getByRole('radio', { name: /^Disabled \(Turn off/ });
  const questions = [];
  page.once('dialog', (dialog) => { questions.push(dialog.message()); dialog.dismiss(); });
  await off.click();
  assert.equal(await on.isChecked(), true);
  page.once('dialog', (dialog) => dialog.accept());
  await off.click();
  assert.equal(await off.isChecked(), true);
  assert.deepEqual(questions, ['If Parking Mode is disabled,\nthe dash cam stops recording when the vehicle is turned off.']);

  await page.getByRole('button', { name: 'Initialize' }).click();
  await page.getByRole('button', { name: 'Save' }).click();
  await page.waitForFunction(() => document.documentElement.dataset.state === 'saved');
  const expected = withFactorySettings(file);
  new DataView(expected.buffer).setUint32(0, 432, true);
  assert.deepEqual((await readCard(page))['setup.cfg'], expected);
  await page.context().close();
});

test('a card that takes no writes: Save says so, and time.dat is left as it was', async () => {
  const page = await openPage();
  const clock = '2025,01,02,03,04,05,+0000';
  await putCard(page, { 'setup.cfg': settingsFile(432, 432), 'time.dat': Buffer.from(clock) });
  await page.getByRole('button', { name: 'Open' }).click();
  await page.waitForFunction(() => document.documentElement.dataset.state === 'loaded');
  await page.evaluate(() => {
    FileSystemFileHandle.prototype.createWritable = async () => {
      throw new DOMException('write-protected', 'NoModificationAllowedError');
    };
  });
  // Cleared, the clock setting would delete time.dat once setup.cfg is written.
  await page.getByRole('checkbox', { name: 'Setting time' }).uncheck();
  await page.getByRole('button', { name: 'Save' }).click();
  await page.waitForFunction(() => document.documentElement.dataset.state !== 'loaded');
  assert.equal(await state(page), 'error');
  assert.match(await page.getByRole('alert').textContent(), /^Cannot save the settings to the memory card/);
  assert.equal(Buffer.from((await readCard(page))['time.dat']).toString(), clock);
  await page.context().close();
});

test('keyboard only: every page is reached, a setting changed and saved', async () => {
  const page = await openPage();
  await putCard(page, { 'setup.cfg': settingsFile(432, 432) });
  await page.keyboard.press('Tab');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => document.documentElement.dataset.state === 'loaded');
  await page.keyboard.press('Tab');
  for (const name of ['Continuous Mode', 'Parking Mode', 'Additional functions']) {
    await page.keyboard.press('ArrowRight');
    assert.equal(await tab(page, name).getAttribute('aria-selected'), 'true');
    assert.equal(await page.getByRole('tabpanel').count(), 1);
  }
  // Into the page: past the panel, the fixed box, to "Incident recording in continuous mode".
  await page.keyboard.press('Tab');
  await page.keyboard.press('Tab');
  await page.keyboard.press('Space');
  for (let i = 0; i < 40 && !(await page.evaluate(() => document.activeElement.id === 'save')); i++) {
    await page.keyboard.press('Tab');
  }
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => document.documentElement.dataset.state === 'saved');
  const saved = new DataView((await readCard(page))['setup.cfg'].buffer);
  assert.equal(saved.getInt32(132, true), 0);
  await page.context().close();
});

test('axe finds no violation on any page in either language', async () => {
  for (const language of [0, 1]) {
    const page = await openPage();
    const file = settingsFile(432, 432);
    new DataView(file.buffer).setInt32(428, language, true);
    await putCard(page, { 'setup.cfg': file });
    await page.locator('#open').click();
    await page.waitForFunction(() => document.documentElement.dataset.state === 'loaded');
    assert.equal(await page.evaluate(() => document.documentElement.lang), language ? 'fr' : 'en');
    await page.addScriptTag({ content: AXE });
    for (let index = 0; index < 4; index++) {
      await page.locator(`#tab-${index}`).click();
      const violations = await page.evaluate(async () => (await window.axe.run()).violations);
      assert.deepEqual(violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`), [],
        `language ${language}, page ${index}`);
    }
    await page.context().close();
  }
});
