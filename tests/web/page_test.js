// The browser page, Quenby.html, driven in headless chromium as a user drives it, against the
// command-line tool's output for the same form. Run by scripts/test:
//   node tests/web/page_test.js PAGE NATIVE_BIN OUT_DIR
// PAGE is Quenby.html, NATIVE_BIN the native tree's bin/ (quenby, quenby_form), OUT_DIR where the
// downloads and screenshots go.
'use strict';
const {test, before, after} = require('node:test');
const assert = require('node:assert/strict');
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
const shippedTemplates = ['<Default>', 'Compact', 'FileId', 'Wide'];

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

test('the full form typed as a user types gives the command line\'s NFO and picture for each template', async () => {
  const page = await openPage('full-form');
  await fillAsUser(page, formState(example));
  assert.deepEqual(await pageState(page), formState(example));
  assert.deepEqual(await page.$$eval('#TemplateSelector option', (o) => o.map((x) => x.value)), shippedTemplates);
  for (const name of shippedTemplates) {
    await page.select('#TemplateSelector', name);
    await settle(page);
    const nfo = render(example, templateArgs(name));
    const saved = await download(page, 'SaveButton', 'Nébula Sketchpad 3.2.nfo');
    assert.ok(saved.equals(nfo), `${name}: the saved NFO differs from quenby render's`);
    assert.equal(await page.$eval('#PreviewText', (pre) => pre.textContent), fromCp437(nfo), name);
    const pngFile = path.join(outDir, `cli-${name}.png`);
    execFileSync(quenby, ['render', ...templateArgs(name), '--png', pngFile, '-o', '/dev/null', example]);
    const expected = greys(fs.readFileSync(pngFile));
    const shown = await previewRows(page);
    assert.equal(shown.width, expected.width, name);
    const start = shown.top * expected.width;
    assert.ok(Buffer.from(shown.pixels).equals(expected.pixels.subarray(start, start + shown.pixels.length)),
      `${name}: the preview's pixels differ from quenby render --png's`);
    const picture = greys(await download(page, 'PngButton', 'Nébula Sketchpad 3.2.png'));
    assert.deepEqual([picture.width, picture.height], [expected.width, expected.height], name);
    assert.ok(picture.pixels.equals(expected.pixels), `${name}: the saved PNG's pixels differ`);
  }
  // Copy puts the text shown on the clipboard: pasted, it arrives whole.
  await page.click('#CopyButton');
  await page.evaluate(() => {
    const box = document.createElement('textarea');
    box.id = 'PasteBox';
    document.body.append(box);
    document.addEventListener('paste', (event) => { window.pasted = event.clipboardData.getData('text/plain'); }, {once: true});
  });
  await page.focus('#PasteBox');
  await page.keyboard.down('Control');
  await page.keyboard.press('KeyV');
  await page.keyboard.up('Control');
  assert.equal(await page.evaluate(() => window.pasted), fromCp437(render(example, templateArgs('Wide'))));
  await page.$eval('#PasteBox', (box) => box.remove());
  assert.equal(await statusText(page), 'Copied to the clipboard.');
  for (const tab of ['General', 'Upload', 'VariousText']) {
    await page.click(`#${tab}Tab`);
    await page.screenshot({path: path.join(outDir, `page-${tab}.png`)});
  }
  assert.deepEqual(page.errors, []);
  await page.close();
});

// Templates the user opens: each with what the page says, and whether Save and Copy are on.
const openedTemplates = [
  // name, contents, what the preview or the status shows, the output commands on
  ['Broken.ntf', 'First line\r\nSecond line\r\n#NOSUCH 1 2 3\r\nLast\r\n',
    {preview: 'ERROR:\r\nUnrecognised directive: NOSUCH\r\n\r\nTemplate: Broken.ntf\r\nLine:     3'}, false],
  ['Plain.ntf', 'Just text\n', {preview: 'Just text\r\n'}, true],
  ['Empty.ntf', '', {status: 'Error loading template...\nFile is empty: Empty.ntf'}, true],
  ['Huge.ntf', 'x'.repeat((1 << 20) + 1), {status: 'Huge.ntf: too large for a template: 1048577 bytes, at most 1048576.'}, true],
  ['.ntf', 'x', {status: '.ntf: not a usable template name.'}, true],
  // 2,600 lines of 14 pixel rows: taller than a canvas can be.
  ['Tall.ntf', 'x\n'.repeat(2600), {png: 'The picture is too tall for the browser: 36400 pixel rows, at most 32767. quenby render --png draws it.'}, true],
];

test('templates opened from files are offered, sorted, and fail with the report', async () => {
  const page = await openPage('templates');
  for (const [name, contents, shows, outputOn] of openedTemplates) {
    const file = path.join(outDir, name);
    fs.writeFileSync(file, contents);
    await openFile(page, 'TemplateFile', file);
    if (shows.preview) assert.ok((await page.$eval('#PreviewText', (p) => p.textContent)).includes(shows.preview), name);
    if (shows.status) assert.equal(await statusText(page), shows.status, name);
    if (shows.png) {
      await page.click('#PngButton');
      assert.equal(await statusText(page), shows.png, name);
    }
    for (const button of ['SaveButton', 'CopyButton', 'PngButton']) assert.equal(await isDisabled(page, button), !outputOn, `${name} ${button}`);
    if (name === 'Broken.ntf') await page.screenshot({path: path.join(outDir, 'page-failure-report.png')});
  }
  // A template dropped on the page joins them.
  await page.evaluate(() => {
    const files = new DataTransfer();
    files.items.add(new File(['Dropped here\r\n'], 'dropped.ntf'));
    window.dispatchEvent(new DragEvent('drop', {dataTransfer: files, cancelable: true}));
  });
  await page.waitForFunction(() => document.getElementById('PreviewText').textContent === 'Dropped here\r\n');
  assert.deepEqual(await page.$$eval('#TemplateSelector option', (o) => o.map((x) => x.value)),
    ['<Default>', 'Broken', 'Compact', 'dropped', 'Empty', 'FileId', 'Plain', 'Tall', 'Wide']);
  await page.close();
});

// Clicks in order, then the controls expected enabled and disabled, and check marks kept.
const enablingRules = [
  [['General-SerialCheck'], {enabled: ['General-SerialEdit', 'General-RegisteredToCheck'], disabled: ['General-RegisteredToEdit']}],
  [['General-SerialCheck', 'General-RegisteredToCheck'], {enabled: ['General-RegisteredToEdit']}],
  [['General-SerialCheck', 'General-RegisteredToCheck', 'General-SerialCheck'],
    {disabled: ['General-SerialEdit', 'General-RegisteredToCheck', 'General-RegisteredToEdit'], checked: ['General-RegisteredToCheck']}],
  [['General-UnpackedCheck'], {enabled: ['General-UnpackedEdit']}],
  [['General-CrackedByCheck', 'General-CrackIncludedRadio', 'General-CrackedByCheck'],
    {disabled: ['General-AlreadyCrackedRadio', 'General-CrackIncludedRadio'], checked: ['General-CrackIncludedRadio']}],
  [['General-KeygenByCheck'], {enabled: ['General-KeygenByEdit']}],
  [['Upload-PostNumberCheck'], {disabled: ['Upload-PostNumberEdit']}],
  [['Upload-FilesCheck', 'Upload-PerDayCheck', 'Upload-FilesCheck'],
    {disabled: ['Upload-FilesEdit', 'Upload-PerDayCheck', 'Upload-PerDayEdit'], checked: ['Upload-PerDayCheck']}],
  [['Upload-SfvCheck', 'Upload-CustomTextRadio'],
    {enabled: ['Upload-CustomSupportEdit'], disabled: ['Upload-SfvCheck', 'Upload-CueCheck', 'Upload-ManualCheck'], checked: ['Upload-SfvCheck']}],
  [['VariousText-InstallCheck', 'VariousText-CommentsCheck', 'VariousText-ThanksCheck'],
    {enabled: ['VariousText-InstallEdit', 'VariousText-CommentsEdit', 'VariousText-ThanksEdit']}],
];

// Typed text and what the box then holds.
const typedTexts = [
  ['General-PackedEdit', '12ab3', '123'],
  ['Upload-PerDayEdit', '4 5-6', '456', ['Upload-FilesCheck', 'Upload-PerDayCheck']],
  ['Upload-NewsgroupsEdit', 'Alt.Binaries.ÉDITION\nALT.TEST', 'alt.binaries.édition\nalt.test'],
  ['VariousText-InstallEdit', 'Unpack\nRun Setup.exe', 'Unpack\nRun Setup.exe', ['VariousText-InstallCheck']],
  ['Upload-UploadedAsCombo', 'Two DVD images', 'Two DVD images'],
];

test('the untouched form, the enabling rules and the typing filters', async () => {
  const page = await openPage('rules');
  assert.deepEqual(await pageState(page), formState());
  for (const [clicks, expected] of enablingRules) {
    await page.click('#ClearForm');
    for (const id of clicks) {
      await showTabOf(page, id);
      await page.click('#' + id);
    }
    const state = await pageState(page);
    const of = (id) => state.find((s) => s.id === id);
    for (const id of expected.enabled || []) assert.equal(of(id).enabled, true, `${clicks}: ${id} enabled`);
    for (const id of expected.disabled || []) assert.equal(of(id).enabled, false, `${clicks}: ${id} disabled`);
    for (const id of expected.checked || []) assert.equal(of(id).checked, true, `${clicks}: ${id} checked`);
  }
  for (const [id, typed, held, ticks = []] of typedTexts) {
    await page.click('#ClearForm');
    for (const tick of ticks) {
      await showTabOf(page, tick);
      await page.click('#' + tick);
    }
    await showTabOf(page, id);
    await page.type('#' + id, typed);
    assert.equal(await page.$eval('#' + id, (input) => input.value), held, id);
  }
  await page.close();
});

test('a character CP437 lacks is refused next to its box, and the text stays', async () => {
  const page = await openPage('unencodable');
  await page.type('#General-TitleEdit', 'Costs 5 € only');
  await settle(page);
  assert.equal(await page.$eval('#General-TitleEdit-Problem', (note) => note.textContent),
    'character "€" (U+20AC) has no CP437 form');
  assert.equal(await page.$eval('#General-TitleEdit', (input) => input.value), 'Costs 5 € only');
  assert.equal(await isDisabled(page, 'SaveButton'), true);
  await page.screenshot({path: path.join(outDir, 'page-unencodable.png')});
  for (let i = 0; i < ' only'.length + 1; ++i) await page.keyboard.press('Backspace');
  await page.keyboard.press('Backspace');
  await settle(page);
  assert.equal(await page.$('#General-TitleEdit-Problem'), null);
  assert.equal(await isDisabled(page, 'SaveButton'), false);
  await page.close();
});

test('a sheet opened fills the form, and the form saved as a sheet renders the same', async () => {
  const page = await openPage('sheets');
  await openFile(page, 'SheetFile', example);
  assert.equal(await statusText(page), 'release.toml opened.');
  assert.deepEqual(await pageState(page), formState(example));
  // The comments end in a line break of their own, which the sheet must keep.
  await page.click('#VariousTextTab');
  await page.focus('#VariousText-CommentsEdit');
  await page.keyboard.down('Control');
  await page.keyboard.press('End');
  await page.keyboard.up('Control');
  await page.keyboard.press('Enter');
  await settle(page);
  const nfo = await download(page, 'SaveButton', 'Nébula Sketchpad 3.2.nfo');
  assert.ok(!nfo.equals(render(example)), 'the line break changed nothing');
  const sheet = path.join(outDir, 'saved.toml');
  fs.writeFileSync(sheet, await download(page, 'SaveSheet', 'Nébula Sketchpad 3.2.toml'));
  assert.ok(render(sheet).equals(nfo), 'the saved sheet renders otherwise');
  // A sheet with a problem leaves the form as it was and says why.
  const bad = path.join(outDir, 'bad.toml');
  fs.writeFileSync(bad, '[genral]\ntitle = "x"\n');
  await openFile(page, 'SheetFile', bad);
  assert.equal(await statusText(page), 'bad.toml:1: genral: unknown table genral; did you mean general?');
  assert.deepEqual(await pageState(page), formState(sheet));
  await page.close();
});

test('the form is kept over a reload, and Clear form starts it again', async () => {
  let page = await openPage('reload');
  await page.type('#General-TitleEdit', 'Kept');
  await page.click('#UploadTab');
  await page.click('#Upload-FillWaitCheck');
  await page.select('#TemplateSelector', 'Wide');
  await settle(page);
  await page.reload();
  await page.waitForSelector('body[data-ready="true"]');
  assert.equal(await page.$eval('#General-TitleEdit', (input) => input.value), 'Kept');
  assert.equal(await page.$eval('#Upload-FillWaitCheck', (input) => input.checked), true);
  assert.equal(await page.$eval('#TemplateSelector', (selector) => selector.value), 'Wide');
  await page.click('#ClearForm');
  await settle(page);
  assert.equal(await statusText(page), 'The form starts again.');
  await page.close();
  page = await openPage('reload', {keepStorage: true});
  assert.deepEqual(await pageState(page), formState());
  await page.close();
});

test('opened from file://, the page makes no request beyond itself', async () => {
  const page = await browser.newPage();
  await page.setOfflineMode(true);
  const requests = [];
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    requests.push(request.url());
    request.continue();
  });
  const started = Date.now();
  await page.goto(pageUrl);
  await page.waitForSelector('body[data-ready="true"]');
  console.log(`# first preview shown ${await page.evaluate(() => window.quenbyFirstPreview.toFixed(0))} ms ` +
    `after the navigation started (${Date.now() - started} ms in all)`);
  await page.type('#General-TitleEdit', 'Offline');
  for (const name of shippedTemplates) await page.select('#TemplateSelector', name);
  await page.click('#UploadTab');
  await page.click('#Upload-CustomTextRadio');
  await settle(page);
  assert.deepEqual(requests, [pageUrl]);
  await page.close();
});
