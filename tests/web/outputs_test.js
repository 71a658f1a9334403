// The page's Save ASCII Copy and Save PNG with its choices, against quenby render --ascii and
// --png --scale --cell --colours for the same sheet. Run by scripts/test:
//   node tests/web/outputs_test.js PAGE NATIVE_BIN OUT_DIR
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const {PNG} = require('pngjs');
const {outDir, example, openPage, settle, download, render, templateArgs, openFile, statusText} = require('./harness');

// Save PNG's choices (scale, cells, colours, the other colours typed) and the command line's options.
const pictures = [
  [['2', '9', 'amber', ''], ['--scale', '2', '--cell', '9', '--colours', 'amber']],
  [['3', '8', 'other', '0000ff,#FFFF00'], ['--scale', '3', '--colours', '0000ff,#FFFF00']],
];

test('Save ASCII Copy and Save PNG with its choices give the command line\'s bytes and pixels', async () => {
  const page = await openPage('outputs');
  await openFile(page, 'SheetFile', example);
  for (const name of ['<Default>', 'Wide']) {
    await page.select('#TemplateSelector', name);
    await settle(page);
    const ascii = await download(page, 'AsciiButton', 'Nébula Sketchpad 3.2-ascii.nfo');
    assert.ok(ascii.equals(render(example, [...templateArgs(name), '--ascii'])), `${name}: the ASCII copy differs`);
  }
  for (const [[scale, cell, colours, other], options] of pictures) {
    await page.select('#PngScale', scale);
    await page.select('#PngCell', cell);
    await page.select('#PngColours', colours);
    if (other) await page.$eval('#PngOtherColours', (input, typed) => { input.value = typed; }, other);
    const file = path.join(outDir, 'cli-outputs.png');
    render(example, [...templateArgs('Wide'), '--png', file, '-o', '/dev/null', ...options]);
    const expected = PNG.sync.read(fs.readFileSync(file));
    const saved = PNG.sync.read(await download(page, 'PngButton', 'Nébula Sketchpad 3.2.png'));
    assert.deepEqual([saved.width, saved.height], [expected.width, expected.height], options.join(' '));
    assert.ok(saved.data.equals(expected.data), `${options.join(' ')}: the saved PNG's pixels differ`);
  }
  // Colours that are no colours are refused as the command line refuses them.
  await page.$eval('#PngOtherColours', (input) => { input.value = 'pink'; });
  await page.click('#PngButton');
  assert.equal(await statusText(page), '--colours: expected light, dark, amber, green or INK,PAPER in hex ' +
    '(as c0c0c0,000000), found "pink"');
  assert.deepEqual(page.errors, []);
  await page.close();
});
