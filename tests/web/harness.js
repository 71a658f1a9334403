// What the browser suites share: headless chromium on Quenby.html with the network off, and the
// helpers that drive the page as a user does and read back what it shows. Each suite is run as
//   node tests/web/NAME_test.js PAGE NATIVE_BIN OUT_DIR
// PAGE is Quenby.html, NATIVE_BIN the native tree's bin/ (quenby, quenby_form), OUT_DIR where the
// downloads and screenshots go.
'use strict';
const {before, after} = require('node:test');
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const {PNG} = require('pngjs');
const puppeteer = require('puppeteer-core');

const [pagePath, nativeBin, outDir] = process.argv.slice(2).map((p) => path.resolve(p));
const root = path.resolve(__dirname, '../..');
const example = path.join(root, 'examples/release.toml');
const pageUrl = 'file://' + pagePath;
const quenby = path.join(nativeBin, 'quenby');
const shippedTemplates = ['<Default>', 'Blocks', 'Classic', 'Compact', 'Double', 'FileId', 'Gradient', 'Modern', 'Pocket',
  'Thin', 'Ticket', 'Wide'];

// The upper half of CP437, for reading the form tool's CP437 texts.
const cp437High = 'ÇüéâäàåçêëèïîìÄÅÉæÆôöòûùÿÖÜ¢£¥₧ƒáíóúñÑªº¿⌐¬½¼¡«»░▒▓│┤╡╢╖╕╣║╗╝╜╛┐' +
  '└┴┬├─┼╞╟╚╔╩╦╠═╬╧╨╤╥╙╘╒╓╫╪┘┌█▄▌▐▀αßΓπΣσµτΦΘΩδ∞φε∩≡±≥≤⌠⌡÷≈°∙·√ⁿ²■\u00a0';
const fromCp437 = (bytes) => [...bytes].map((b) => (b < 128 ? String.fromCharCode(b) : cp437High[b - 128])).join('');

let browser;
before(async () => {
  fs.mkdirSync(outDir, {recursive: true});
  browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: 'new',
    userDataDir: fs.mkdtempSync(path.join(outDir, 'profile-')),
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--no-first-run', '--disable-dev-shm-usage'],
  });
});
after(async () => browser && browser.close());

// A fresh page on Quenby.html with the network off and the browser's storage emptied, downloads
// going to a folder of its own.
async function openPage(name, {keepStorage = false} = {}) {
  const page = await browser.newPage();
  await page.setOfflineMode(true);
  await page.setViewport({width: 1400, height: 1000});
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  page.errors = errors;
  page.downloads = path.join(outDir, 'downloads', name);
  fs.rmSync(page.downloads, {recursive: true, force: true});
  fs.mkdirSync(page.downloads, {recursive: true});
  const session = await page.target().createCDPSession();
  await session.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: page.downloads});
  await page.goto(pageUrl);
  if (!keepStorage) {
    await page.evaluate(() => localStorage.clear());
    await page.reload();
  }
  await page.waitForSelector('body[data-ready="true"]');
  return page;
}

const settle = (page) => page.evaluate(() => new Promise((done) => setTimeout(done, 80)));

// Clicks a command and waits for the file it downloads.
async function download(page, button, fileName) {
  const target = path.join(page.downloads, fileName);
  fs.rmSync(target, {force: true});
  await page.click('#' + button);
  for (let waited = 0; waited < 10000; waited += 50) {
    if (fs.existsSync(target)) return fs.readFileSync(target);
    await new Promise((done) => setTimeout(done, 50));
  }
  throw new Error(`${button} downloaded no ${fileName}`);
}

// The controls as quenby_form states them: page, name, enabled, and checked or the text.
function formState(sheet) {
  const output = execFileSync(path.join(nativeBin, 'quenby_form'), sheet ? ['state', sheet] : ['state']);
  const records = fromCp437(output).replace(/\n$/, '').split(/\n(?=\w+ \w+ (?:enabled|disabled) )/);
  return records.map((record) => {
    const [, page, name, enabled, value] = /^(\w+) (\w+) (enabled|disabled) ([\s\S]*)$/.exec(record);
    const state = {id: `${page}-${name}`, enabled: enabled === 'enabled'};
    if (value.startsWith('"')) state.text = value.slice(1, -1).replace(/\r\n/g, '\n');
    else state.checked = value === 'checked';
    return state;
  });
}

// The page's controls in the same form.
const pageState = (page) => page.evaluate((ids) => ids.map((id) => {
  const input = document.getElementById(id);
  const state = {id, enabled: !input.disabled};
  if (input.type === 'checkbox' || input.type === 'radio') state.checked = input.checked;
  else state.text = input.value;
  return state;
}), formState().map((state) => state.id));

// Fills the form with the states, as a user does: the boxes ticked first, then every text typed
// or chosen.
async function fillAsUser(page, states) {
  const current = await pageState(page);
  for (const state of states.filter((s) => 'checked' in s)) {
    if (state.checked !== current.find((c) => c.id === state.id).checked) {
      await showTabOf(page, state.id);
      await page.click('#' + state.id);
    }
  }
  for (const state of states.filter((s) => 'text' in s)) {
    if (state.text === current.find((c) => c.id === state.id).text) continue;
    await showTabOf(page, state.id);
    if (await page.$eval('#' + state.id, (input) => input.tagName === 'SELECT')) {
      await page.select('#' + state.id, state.text);
      continue;
    }
    await page.click('#' + state.id, {clickCount: 3});
    await page.keyboard.press('Backspace');
    await page.type('#' + state.id, state.text);
  }
  await settle(page);
}

const showTabOf = (page, id) => page.click('#' + id.split('-')[0] + 'Tab');

function render(sheet, args = []) {
  return execFileSync(quenby, ['render', ...args, sheet]);
}

function templateArgs(name) {
  return name === '<Default>' ? [] : ['--template', path.join(root, 'templates', name + '.ntf')];
}

// A PNG's pixels as grey levels, one byte a pixel.
function greys(png) {
  const image = PNG.sync.read(png);
  const out = Buffer.alloc(image.width * image.height);
  for (let i = 0; i < out.length; ++i) out[i] = image.data[4 * i];
  return {width: image.width, height: image.height, pixels: out};
}

// The rows of the picture the preview canvas shows, and where they start.
const previewRows = (page) => page.evaluate(() => {
  const canvas = document.getElementById('PreviewCanvas');
  const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
  const pixels = [];
  for (let i = 0; i < data.length; i += 4) pixels.push(data[i]);
  return {width: canvas.width, height: canvas.height, top: parseInt(canvas.style.top, 10), pixels};
});

// Opens a file through one of the page's file inputs and waits for the page to say what came of it.
async function openFile(page, input, file) {
  await page.$eval('#Status', (status) => { status.textContent = ''; });
  await (await page.$('#' + input)).uploadFile(file);
  await page.waitForFunction(() => document.getElementById('Status').textContent !== '');
  await settle(page);
}

const statusText = (page) => page.$eval('#Status', (status) => status.textContent);
const isDisabled = (page, id) => page.$eval('#' + id, (button) => button.disabled);

module.exports = {
  pagePath, nativeBin, outDir, root, example, pageUrl, quenby, shippedTemplates, fromCp437, openPage, settle, download, formState, pageState, fillAsUser, showTabOf, render, templateArgs, greys, previewRows, openFile, statusText, isDisabled,
  browser: () => browser,
};
