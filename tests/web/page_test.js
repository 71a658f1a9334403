// The browser page, Quenby.html, driven in headless chromium as a user drives it, against the
// command-line tool's output for the same form. Run by scripts/test:
//   node tests/web/page_test.js PAGE NATIVE_BIN OUT_DIR
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const {
  browser, outDir, example, pageUrl, quenby, shippedTemplates, fromCp437, openPage, settle, download, formState, pageState, fillAsUser, showTabOf, render, templateArgs, greys, previewRows, openFile, statusText, isDisabled,
} = require('./harness');

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
    ['<Default>', 'Blocks', 'Broken', 'Classic', 'Compact', 'Double', 'dropped', 'Empty', 'FileId', 'Gradient', 'Modern',
      'Plain', 'Pocket', 'Tall', 'Thin', 'Ticket', 'Wide']);
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
  const page = await browser().newPage();
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
