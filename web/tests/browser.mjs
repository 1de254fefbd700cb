// What the browser tests share: a static server for a folder on 127.0.0.1
// and the system's Chromium, headless with SwiftShader's WebGL2, driven by
// playwright-core; and the comparison of a frame with a reference picture.
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import http from 'node:http';
import path from 'node:path';
import { chromium } from 'playwright-core';

const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.mjs': 'text/javascript',
                '.wasm': 'application/wasm', '.css': 'text/css', '.json': 'application/json',
                '.png': 'image/png' };

// A frame matches when the mean difference per channel stays under 2 (of
// 255) and under 1% of the pixels differ by more than 64 in a channel:
// WebGL's rasteriser and filtering differ from the software device's in the
// last bits and along edges, never in where particles are.
export const MEAN_LIMIT = 2;
export const OUTLIER_LIMIT = 0.01;
export const matches = (result) => result.mean < MEAN_LIMIT && result.outliers < OUTLIER_LIMIT;

// A page asked for with ?isolated, and what it loads, are served
// cross-origin isolated, as shared memory needs.
const isolated = (request, url) =>
  url.searchParams.has('isolated') || new URL(request.headers.referer ?? 'http://x').searchParams.has('isolated');
const ISOLATED = { 'Cross-Origin-Opener-Policy': 'same-origin', 'Cross-Origin-Embedder-Policy': 'require-corp' };

// delay(path) may hold a file back: milliseconds to wait before answering.
export async function startBrowser(root, delay = () => 0) {
  const server = http.createServer(async (request, response) => {
    const url = new URL(request.url, 'http://x');
    const name = decodeURIComponent(url.pathname);
    const file = path.join(root, path.normalize(name));
    try {
      const body = await readFile(file);
      await new Promise((resolve) => setTimeout(resolve, delay(name)));
      response.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream',
                                ...(isolated(request, url) ? ISOLATED : {}) });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--enable-unsafe-swiftshader', '--use-angle=swiftshader', '--no-sandbox',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           '--no-first-run'],
  });
  return {
    base: `http://127.0.0.1:${server.address().port}`,
    browser,
    async close() {
      await browser.close();
      server.close();
    },
  };
}

// Opens address on the server and waits with until(page); fails when the
// page threw meanwhile.
export async function openPage(session, address, until) {
  const page = await session.browser.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(`${session.base}${address}`);
  await until(page);
  assert.deepEqual(errors, []);
  return page;
}

// Runs in the page: RGBA pixels (rows top to bottom) against the reference
// PNG at url, leaving out the rectangles in skip ([x, y, w, h]).
export function compareInPage(pixels, width, url, skip = []) {
  return (async () => {
    const bitmap = await createImageBitmap(await (await fetch(url)).blob());
    const context = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
    context.drawImage(bitmap, 0, 0);
    const wanted = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
    if (wanted.length !== pixels.length) return { sizeMismatch: true };
    const skipped = (x, y) => skip.some(([sx, sy, sw, sh]) => x >= sx && x < sx + sw && y >= sy && y < sy + sh);
    let sum = 0, outliers = 0, lit = 0, count = 0;
    for (let i = 0; i < pixels.length; i += 4) {
      if (skipped((i / 4) % width, Math.floor(i / 4 / width))) continue;
      let worst = 0;
      for (let c = 0; c < 3; ++c) {
        const difference = Math.abs(pixels[i + c] - wanted[i + c]);
        sum += difference;
        worst = Math.max(worst, difference);
      }
      ++count;
      if (worst > 64) ++outliers;
      if (Math.abs(wanted[i] - wanted[0]) + Math.abs(wanted[i + 1] - wanted[1]) + Math.abs(wanted[i + 2] - wanted[2]) > 30) ++lit;
    }
    return { mean: sum / (count * 3), outliers: outliers / count, lit: lit / count };
  })();
}
