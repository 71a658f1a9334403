// The page's template editor: the time from a keystroke in the editor to the new preview, on a
// 300-line template (Wide, repeated), and the page's size:
//   node benchmarks/editor_bench.js PAGE
// PAGE is Quenby.html (build/web/bin or dist/). Run from the repository's root after `npm ci` in
// tests/web. The time runs from the key's event to the end of the rendering it starts, the
// editor's wait for more typing included; then to the next frame the browser draws.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const puppeteer = require(path.resolve(__dirname, '../tests/web/node_modules/puppeteer-core'));

const pagePath = path.resolve(process.argv[2]);
const example = path.resolve(__dirname, '../examples/release.toml');
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

(async () => {
  const profile = fs.mkdtempSync('/tmp/quenby-bench-');
  const browser = await puppeteer.launch({executablePath: '/usr/bin/chromium', headless: 'new',
    userDataDir: profile, args: ['--no-sandbox', '--disable-gpu', '--no-first-run']});
  const page = await browser.newPage();
  await page.setViewport({width: 2000, height: 1000});
  await page.goto('file://' + pagePath);
  await page.waitForSelector('body[data-ready="true"]');
  await (await page.$('#SheetFile')).uploadFile(example);
  await page.waitForFunction(() => document.getElementById('Status').textContent.endsWith('opened.'));
  await page.select('#TemplateSelector', 'Wide');
  await page.click('#EditTemplate');
  const lines = await page.$eval('#EditorText', (box) => {
    const wide = box.value.replace(/\n$/, '').split('\n');
    const art = wide.filter((line) => !line.startsWith('#')).slice(-1)[0];
    let all = [];
    while (all.length + wide.length <= 300) all = all.concat(wide);
    while (all.length < 300) all.push(art);
    box.value = all.join('\n') + '\n';
    box.dispatchEvent(new Event('input'));
    return all.length;
  });
  await new Promise((done) => setTimeout(done, 200));
  const toPreview = [];
  const toFrame = [];
  for (let key = 0; key < 41; ++key) {
    await page.$eval('#EditorText', (box) => {
      box.focus();
      box.setSelectionRange(box.value.indexOf('RELEASE') + 3, box.value.indexOf('RELEASE') + 3);
      window.benchKey = 0;
      box.addEventListener('keydown', (event) => { window.benchKey = event.timeStamp; }, {once: true});
    });
    const shownBefore = await page.evaluate(() => window.quenbyEditorShown);
    await page.keyboard.press(key % 2 ? 'Backspace' : 'X');
    const [preview, frame] = await page.evaluate((before) => new Promise((done) => {
      const wait = () => {
        if (window.quenbyEditorShown === before) return setTimeout(wait, 1);
        const shown = window.quenbyEditorShown;
        requestAnimationFrame(() => done([shown - window.benchKey, performance.now() - window.benchKey]));
      };
      wait();
    }), shownBefore);
    toPreview.push(preview);
    toFrame.push(frame);
  }
  await browser.close();
  fs.rmSync(profile, {recursive: true, force: true});
  console.log(`page size: ${fs.statSync(pagePath).size} bytes`);
  console.log(`keystroke to new preview, ${lines}-line template: ${median(toPreview).toFixed(1)} ms ` +
    `(median of ${toPreview.length}, worst ${Math.max(...toPreview).toFixed(1)}); ` +
    `to the next frame ${median(toFrame).toFixed(1)} ms`);
})();
