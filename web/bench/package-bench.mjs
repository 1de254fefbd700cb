// What a game in the browser sees, against the same code natively: the game
// workload (gravity, spin, size and colour over life; each particle lives
// 2 +- 0.5 s) at 1,000 and 100,000 live, churned for 600 frames of 17, 17
// and 16 ms, then 120 frames timed, the median frame taken (a shared
// machine stalls some frames; at 1,000 live in the page, the mean, as its
// clock is too coarse for one frame): tvx.update() per live particle,
// tvx.quads() and tvx.draw() (the page's side of SwiftShader's WebGL2) per quad in
// headless Chromium, from the package's module and from its module with
// shared memory on two threads (tavrix/threads, the page cross-origin
// isolated), and tavrix_web_bench's update and quad collection per
// particle natively, on one thread and on two (a copy of it beside a
// Particle.ini that asks for them); rounds interleaved. A second module runs beside the
// first when given (OTHER): a .wasm loaded by this package, such as the
// build without SIMD128, or the package folder of another build, such as the
// code before a change, loaded with its own JavaScript; it is measured on
// both pages.
// Usage: [NO_WEBGL=1] node web/bench/package-bench.mjs NATIVE_BUILD WEB_BUILD [OTHER [ROUNDS]]
import { execFileSync } from 'node:child_process';
import { cpSync, mkdirSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { startBrowser } from '../tests/browser.mjs';

const [native, web, other] = process.argv.slice(2, 5).map((a) => (a ? path.resolve(a) : a));
const rounds = Number(process.argv[5] ?? 3);
const folder = mkdtempSync(path.join(tmpdir(), 'tavrix-bench-'));
const SIZES = [1000, 100000];
const PER_EMITTER = 50000;
// SwiftShader's rasteriser threads keep spinning on both processors of this
// machine after a frame, so the second update thread is measured on a page
// that draws with WebGL and on one that does not, beside one thread.
const THREADS = { module: './tavrix/threads.js', settings: { UpdateThreads: 2 } };
// With NO_WEBGL=1 only the pages that draw nothing are measured: the
// spinning goes on into the measurement after a drawn page's.
const DRAWN = process.env.NO_WEBGL ? [false] : [true, false];
const VARIANTS = Object.fromEntries(Object.entries({
  'chromium simd128': {},
  'chromium threads 2': THREADS,
  'chromium simd128, no WebGL': { drawn: false },
  'chromium threads 2, no WebGL': { ...THREADS, drawn: false },
}).filter(([, options]) => DRAWN.includes(options.drawn ?? true)));

const track = (name, domain, low, high, keys) =>
  ({ name, cycles: 1, duration: domain, boundA: low, boundB: high, default: keys[0][1],
     keys: keys.map(([time, value]) => ({ time, value })) });
const life = (name, from, to, low = -100) => track(name, 1, low, low < 0 ? 100 : 1, [[0, from], [1, to]]);
const constant = (name, low, high, value) => track(name, 1000, low, high, [[0, value]]);

function workload(live) {
  const emitters = Math.max(1, live / PER_EMITTER);
  const emitter = {
    magic: 'ET2D', version: 1,
    tracks: [constant('BaseQuantity', 0, 1000000, live / 2 / emitters), constant('BaseLife', 0, 1000, 2),
             constant('VarLife', 0, 2000, 0.5), life('LifeX', 1, 3), life('LifeRed', 1, 0.25, 0),
             life('LifeGreen', 0.5, 1, 0), life('LifeBlue', 0, 0.75, 0), life('LifeVisible', 1, 0.1, 0),
             constant('BaseSpin', -3600, 3600, 90), constant('VarSpin', 0, 2000, 40)],
    frameSet: { frameSetName: 'spark', textureName: 'spark.png', frames: [[0, 0, 1, 1]], frameIndex: 0 },
  };
  return { tag: 'TVPS', version: 1, durationSeconds: 100000, endMode: 0,
           tracks: [track('gravity', 1, 0, 100, [[0, 0.2]])], emitters: Array(emitters).fill(emitter) };
}

for (const live of SIZES) {
  writeFileSync(path.join(folder, `game-${live}.json`), JSON.stringify(workload(live)));
  execFileSync(path.join(native, 'tools/tavrix'), ['pack', path.join(folder, `game-${live}.json`), '-o',
                                                    path.join(folder, `game-${live}.eff`)]);
}
cpSync(path.join(native, 'samples/image'), path.join(folder, 'image'), { recursive: true });
const NATIVE = { native: path.join(native, 'web/tavrix_web_bench'),
                 'native, two threads': path.join(folder, 'threads/tavrix_web_bench') };
mkdirSync(path.join(folder, 'threads'));
cpSync(NATIVE.native, NATIVE['native, two threads']);
writeFileSync(path.join(folder, 'threads/Particle.ini'), '[System]\nUpdateThreads=2\n');
cpSync(path.join(web, 'package'), path.join(folder, 'tavrix'), { recursive: true });
const otherPackage = other && !other.endsWith('.wasm');
if (other) cpSync(other, path.join(folder, otherPackage ? 'other' : 'tavrix/other.wasm'), { recursive: true });
writeFileSync(path.join(folder, 'index.html'), `<!doctype html><canvas width="640" height="480"></canvas>
<script type="importmap">{"imports": {"tavrix": "./tavrix/index.js"}}</script>
<script type="module">
import { createTavrix } from 'tavrix';
window.measure = async (effect, { wasm, module, settings, drawn = true } = {}) => {
  const gl = drawn ? document.querySelector('canvas').getContext('webgl2') : null;
  const create = module ? (await import(module)).createTavrix : createTavrix;
  const tvx = await create({ gl, settings, ...(wasm ? { wasm: new URL(wasm, location.href) } : {}) });
  const fire = (await tvx.loadEffect(effect)).moveTo(320, 240, { nested: true }).play();
  const step = (frame) => (frame % 3 === 2 ? 16 : 17);
  for (let frame = 0; frame < 600; ++frame) { tvx.update(step(frame)); tvx.quads(); }
  const update = [], quads = [], draw = [];
  let count = 0;
  for (let frame = 0; frame < 120; ++frame) {
    const start = performance.now();
    tvx.update(step(frame));
    const updated = performance.now();
    const quadCount = tvx.quads().quadCount;
    const collected = performance.now();
    if (gl) {
      tvx.draw();  // what the page pays; the rasteriser works on in the GPU process
      draw.push((performance.now() - collected) / quadCount);
      gl.finish();  // SwiftShader rasterises on the processor: not during the next frame's update
    }
    quads.push((collected - updated) / quadCount);
    update.push((updated - start) / quadCount);
    count += quadCount;
  }
  tvx.destroy();
  // The page's clock ticks in 0.1 ms: frames of 1,000 particles are shorter,
  // so there the mean frame stands for them.
  const live = count / 120;
  const ns = (perQuad) => +((live >= 10000 ? perQuad.sort((a, b) => a - b)[60]
                                           : perQuad.reduce((a, b) => a + b) / 120) * 1e6).toFixed(2);
  return { live: Math.round(live), updateNs: ns(update), quadsNs: ns(quads), ...(gl ? { drawNs: ns(draw) } : {}) };
};
</script>`);

const session = await startBrowser(folder);
const page = await session.browser.newPage();
await page.goto(`${session.base}/index.html?isolated`);
await page.waitForFunction(() => window.measure);
const results = [];
for (let round = 1; round <= rounds; ++round) {
  for (const live of SIZES) {
    const effect = `game-${live}.eff`;
    for (const [where, program] of Object.entries(NATIVE))
      results.push({ round, live, where, ...JSON.parse(execFileSync(program, [effect], { cwd: folder })) });
    for (const [where, options] of Object.entries(VARIANTS))
      results.push({ round, live, where, ...await page.evaluate((a) => window.measure(...a), [effect, options]) });
    if (other) {
      const options = otherPackage ? { module: './other/index.js' } : { wasm: 'tavrix/other.wasm' };
      const where = `chromium ${otherPackage ? 'other package' : 'other module'}`;
      for (const drawn of DRAWN) {
        results.push({ round, live, where: drawn ? where : `${where}, no WebGL`,
                       ...await page.evaluate((a) => window.measure(...a), [effect, { ...options, drawn }]) });
      }
    }
  }
}
await session.close();
rmSync(folder, { recursive: true, force: true });
for (const r of results) console.log(JSON.stringify(r));
