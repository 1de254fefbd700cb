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
import http from 'node:http';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { chromium } from 'playwright-core';

const ROOT = process.env.TAVRIX_WEB_ROOT;
const [SCENE_MS, ...SCENE_EFFECTS] = (process.env.TAVRIX_SCENE || '').split(' ');
// A frame matches when the mean difference per channel stays under 2 (of
// 255) and under 1% of the pixels differ by more than 64 in a channel:
// WebGL's rasteriser and filtering differ from the software device's in the
// last bits and along edges, never in where particles are.
const MEAN_LIMIT = 2;
const OUTLIER_LIMIT = 0.01;
const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.mjs': 'text/javascript',
                '.wasm': 'application/wasm', '.css': 'text/css', '.json': 'application/json' };
const moments = JSON.parse(await readFile(path.join(ROOT, 'site/samples/samples.json'), 'utf8')).moments;
let server, browser, base;

before(async () => {
  server = http.createServer(async (request, response) => {
    const file = path.join(ROOT, path.normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname)));
    try {
      const body = await readFile(file);
      response.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream' });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  base = `http://127.0.0.1:${server.address().port}`;
  browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--enable-unsafe-swiftshader', '--use-angle=swiftshader', '--no-sandbox',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           '--no-first-run'],
  });
});

after(async () => {
  await browser?.close();
  server?.close();
});

async function openViewer(query) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(`${base}/site/index.html?${query}`);
  await page.waitForSelector('body[data-state="ready"]', { timeout: 60000 });
  assert.deepEqual(errors, []);
  return page;
}

// The canvas against a reference PNG, both read through a 2D canvas.
function compareCanvas(page, referenceUrl) {
  return page.evaluate(async (url) => {
    const pixels = (source) => {
      const canvas = new OffscreenCanvas(source.width, source.height);
      const context = canvas.getContext('2d');
      context.drawImage(source, 0, 0);
      return context.getImageData(0, 0, source.width, source.height).data;
    };
    await new Promise(requestAnimationFrame);
    const reference = await createImageBitmap(await (await fetch(url)).blob());
    const [shown, wanted] = [pixels(document.getElementById('view')), pixels(reference)];
    if (shown.length !== wanted.length) return { sizeMismatch: true };
    let sum = 0, outliers = 0, lit = 0;
    for (let i = 0; i < shown.length; i += 4) {
      let worst = 0;
      for (let c = 0; c < 3; ++c) {
        const difference = Math.abs(shown[i + c] - wanted[i + c]);
        sum += difference;
        worst = Math.max(worst, difference);
      }
      if (worst > 64) ++outliers;
      if (wanted[i] + wanted[i + 1] + wanted[i + 2] > 0) ++lit;
    }
    const count = shown.length / 4;
    return { mean: sum / (count * 3), outliers: outliers / count, lit: lit / count };
  }, referenceUrl);
}

for (const [name, at] of Object.entries(moments)) {
  test(`${name} at ${at} ms matches the software device`, async () => {
    const page = await openViewer(`effect=samples/${name}.eff&at=${at}&size=256x256`);
    const result = await compareCanvas(page, `${base}/reference/${name}.png`);
    await page.close();
    assert.ok(result.lit > 0.001, `the reference frame shows nothing: ${JSON.stringify(result)}`);
    assert.ok(result.mean < MEAN_LIMIT && result.outliers < OUTLIER_LIMIT, JSON.stringify(result));
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
    assert.ok(kept.mean < MEAN_LIMIT && kept.outliers < OUTLIER_LIMIT, JSON.stringify(kept));
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
  assert.ok(result.mean < MEAN_LIMIT && result.outliers < OUTLIER_LIMIT, JSON.stringify(result));
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
  assert.ok(result.lit > 0.001 && result.mean < MEAN_LIMIT && result.outliers < OUTLIER_LIMIT, JSON.stringify(result));
});

test('the quads of a fixed scene hash as natively', async () => {
  const page = await openViewer('');
  const hash = await page.evaluate(([effects, ms]) => window.tavrixViewer.sceneHash(effects, ms),
                                   [SCENE_EFFECTS, Number(SCENE_MS)]);
  await page.close();
  assert.match(process.env.TAVRIX_SCENE_HASH, /^[0-9a-f]{16}$/);
  assert.equal(hash, process.env.TAVRIX_SCENE_HASH);
});
