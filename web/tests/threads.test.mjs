// tavrix/threads as a game uses it: the packed tarball installed into a
// fresh folder, imported through an import map in a cross-origin isolated
// page in headless Chromium, and bundled by esbuild. A crowd big enough for
// the update to share its steps plays to the native build's hash on one
// thread and on two, the second a worker the library started; a page that
// is not isolated gets a clear refusal rather than a broken module.
// Environment: TAVRIX_PACKAGE (the .tgz), TAVRIX_CROWD (a folder with
// crowd.eff and its image/), TAVRIX_CROWD_HASH (tavrix_web_script's hash of
// crowd-scene.txt there).
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cpSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { openPage, startBrowser } from './browser.mjs';
import { installPackage } from './install.mjs';

const WEB = path.resolve(import.meta.dirname, '..');
const folder = mkdtempSync(path.join(tmpdir(), 'tavrix-threads-'));
let session;

before(async () => {
  installPackage(folder);
  cpSync(process.env.TAVRIX_CROWD, folder, { recursive: true, dereference: true });
  for (const file of ['scene.mjs', 'crowd-scene.txt']) cpSync(new URL(file, import.meta.url), path.join(folder, file));
  writeFileSync(path.join(folder, 'page.js'), `import { createTavrix } from 'tavrix/threads';
import { playScene } from './scene.mjs';
window.play = async (threads) => {
  const tvx = await createTavrix({ width: 320, height: 240, settings: { UpdateThreads: threads } });
  const { hash } = await playScene(tvx, await (await fetch('crowd-scene.txt')).text());
  const workers = tvx.module.PThread.runningWorkers.length;
  tvx.destroy();
  return { hash, workers };
};
window.refusal = () => createTavrix().then(() => 'created', (error) => error.message);
window.ready = true;
`);
  writeFileSync(path.join(folder, 'index.html'), `<!doctype html>
<script type="importmap">{"imports": {"tavrix/threads": "./node_modules/tavrix/threads.js"}}</script>
<script type="module" src="page.js"></script>`);
  // The same page bundled by esbuild, with the package's threads/ beside the bundle.
  execFileSync(path.join(WEB, 'node_modules/.bin/esbuild'), ['page.js', '--bundle', '--format=esm', '--outdir=dist', '--log-level=warning'], { cwd: folder });
  cpSync(path.join(folder, 'node_modules/tavrix/threads'), path.join(folder, 'dist/threads'), { recursive: true });
  writeFileSync(path.join(folder, 'bundled.html'), '<!doctype html><script type="module" src="dist/page.js"></script>');
  session = await startBrowser(folder);
});

after(async () => {
  await session?.close();
  rmSync(folder, { recursive: true, force: true });
});

const open = (address) => openPage(session, address,
  (page) => page.waitForFunction(() => window.ready, null, { timeout: 60000 }));

test('the crowd plays to the native hash on one thread and on two, also bundled', async () => {
  assert.match(process.env.TAVRIX_CROWD_HASH, /^[0-9a-f]{8}$/);
  for (const [address, counts] of [['/index.html?isolated', [1, 2]], ['/bundled.html?isolated', [2]]]) {
    const page = await open(address);
    assert.equal(await page.evaluate(() => window.crossOriginIsolated), true);
    for (const threads of counts) {
      const { hash, workers } = await page.evaluate((n) => window.play(n), threads);
      assert.equal(hash, process.env.TAVRIX_CROWD_HASH, `${address}, ${threads} threads`);
      assert.equal(workers, threads - 1, `${address}, ${threads} threads: the library's workers`);
    }
  }
});

test('a page that is not cross-origin isolated is told why', async () => {
  const page = await open('/index.html');
  assert.match(await page.evaluate(() => window.refusal()), /cross-origin isolated.*import 'tavrix'/);
});
