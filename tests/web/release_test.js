// A release's files dropped on the page: the boxes against quenby sheet --from of the same
// folder, and Save SFV against quenby sfv, byte for byte. Run by scripts/test:
//   node tests/web/release_test.js PAGE NATIVE_BIN OUT_DIR
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const {execFileSync} = require('node:child_process');
const {outDir, quenby, openPage, download, formState, pageState, statusText} = require('./harness');

// The files and their sizes; a volume's bytes are (offset * 7 + its number) & 255, made alike on
// both sides. The first volume spans more than one of the page's 4 MiB slices.
const files = [['Demo.Tool.part2.rar', 70001], ['Demo.Tool.part1.rar', (4 << 20) + 123], ['Demo.Tool.cue', 40],
  ['Demo.Tool.part3.rar', 9]];
const bytesOf = (index, size) => Uint8Array.from({length: size}, (_, i) => (i * 7 + index) & 255);
// The boxes the release's files fill.
const filled = ['General-PackedEdit', 'General-UnitList', 'Upload-FilesCheck', 'Upload-FilesEdit', 'Upload-PresetsRadio',
  'Upload-SfvCheck', 'Upload-CueCheck', 'Upload-ManualCheck'];

test('dropped release files fill the boxes as sheet --from does, and Save SFV gives quenby sfv', async () => {
  const folder = path.join(outDir, 'release-drop');
  fs.rmSync(folder, {recursive: true, force: true});
  fs.mkdirSync(folder, {recursive: true});
  files.forEach(([name, size], index) => fs.writeFileSync(path.join(folder, name), bytesOf(index, size)));
  const sheet = path.join(outDir, 'release-drop.toml');
  fs.writeFileSync(sheet, execFileSync(quenby, ['sheet', '--from', folder]));

  const page = await openPage('release');
  const drop = (list) => page.evaluate((list, made) => {
    const bytesOf = new Function(`return ${made}`)();
    const dropped = new DataTransfer();
    list.forEach(([name, size], index) => dropped.items.add(new File([bytesOf(index, size)], name)));
    window.dispatchEvent(new DragEvent('drop', {dataTransfer: dropped, cancelable: true}));
  }, list, bytesOf.toString());
  // Files without a volume among them fill nothing.
  await drop([['Demo.Tool.pdf', 10]]);
  assert.equal(await statusText(page), 'No archive volumes among the files dropped: expected NAME.rar with NAME.r00 ' +
    'and on, NAME.part1.rar and on, NAME.zip with NAME.z01 and on, NAME.7z, NAME.7z.001 and NAME.zip.001.');
  await drop(files);
  await page.waitForFunction(() => !document.getElementById('SaveSfv').disabled, {timeout: 20000});

  const expected = formState(sheet).filter((state) => filled.includes(state.id));
  assert.equal(expected.length, filled.length);
  assert.deepEqual((await pageState(page)).filter((state) => filled.includes(state.id)), expected);
  const sfv = await download(page, 'SaveSfv', 'Demo.Tool.sfv');
  assert.ok(sfv.equals(execFileSync(quenby, ['sfv', folder])), 'the saved SFV differs from quenby sfv');
  assert.match(await statusText(page), /3 volumes read/);
  assert.deepEqual(page.errors, []);
});
