// The templates the user opens in the page: named apart from the shipped ones, kept in the
// browser's storage, removed on request, and never dropped without a word when the storage is full.
//   node tests/web/templates_test.js PAGE NATIVE_BIN OUT_DIR
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const {outDir, shippedTemplates, fromCp437, openPage, settle, render, templateArgs, openFile, statusText, isDisabled} = require('./harness');

function templateFile(name, contents) {
  const file = path.join(outDir, name);
  fs.writeFileSync(file, contents);
  return file;
}
// The selector's entries with the opened templates among the shipped ones, letter case ignored.
const entries = (...opened) => [...shippedTemplates, ...opened].sort((a, b) => (a.toLowerCase() < b.toLowerCase() ? -1 : 1));
const options = (page) => page.$$eval('#TemplateSelector option', (o) => o.map((x) => x.value));
const preview = (page) => page.$eval('#PreviewText', (pre) => pre.textContent);
const storedTemplates = (page) => page.evaluate(() => Object.keys(localStorage).filter((k) => k.startsWith('quenby.template.')).sort());
async function reload(page) {
  await page.reload();
  await page.waitForSelector('body[data-ready="true"]');
}
async function choose(page, name) {
  await page.select('#TemplateSelector', name);
  await settle(page);
}

test('an opened Wide.ntf is named apart from the shipped Wide, is kept, and can be removed', async () => {
  const page = await openPage('opened-wide');
  await openFile(page, 'TemplateFile', templateFile('Wide.ntf', 'Mine\r\n'));
  assert.equal(await statusText(page), 'Template Wide (2) opened: Wide is the name of a shipped template.');
  assert.equal(await preview(page), 'Mine\r\n');
  await reload(page);
  assert.deepEqual(await options(page), entries('Wide (2)'));
  assert.equal(await page.$eval('#TemplateSelector', (s) => s.value), 'Wide (2)');
  assert.equal(await isDisabled(page, 'RemoveTemplate'), false);
  const empty = templateFile('empty.toml', '');
  await choose(page, 'Wide');
  assert.equal(await preview(page), fromCp437(render(empty, templateArgs('Wide'))));
  assert.equal(await isDisabled(page, 'RemoveTemplate'), true);
  await page.evaluate(() => removeTemplate('Wide'));
  assert.equal(await statusText(page), 'Wide is not an opened template: only those can be removed.');
  await choose(page, 'Wide (2)');
  await page.click('#RemoveTemplate');
  await settle(page);
  assert.equal(await statusText(page), 'Template Wide (2) removed.');
  assert.equal(await page.$eval('#TemplateSelector', (s) => s.value), '<Default>');
  assert.equal(await preview(page), fromCp437(render(empty)));
  assert.deepEqual(await storedTemplates(page), []);
  await reload(page);
  assert.deepEqual(await options(page), shippedTemplates);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('templates an earlier page kept inside the form move to keys of their own', async () => {
  const page = await openPage('earlier-page');
  await page.evaluate(() => localStorage.setItem('quenby.form', JSON.stringify(
    {values: {}, template: 'Wide', templates: {Wide: 'Old\r\n', Mine: 'Mine\r\n'}})));
  await reload(page);
  assert.deepEqual(await options(page), entries('Mine', 'Wide (2)'));
  assert.deepEqual(await storedTemplates(page), ['quenby.template.Mine', 'quenby.template.Wide (2)']);
  assert.equal(await page.evaluate(() => JSON.parse(localStorage.getItem('quenby.form')).templates), undefined);
  await choose(page, 'Wide (2)');
  assert.equal(await preview(page), 'Old\r\n');
  await page.close();
});

test('a full storage keeps what it held, and the page says what it did not keep', async () => {
  const page = await openPage('storage-full');
  await openFile(page, 'TemplateFile', templateFile('Kept.ntf', 'Kept\r\n'));
  await page.type('#General-TitleEdit', 'Before');
  await settle(page);
  await page.evaluate(() => {
    for (let size = 1 << 20, i = 0; size > 0;) {
      try {
        localStorage.setItem('filler' + i++, 'x'.repeat(size));
      } catch (full) {
        size >>= 1;
      }
    }
  });
  await openFile(page, 'TemplateFile', templateFile('Lost.ntf', 'Lost\r\n'));
  await page.type('#General-TitleEdit', ' and after');
  await settle(page);
  assert.equal(await statusText(page), 'Template Lost opened.');
  assert.equal(await page.$eval('#StorageStatus', (s) => s.textContent),
    'The browser\'s storage is full: the form\'s last changes are not kept for the next visit.\n' +
    'Template Lost is open, but the browser\'s storage is full: this one is not kept for the next visit.');
  await page.screenshot({path: path.join(outDir, 'page-storage-full.png')});
  await reload(page);
  assert.deepEqual(await options(page), entries('Kept'));
  assert.equal(await page.$eval('#General-TitleEdit', (input) => input.value), 'Before');
  assert.deepEqual(page.errors, []);
  await page.close();
});
