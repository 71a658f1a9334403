// The page's template editor, driven as a user drives it, against the command-line tool's check
// and render of what it saves. Run by scripts/test:
//   node tests/web/editor_test.js PAGE NATIVE_BIN OUT_DIR
'use strict';
const {test} = require('node:test');
const assert = require('node:assert/strict');
const {spawnSync} = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const {outDir, root, example, quenby, fromCp437, openPage, settle, download, render, openFile, statusText, isDisabled} =
  require('./harness');

const wide = fs.readFileSync(path.join(root, 'templates/Wide.ntf'));
const wideLines = fromCp437(wide).replace(/\r\n$/, '').split('\r\n');
const nfoName = 'Nébula Sketchpad 3.2.nfo';
const outputs = ['SaveButton', 'CopyButton', 'PngButton'];

const editorText = (page) => page.$eval('#EditorText', (box) => box.value);
const previewText = (page) => page.$eval('#PreviewText', (pre) => pre.textContent);
const problems = (page) => page.$$eval('#EditorProblems li', (items) => items.map((i) => i.textContent));
const marked = (page) => page.$$eval('#EditorMarks .failure, #EditorMarks mark', (m) => m.map((x) => x.textContent));

// Selects line (from 1) of the editor, without its line end, and types words over it.
async function typeOverLine(page, line, words) {
  await page.$eval('#EditorText', (box, line) => {
    const lines = box.value.split('\n');
    const start = lines.slice(0, line - 1).join('\n').length + (line > 1 ? 1 : 0);
    box.focus();
    box.setSelectionRange(start, start + lines[line - 1].length);
  }, line);
  await page.keyboard.type(words);
  await settleEditor(page);
}

async function chooseFromMenu(page, selector) {
  await page.click('#InsertButton');
  await page.click(`#InsertMenu ${selector}`);
  await settleEditor(page);
}

// Waits for the edit's rendering and its check.
async function settleEditor(page) {
  await settle(page);
  await page.waitForSelector('#EditorProblems:not([aria-busy="true"])');
}

const runQuenby = (args) => spawnSync(quenby, args, {encoding: 'latin1'});

// Edits of Wide's copy, each from the state the row before left: the line typed over, the words,
// then what the preview shows, the problems listed, what is marked, and whether the outputs are on.
const box = '█▓▒░   Changed by hand' + ' '.repeat(50) + '░▒▓█';
const title = wideLines.findIndex((line) => line.startsWith('#TITLE ')) + 1;  // Wide's TITLE line
const edits = [
  [title - 1, box, {preview: box + '\r\n', problems: [], marked: [], outputs: true}],
  [title, '#TITLE 1 0 99', {preview: `Template: Wide copy.ntf\r\nLine:     ${title}`,
    problems: [`Line ${title}: Third parameter must be between -1 and 78 in directive: TITLE`],
    marked: ['#TITLE 1 0 99\n'], outputs: false}],
  [title, wideLines[title - 1], {preview: box + '\r\n', problems: [], marked: [], outputs: true}],
  [title + 1, '█▓▒░ €uro', {preview: '█▓▒░ ?uro',
    problems: [`Line ${title + 1}, column 6: € (U+20AC) has no CP437 character`],
    marked: ['€'], outputs: false, saveTemplate: false}],
  [title + 1, wideLines[title], {problems: [], marked: [], outputs: true, saveTemplate: true}],
];

test('Wide edited in the editor: the preview follows, faults are listed and marked, and what is saved is what the tool renders', async () => {
  const page = await openPage('editor');
  await openFile(page, 'SheetFile', example);
  await page.select('#TemplateSelector', 'Wide');
  await page.click('#EditTemplate');
  await settleEditor(page);
  assert.equal(await page.$eval('#EditorName', (name) => name.value), 'Wide copy');
  assert.equal(await statusText(page), 'Editing Wide copy, a copy of Wide.');
  assert.equal(await editorText(page), wideLines.join('\n') + '\n');
  for (const [line, words, shows] of edits) {
    await typeOverLine(page, line, words);
    if (shows.preview) assert.ok((await previewText(page)).includes(shows.preview), words);
    assert.deepEqual(await problems(page), shows.problems, words);
    assert.deepEqual(await marked(page), shows.marked, words);
    for (const id of outputs) assert.equal(await isDisabled(page, id), !shows.outputs, `${words}: ${id}`);
    if ('saveTemplate' in shows) assert.equal(await isDisabled(page, 'SaveTemplate'), !shows.saveTemplate, words);
    if (words === '#TITLE 1 0 99') {
      await page.setViewport({width: 2000, height: 1000});
      await page.screenshot({path: path.join(outDir, 'editor-fault.png')});
      await page.click('#EditorProblems button');
      assert.equal(await page.$eval('#EditorText', (b) => b.value.slice(0, b.selectionStart).split('\n').length), title);
    }
  }
  const saved = await download(page, 'SaveTemplate', 'Wide copy.ntf');
  const expected = [...wideLines.slice(0, title - 2), box, ...wideLines.slice(title - 1)].join('\r\n') + '\r\n';
  assert.equal(fromCp437(saved), expected);
  const savedFile = path.join(outDir, 'Wide copy.ntf');
  fs.writeFileSync(savedFile, saved);
  assert.deepEqual([runQuenby(['check', savedFile]).status, runQuenby(['check', savedFile]).stdout], [0, '']);
  const rendered = render(example, ['--template', savedFile]);
  assert.ok((await download(page, 'SaveButton', nfoName)).equals(rendered));
  assert.equal(await previewText(page), fromCp437(rendered));

  // The shipped Wide itself is untouched.
  await page.click('#CloseEditor');
  await settleEditor(page);
  assert.ok((await download(page, 'SaveButton', nfoName)).equals(render(example, ['--template', path.join(root, 'templates/Wide.ntf')])));
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('the insert menu puts a directive above the caret\'s line and a character at the caret; undo takes it back; a reload keeps the edit', async () => {
  let page = await openPage('editor-insert');
  await page.click('#NewTemplate');
  await settleEditor(page);
  const starter = await editorText(page);
  for (const keyword of ['CRACKBY', 'FULLREPOST', 'INSTALLINF', 'KEYGENBY', 'PACKAGESIZE', 'POSTEDTO', 'POSTINFO', 'REGDTO',
    'REMARKS', 'SECURITYINF', 'SERIALNUM', 'SOFTWARE', 'SUPPORT', 'THANKSTO', 'TITLE', 'UPLOADBY', 'UPLOADEDAS']) {
    assert.ok(starter.includes(`\n#${keyword} `), keyword);
  }
  assert.deepEqual(await problems(page), []);
  const starterFile = path.join(outDir, 'New template.ntf');
  fs.writeFileSync(starterFile, await download(page, 'SaveTemplate', 'New template.ntf'));
  assert.equal(runQuenby(['check', starterFile]).status, 0);

  await typeOverLine(page, 1, 'Plain line');
  await chooseFromMenu(page, '[data-insert="#SOFTWARE 1 0 20"]');
  assert.ok((await editorText(page)).startsWith('#SOFTWARE 1 0 20\nPlain line\n'));
  assert.ok((await previewText(page)).startsWith('Plain line' + ' '.repeat(10) + '\r\n'));
  await page.$eval('#EditorText', (b) => b.setSelectionRange(b.value.indexOf('Plain') + 5, b.value.indexOf('Plain') + 5));
  await chooseFromMenu(page, '[data-insert="╔"]');
  assert.ok((await editorText(page)).startsWith('#SOFTWARE 1 0 20\nPlain╔ line\n'));
  await page.keyboard.down('Control');
  await page.keyboard.press('KeyZ');
  await page.keyboard.up('Control');
  await settleEditor(page);
  assert.ok((await editorText(page)).startsWith('#SOFTWARE 1 0 20\nPlain line\n'));
  const kept = await editorText(page);

  page = await openPage('editor-insert', {keepStorage: true});
  await settleEditor(page);
  assert.equal(await editorText(page), kept);
  assert.equal(await page.$eval('#EditorName', (name) => name.value), 'New template');
  assert.ok((await previewText(page)).startsWith('Plain line'));
  assert.deepEqual(page.errors, []);
  await page.close();
});

// What the name box refuses, and the storage that is full.
const refusals = [
  ['Wide', 'Wide is a shipped template: give the copy a name of its own.'],
  ['a/b', 'Not a usable template name: a/b'],
];

test('the editor refuses shipped and unusable names, and says when the browser cannot keep the template', async () => {
  const page = await openPage('editor-names');
  await page.click('#NewTemplate');
  for (const [name, problem] of refusals) {
    await page.click('#EditorName', {clickCount: 3});
    await page.keyboard.type(name);
    await settleEditor(page);
    assert.equal((await problems(page))[0], problem);
    assert.equal(await isDisabled(page, 'SaveTemplate'), true);
  }
  await page.evaluate(() => {
    const block = 'x'.repeat(1 << 20);
    try { for (let i = 0; ; ++i) localStorage.setItem('fill' + i, block); } catch (full) { /* full */ }
    try { for (let i = 0; ; ++i) localStorage.setItem('small' + i, 'x'.repeat(1024)); } catch (full) { /* full */ }
  });
  await typeOverLine(page, 1, 'x'.repeat(2000));
  assert.equal(await statusText(page), 'The browser has no room to keep the template being edited: save it.');
  let asked = '';
  page.on('dialog', (dialog) => {
    asked = dialog.message();
    dialog.accept();
  });
  await page.click('#CloseEditor');
  assert.equal(asked, 'Discard the changes to a/b?');
  assert.equal(await page.$eval('#Editor', (e) => e.hidden), true);
  await page.close();
});
