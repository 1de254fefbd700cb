// The package's examples as a game developer runs them: copied into a fresh
// folder with the packed tarball installed there by npm, the WebGL2 one
// served as it is (an import map), the PixiJS one bundled with esbuild. In
// headless Chromium each plays the scene of example-scene.txt (the fire
// moved by the pointer, a click's explosion) and its frame is compared with
// the native software device's frame of that scene; the game's own sprites,
// drawn before and after the effects, keep their colours; and tvx.draw()
// puts back every piece of WebGL state it touches.
// Environment: TAVRIX_PACKAGE (the .tgz), TAVRIX_SAMPLES (the packed
// samples), TAVRIX_EXAMPLE_FRAME (the native frame, PNG).
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cpSync, mkdirSync, mkdtempSync, rmSync, symlinkSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { compareInPage, matches, openPage, startBrowser } from './browser.mjs';
import { installPackage } from './install.mjs';

const WEB = path.resolve(import.meta.dirname, '..');
const folder = mkdtempSync(path.join(tmpdir(), 'tavrix-examples-'));
const [WIDTH, HEIGHT] = [480, 320];
const SPRITES = [[16, 16, 64, 64], [400, 16, 64, 64]];  // the game's own, before and after the effects
const CHECKER = [[255, 200, 40], [40, 120, 255]];       // their texels: top-left, top-right
let session;

// The example with the tarball installed in place of its own package.json;
// its other packages are linked from the tests' own, as locked, rather than
// fetched.
function install(name) {
  const example = path.join(folder, name);
  cpSync(path.join(WEB, 'examples', name), example, { recursive: true });
  cpSync(process.env.TAVRIX_SAMPLES, path.join(example, 'assets'), { recursive: true });
  installPackage(example);
  return example;
}

before(async () => {
  install('webgl2');
  const pixi = install('pixi');
  for (const name of ['pixi.js', 'esbuild']) symlinkSync(path.join(WEB, 'node_modules', name), path.join(pixi, 'node_modules', name));
  mkdirSync(path.join(pixi, 'dist'));
  execFileSync(path.join(WEB, 'node_modules/.bin/esbuild'), ['main.js', '--bundle', '--format=esm', '--outdir=dist', '--log-level=warning'], { cwd: pixi });
  cpSync(path.join(pixi, 'node_modules/tavrix/tavrix.wasm'), path.join(pixi, 'dist/tavrix.wasm'));
  cpSync(process.env.TAVRIX_EXAMPLE_FRAME, path.join(folder, 'reference.png'));
  session = await startBrowser(folder);
});

after(async () => {
  await session?.close();
  rmSync(folder, { recursive: true, force: true });
});

const openExample = (name) => openPage(session, `/${name}/index.html?manual`,
  (page) => page.waitForFunction(() => window.example, null, { timeout: 60000 }));

// The page's frame after the scene, as RGBA rows from the top, kept in the
// page for compareInPage; read in the same task as the drawing.
const readFrame = (context) => `(() => {
  const gl = ${context};
  const { drawingBufferWidth: w, drawingBufferHeight: h } = gl;
  const rows = new Uint8Array(w * h * 4);
  gl.readPixels(0, 0, w, h, gl.RGBA, gl.UNSIGNED_BYTE, rows);
  const pixels = new Uint8Array(rows.length);
  for (let y = 0; y < h; ++y) pixels.set(rows.subarray((h - 1 - y) * w * 4, (h - y) * w * 4), y * w * 4);
  return pixels;
})()`;

// Plays example-scene.txt through the page's pointer and clock, then
// compares; returns the sprites' texel colours too.
async function playAndCompare(page, context) {
  await page.evaluate(() => window.example.frames(500));
  await page.evaluate(() => window.example.pointer(200, 240));
  await page.evaluate(() => window.example.frames(300));
  await page.evaluate(() => window.example.click(330, 130));
  return page.evaluate(`(async () => {
    window.example.frames(1300);
    const pixels = ${readFrame(context)};
    const texel = (x, y) => [...pixels.subarray((y * ${WIDTH} + x) * 4, (y * ${WIDTH} + x) * 4 + 3)];
    const sprites = ${JSON.stringify(SPRITES)}.map(([x, y]) => [texel(x + 8, y + 8), texel(x + 40, y + 8)]);
    const result = await (${compareInPage})(pixels, ${WIDTH}, '/reference.png', ${JSON.stringify(SPRITES)});
    return { ...result, sprites };
  })()`);
}

function assertFrame(result) {
  assert.ok(result.lit > 0.01, `the reference frame shows nothing: ${JSON.stringify(result)}`);
  assert.ok(matches(result), JSON.stringify(result));
  for (const sprite of result.sprites) assert.deepEqual(sprite, CHECKER, 'a sprite of the game changed colour');
}

test('the WebGL2 example draws the native frame between the game\'s own sprites', async () => {
  const page = await openExample('webgl2');
  assertFrame(await playAndCompare(page, 'window.example.gl'));
  await page.close();
});

test('the PixiJS example, bundled, draws the native frame as meshes between sprites', async () => {
  const page = await openExample('pixi');
  assertFrame(await playAndCompare(page, 'window.example.app.renderer.gl'));
  await page.close();
});

test('tvx.draw() puts back every piece of WebGL state it changes', async () => {
  const page = await openExample('webgl2');
  const { changed, quads } = await page.evaluate(() => {
    const { gl, tvx } = window.example;
    window.example.frames(600);
    // A game's state far from what the effects need.
    gl.useProgram(null);
    gl.bindVertexArray(null);
    gl.bindBuffer(gl.ARRAY_BUFFER, gl.createBuffer());
    for (const cap of [gl.DEPTH_TEST, gl.CULL_FACE, gl.SCISSOR_TEST]) gl.enable(cap);
    gl.disable(gl.BLEND);
    gl.blendFuncSeparate(gl.ONE, gl.ZERO, gl.ZERO, gl.ONE);
    gl.blendEquation(gl.FUNC_SUBTRACT);
    gl.colorMask(true, false, true, false);
    gl.activeTexture(gl.TEXTURE0);
    gl.bindTexture(gl.TEXTURE_2D, gl.createTexture());
    gl.bindSampler(0, gl.createSampler());
    gl.activeTexture(gl.TEXTURE3);
    const names = ['CURRENT_PROGRAM', 'VERTEX_ARRAY_BINDING', 'ARRAY_BUFFER_BINDING', 'ACTIVE_TEXTURE', 'BLEND',
                   'DEPTH_TEST', 'CULL_FACE', 'SCISSOR_TEST', 'BLEND_SRC_RGB', 'BLEND_DST_RGB', 'BLEND_SRC_ALPHA',
                   'BLEND_DST_ALPHA', 'BLEND_EQUATION_RGB', 'COLOR_WRITEMASK', 'VIEWPORT'];
    const snapshot = () => {
      const values = names.map((name) => gl.getParameter(gl[name]));
      gl.activeTexture(gl.TEXTURE0);
      values.push(gl.getParameter(gl.TEXTURE_BINDING_2D), gl.getParameter(gl.SAMPLER_BINDING));
      gl.activeTexture(values[3]);
      return values.map((v) => (ArrayBuffer.isView(v) || Array.isArray(v) ? JSON.stringify([...v]) : v));
    };
    const before = snapshot();
    tvx.draw();
    const after = snapshot();
    const labels = [...names, 'TEXTURE_BINDING_2D of unit 0', 'SAMPLER_BINDING of unit 0'];
    return { changed: labels.filter((_, i) => before[i] !== after[i]), quads: tvx.quads().quadCount };
  });
  await page.close();
  assert.ok(quads > 0, 'nothing was drawn');
  assert.deepEqual(changed, []);
});
