// The page `tarvo12-sim test --report` writes, opened from the file system in headless Chromium: a suite
// of two copies of the quick look, one with a baseline that no longer matches, must show a row per
// scenario, the failing frame's baseline, actual frame and diff as loaded images, and flip between
// baseline and actual. Takes a screenshot of the page for a person to look at.
//   node report_browser_test.mjs TARVO12_SIM OUT_DIR
import { spawnSync } from 'node:child_process';
import { cpSync, existsSync, mkdirSync, rmSync, writeFileSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { Browser } from './webdriver.mjs';

const [simArgument, outArgument] = process.argv.slice(2);
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';
const chromedriver = process.env.CHROMEDRIVER || '/usr/bin/chromedriver';
if (!simArgument || !outArgument) {
  console.error('usage: report_browser_test.mjs TARVO12_SIM OUT_DIR');
  process.exit(2);
}
if (!existsSync(chromium) || !existsSync(chromedriver)) {
  console.log(`SKIPPED: the report's browser test needs ${chromium} and ${chromedriver} (scripts/install-deps installs them)`);
  process.exit(77);
}
const sim = resolve(simArgument);
const out = resolve(outArgument);
const examples = join(dirname(fileURLToPath(import.meta.url)), '..', '..', 'examples');

const failures = [];
function check(condition, message) {
  if (!condition) failures.push(message);
  console.log(`${condition ? 'ok  ' : 'FAIL'} ${message}`);
}

rmSync(out, { recursive: true, force: true });
const suite = join(out, 'suite');
mkdirSync(suite, { recursive: true });
cpSync(join(examples, 'baselines.conf'), join(suite, 'baselines.conf'));
for (const name of ['quick-look', 'moved']) {
  cpSync(join(examples, 'quick-look.scenario'), join(suite, `${name}.scenario`));
  cpSync(join(examples, 'quick-look'), join(suite, name), { recursive: true });
}
cpSync(join(suite, 'moved', 'gone.png'), join(suite, 'moved', 'shown.png'));

const env = { ...process.env };
delete env.CI;
const run = spawnSync(sim, ['test', suite, '--out', join(out, 'runs'), '--report', join(out, 'report')], { env, encoding: 'utf8' });
check(run.status === 1, `the suite fails with status 1 (${run.status}): ${run.stdout.trim().split('\n').pop()}`);
const page = join(out, 'report', 'index.html');
check(existsSync(page), 'the report is written');

const browser = await Browser.start({ chromium, chromedriver, width: 1400, height: 1100 });
try {
  await browser.go(pathToFileURL(page).href);
  await browser.waitFor('return document.readyState === "complete"', 'the page to load');
  const rows = await browser.run('return [...document.querySelectorAll("tr.scenario")].map((r) => r.className)');
  check(rows.length === 2, `a row per scenario (${rows.length})`);
  check(rows.filter((c) => c.includes('failed')).length === 1, 'one of them failed');
  const images = await browser.waitFor(`
    const frame = document.querySelector('.frame[data-frame="shown"]');
    if (!frame) return null;
    const shown = [...frame.querySelectorAll('figure.baseline img, figure.actual img, figure.diff img')];
    return shown.every((img) => img.complete) ? shown.map((img) => [img.alt, img.naturalWidth, img.naturalHeight]) : null;`,
  'the failing frame\'s images');
  check(images.length === 3, `the failing frame shows three images (${JSON.stringify(images)})`);
  check(images.every(([, w, h]) => w > 0 && h > 0), 'each of them decodes');
  check(images.map(([alt]) => alt).join() === 'baseline,actual,diff', 'baseline, actual and diff, in that order');
  const flipped = await browser.run(`
    const fig = document.querySelector('.frame[data-frame="shown"] figure.flip');
    const img = fig.querySelector('img'), before = img.src;
    fig.querySelector('button').click();
    const after = img.src, label = fig.querySelector('span').textContent;
    return [before === img.dataset.actual, after === img.dataset.baseline, label];`);
  check(flipped[0] && flipped[1] && flipped[2] === 'baseline', 'the flip view swaps the actual frame for the baseline');
  const links = await browser.run('return [...document.querySelectorAll("tr.scenario a")].map((a) => a.textContent)');
  check(links.includes('trace') && links.includes('frames'), `rows link to the trace and the frames (${links})`);
  await browser.run('window.scrollTo(0, 0); document.querySelector("figure.flip button").click();');
  writeFileSync(join(out, 'report-screenshot.png'), Buffer.from(await browser.screenshot(), 'base64'));
} finally {
  await browser.close();
}
if (failures.length) {
  console.log(`${failures.length} failed`);
  process.exit(1);
}
console.log('report in the browser: all passed');
