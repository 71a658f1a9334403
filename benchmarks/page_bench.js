// The browser page's figures, measured in one run beside the native benchmark:
//   node benchmarks/page_bench.js PAGE NATIVE_BIN
// PAGE is Quenby.html (build/web/bin or dist/), NATIVE_BIN the native tree's bin/. It prints the
// page's size, the time from opening the file to the first preview (median of 9 loads), and the
// page's generation of the example sheet through the default template against
// page_generation_bench's. Run from the repository's root after `npm ci` in tests/web.
'use strict';
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const puppeteer = require(path.resolve(__dirname, '../tests/web/node_modules/puppeteer-core'));

const [pagePath, nativeBin] = process.argv.slice(2).map((p) => path.resolve(p));
const example = path.resolve(__dirname, '../examples/release.toml');
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

(async () => {
  const profile = fs.mkdtempSync('/tmp/quenby-bench-');
  const browser = await puppeteer.launch({executablePath: '/usr/bin/chromium', headless: 'new',
    userDataDir: profile, args: ['--no-sandbox', '--disable-gpu', '--no-first-run']});
  const page = await browser.newPage();
  const firstPreviews = [];
  for (let load = 0; load < 9; ++load) {
    await page.goto('file://' + pagePath);
    await page.waitForSelector('body[data-ready="true"]');
    firstPreviews.push(await page.evaluate(() => window.quenbyFirstPreview));
  }
  await (await page.$('#SheetFile')).uploadFile(example);
  await page.waitForFunction(() => document.getElementById('Status').textContent.endsWith('opened.'));
  const perGeneration = await page.evaluate(() => {
    const core = window.quenbyCore;
    const runs = [];
    for (let round = 0; round < 7; ++round) {
      const count = 2000;
      const started = performance.now();
      for (let i = 0; i < count; ++i) core._quenbyGenerate();
      runs.push((performance.now() - started) * 1000 / count);
    }
    return runs.sort((a, b) => a - b)[3];
  });
  await browser.close();
  fs.rmSync(profile, {recursive: true, force: true});
  const native = JSON.parse(execFileSync(path.join(nativeBin, 'page_generation_bench'),
    ['--benchmark_format=json', '--benchmark_repetitions=7', '--benchmark_report_aggregates_only=true']));
  const nativeMedian = native.benchmarks.find((b) => b.aggregate_name === 'median').real_time;
  console.log(`page size: ${fs.statSync(pagePath).size} bytes`);
  console.log(`first preview: ${median(firstPreviews).toFixed(0)} ms after opening (median of 9)`);
  console.log(`generation, example sheet through <Default>: page ${perGeneration.toFixed(1)} us, ` +
    `native ${nativeMedian.toFixed(1)} us, ${(perGeneration / nativeMedian).toFixed(2)}x native`);
})();
