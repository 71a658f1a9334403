// The page's Gallery view: one drawing per template, each the command line's picture of the form
// as it stands, shrunk; a click chooses the template. Run by scripts/test:
//   node tests/web/gallery_test.js PAGE NATIVE_BIN OUT_DIR
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const {outDir, example, shippedTemplates, fromCp437, openPage, openFile, render, templateArgs, greys} = require('./harness');

// The picture with each block of 3 x 3 pixels one grey between ink (0) and paper (255), as the
// page draws it.
function shrunk({width, height, pixels}) {
  const out = [];
  for (let y = 0; y + 3 <= height; y += 3) {
    for (let x = 0; x + 3 <= width; x += 3) {
      let inked = 0;
      for (let i = 0; i < 9; ++i) inked += pixels[(y + Math.floor(i / 3)) * width + x + i % 3] === 0 ? 1 : 0;
      out.push(Math.round(255 - 255 * inked / 9));
    }
  }
  return out;
}

test('the gallery draws every template with the form as it stands, and a click chooses one', async () => {
  const page = await openPage('gallery');
  await openFile(page, 'SheetFile', example);
  fs.writeFileSync(path.join(outDir, 'Empty.ntf'), '');  // listed, but it cannot be loaded
  await openFile(page, 'TemplateFile', path.join(outDir, 'Empty.ntf'));
  await page.click('#GalleryButton');
  const drawings = await page.$$eval('#Gallery .gallery-item', (items) => items.map((item) => {
    const canvas = item.querySelector('canvas');
    const data = canvas ? canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data : [];
    return {name: item.dataset.template, chosen: item.getAttribute('aria-pressed'), greys: [...data.filter((_, i) => i % 4 === 0)],
      note: item.querySelector('.gallery-note')?.textContent};
  }));
  const names = [...shippedTemplates.slice(0, 5), 'Empty', ...shippedTemplates.slice(5)];
  assert.deepEqual(drawings.map((d) => d.name), names);
  assert.deepEqual(drawings.map((d) => d.chosen === 'true'), names.map((name) => name === '<Default>'));
  assert.equal(drawings.splice(5, 1)[0].note, 'This template cannot be drawn.');
  const pngFile = path.join(outDir, 'gallery.png');
  for (const {name, greys: shown} of drawings) {
    render(example, [...templateArgs(name), '--png', pngFile, '-o', '/dev/null']);
    assert.deepEqual(shown, shrunk(greys(fs.readFileSync(pngFile))), `${name}: the gallery's drawing`);
  }
  await page.screenshot({path: path.join(outDir, 'page-gallery.png')});
  await page.click('#Gallery [data-template="Ticket"]');
  assert.equal(await page.$eval('#TemplateSelector', (selector) => selector.value), 'Ticket');
  assert.deepEqual([await page.$eval('#Gallery', (g) => g.hidden), await page.$eval('#Preview', (p) => p.hidden)], [true, false]);
  assert.equal(await page.$eval('#PreviewText', (pre) => pre.textContent), fromCp437(render(example, templateArgs('Ticket'))));
  assert.deepEqual(page.errors, []);
  await page.close();
});
