// The viewer in headless Chromium (the system's, driven by playwright-core):
// every compared sample at its moment against the native software device's
// frame, a broken file or JSON record named without losing the picture, a
// JSON record packed in the page into the same effect, a TGA texture decoded
// in the module, and the quads of a fixed scene hashed in the page against
// the native program's hash.
// Environment: TAVRIX_WEB_ROOT (holds site/ and reference/NAME.png),
// TAVRIX_SCENE_HASH (the native hash of TAVRIX_SCENE, effects and duration).
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { compareInPage, matches, openPage, startBrowser } from './browser.mjs';

const ROOT = process.env.TAVRIX_WEB_ROOT;
const [SCENE_MS, ...SCENE_EFFECTS] = (process.env.TAVRIX_SCENE || '').split(' ');
const moments = JSON.parse(await readFile(path.join(ROOT, 'site/samples/samples.json'), 'utf8')).moments;
let session, browser, base;
let holdBack = () => 0;  // milliseconds the server holds a file back, by its path

before(async () => {
  session = await startBrowser(ROOT, (name) => holdBack(name));
  ({ browser, base } = session);
});

after(() => session?.close());

const openViewer = (query) => openPage(session, `/site/index.html?${query}`,
  (page) => page.waitForSelector('body[data-state="ready"]', { timeout: 60000 }));

// The canvas against a reference PNG, read through a 2D canvas, after the
// next frame unless the page's clock is stopped.
function compareCanvas(page, referenceUrl, nextFrame = true) {
  return page.evaluate(`(async () => {
    if (${nextFrame}) await new Promise(requestAnimationFrame);
    const canvas = document.getElementById('view');
    const context = new OffscreenCanvas(canvas.width, canvas.height).getContext('2d');
    context.drawImage(canvas, 0, 0);
    const pixels = context.getImageData(0, 0, canvas.width, canvas.height).data;
    return (${compareInPage})(pixels, canvas.width, ${JSON.stringify(referenceUrl)});
  })()`);
}

for (const [name, at] of Object.entries(moments)) {
  test(`${name} at ${at} ms matches the software device`, async () => {
    const page = await openViewer(`effect=samples/${name}.eff&at=${at}&size=256x256`);
    const result = await compareCanvas(page, `${base}/reference/${name}.png`);
    await page.close();
    assert.ok(result.lit > 0.001, `the reference frame shows nothing: ${JSON.stringify(result)}`);
    assert.ok(matches(result), JSON.stringify(result));
  });
}

// A broken effect file is refused by the library, a broken record by the
// record model; either is named by what is wrong with it.
const BROKEN = [
  { name: 'broken.eff', content: 'not an effect at all', error: /^broken\.eff: Effect\w+ \(/ },
  { name: 'broken.json', content: '{"tag": "TVPS", "tracks": [{"name": "sizeEffect", "cycles": "one"}]}',
    error: /^broken\.json: tracks\.sizeEffect\.cycles: expected a number/ },
];

for (const { name, content, error } of BROKEN) {
  test(`${name} is named and the shown effect stays and plays on`, async () => {
    const page = await openViewer(`effect=samples/fire.eff&at=${moments.fire}&size=256x256`);
    await page.setInputFiles('#open', { name, mimeType: 'application/octet-stream', buffer: Buffer.from(content) });
    await page.waitForFunction(() => document.getElementById('error').textContent !== '');
    assert.match(await page.textContent('#error'), error);
    const kept = await compareCanvas(page, `${base}/reference/fire.png`);
    assert.ok(matches(kept), JSON.stringify(kept));
    await page.click('#step');
    assert.equal(await page.evaluate(() => window.tavrixViewer.runtime.call.now()), moments.fire + 17);
    await page.close();
  });
}

// Opens files in an empty, paused viewer and shows the first effect among
// them at the sample's moment, reached from its start as `at=` reaches it
// (the random source is the module's own: playing first would move it on).
async function openAt(files, sample) {
  const page = await openViewer('size=256x256');
  await page.click('#play');
  await page.setInputFiles('#open', files);
  await page.waitForSelector('#effect option', { state: 'attached' });
  assert.equal(await page.textContent('#error'), '');
  await page.fill('#timeline', String(moments[sample]));
  return page;
}

const sampleRecord = (name) => readFile(new URL(`../../samples/${name}.json`, import.meta.url), 'utf8');

test('a JSON record opened is packed in the page into the effect tavrix pack makes', async () => {
  const buffer = Buffer.from(await sampleRecord('fire'));
  const page = await openAt([{ name: 'fire-record.json', mimeType: 'application/json', buffer }], 'fire');
  const result = await compareCanvas(page, `${base}/reference/fire.png`);
  assert.ok(matches(result), JSON.stringify(result));
  const hashes = await page.evaluate(() => Promise.all(['fire-record.eff', 'fire.eff'].map(
    (effect) => window.tavrixViewer.sceneHash([effect], 2000))));
  await page.close();
  assert.match(hashes[0], /^[0-9a-f]{16}$/);
  assert.equal(hashes[0], hashes[1]);
});

// The glow sample's white disc as a 32-bit TGA: its alpha read through a
// canvas, which keeps alpha exactly (the colour it premultiplies).
function discAsTga(page) {
  return page.evaluate(async () => {
    const bitmap = await createImageBitmap(await (await fetch('samples/image/disc.png')).blob());
    const context = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
    context.drawImage(bitmap, 0, 0);
    const { data } = context.getImageData(0, 0, bitmap.width, bitmap.height);
    const header = [0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, bitmap.width & 255, bitmap.width >> 8,
                    bitmap.height & 255, bitmap.height >> 8, 32, 0x28];  // top row first
    const pixels = [];
    for (let i = 3; i < data.length; i += 4) pixels.push(255, 255, 255, data[i]);
    return [...header, ...pixels];
  });
}

test('a TGA texture is decoded in the module and shows as the PNG does', async () => {
  const blank = await openViewer('');
  const tga = Buffer.from(await discAsTga(blank));
  await blank.close();
  const record = (await sampleRecord('glow')).replaceAll('"disc.png"', '"disc.tga"');
  const page = await openAt([{ name: 'glow-tga.json', mimeType: 'application/json', buffer: Buffer.from(record) },
                             { name: 'disc.tga', mimeType: 'image/x-tga', buffer: tga }], 'glow');
  const result = await compareCanvas(page, `${base}/reference/glow.png`);
  await page.close();
  assert.ok(result.lit > 0.001 && matches(result), JSON.stringify(result));
});

test('the quads of a fixed scene hash as natively', async () => {
  const page = await openViewer('');
  const hash = await page.evaluate(([effects, ms]) => window.tavrixViewer.sceneHash(effects, ms),
                                   [SCENE_EFFECTS, Number(SCENE_MS)]);
  await page.close();
  assert.match(process.env.TAVRIX_SCENE_HASH, /^[0-9a-f]{16}$/);
  assert.equal(hash, process.env.TAVRIX_SCENE_HASH);
});

// The documented address under virtual time, the clock of headless
// screenshots, which runs on while a page waits for anything but the
// network: with the module, the sample list or the samples' files held
// back in turn, twice each, the page shows the asked moment when the budget
// runs out.
const LAST = { module: /tavrix_web\.(js|wasm)$/, 'sample list': /samples\.json$/, 'sample files': /samples\/.+\.(eff|png)$/ };

test('the address reaches its moment under virtual time whatever arrives last', async () => {
  for (const [what, pattern] of Object.entries(LAST)) {
    for (let run = 1; run <= 2; ++run) {
      holdBack = (name) => (pattern.test(name) ? 400 : 0);
      const page = await browser.newPage();
      await page.goto(`${base}/site/style.css`);  // the site's own process, where the policy holds
      const devtools = await page.context().newCDPSession(page);
      await devtools.send('Emulation.setVirtualTimePolicy', { policy: 'pause' });
      await page.goto(`${base}/site/index.html?effect=samples/fire.eff&at=${moments.fire}&size=256x256`,
                      { waitUntil: 'commit' });
      const expired = new Promise((resolve) => devtools.once('Emulation.virtualTimeBudgetExpired', resolve));
      await devtools.send('Emulation.setVirtualTimePolicy', { policy: 'pauseIfNetworkFetchesPending', budget: 15000 });
      await expired;
      const shown = await page.evaluate(() => ['sample', 'time'].map((id) => document.getElementById(id)[id === 'time' ? 'textContent' : 'value']));
      const frame = await compareCanvas(page, `${base}/reference/fire.png`, false);
      await page.close();
      assert.deepEqual(shown, ['fire.eff', `${moments.fire} ms`], `${what} last, run ${run}`);
      assert.ok(matches(frame), `${what} last, run ${run}: ${JSON.stringify(frame)}`);
    }
  }
  holdBack = () => 0;
});
