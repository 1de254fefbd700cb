// The npm package as a game installs it: the packed tarball installed with
// npm into a fresh folder and driven there under Node.js. A scene of
// several effects plays to the native build's hash of the same frames;
// identifiers follow load order and are never reused; a URL loaded twice is
// fetched once; saved bytes load back playing; failures are TavrixErrors
// named by the library's table.
// Environment: TAVRIX_PACKAGE (the .tgz), TAVRIX_SAMPLES (the packed
// samples), TAVRIX_SCRIPT_HASH (tavrix_web_script's hash of scene.txt).
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { after, before, test } from 'node:test';
import { installPackage } from './install.mjs';
import { playScene } from './scene.mjs';

const SAMPLES = process.env.TAVRIX_SAMPLES;
const folder = mkdtempSync(path.join(tmpdir(), 'tavrix-package-'));
let tavrix;

before(async () => {
  installPackage(folder);
  writeFileSync(path.join(folder, 'game.js'), "export * from 'tavrix';\n");
  tavrix = await import(pathToFileURL(path.join(folder, 'game.js')));
});

after(() => rmSync(folder, { recursive: true, force: true }));

// The samples served from a pretend site, counting each URL's fetches.
function sampleSite() {
  const fetches = new Map();
  const fetch = async (url) => {
    fetches.set(url, (fetches.get(url) ?? 0) + 1);
    try {
      const bytes = readFileSync(path.join(SAMPLES, decodeURIComponent(new URL(url).pathname)));
      return new Response(bytes);
    } catch {
      return new Response(null, { status: 404 });
    }
  };
  return { fetches, options: { fetch, base: 'https://game.example/' } };
}

test('a scene of several effects plays to the native hash, identifiers never reused', async () => {
  const site = sampleSite();
  const tvx = await tavrix.createTavrix({ width: 320, height: 240, ...site.options });
  const script = readFileSync(new URL('scene.txt', import.meta.url), 'utf8');
  const { effects, hash } = await playScene(tvx, script);
  assert.deepEqual(effects.map((e) => e.id), [0, 1, 2, 3]);
  assert.deepEqual(effects.map((e) => e.loaded), [true, true, false, true]);
  assert.equal(tvx.effectCount, 3);
  assert.match(process.env.TAVRIX_SCRIPT_HASH, /^[0-9a-f]{8}$/);
  assert.equal(hash, process.env.TAVRIX_SCRIPT_HASH);
  // fire.eff twice, burst.eff with its nested file, snow.eff: each file once.
  assert.ok([...site.fetches.values()].every((count) => count === 1), JSON.stringify([...site.fetches]));
  assert.ok(site.fetches.has('https://game.example/burst_sparks.eff'));
  assert.ok(site.fetches.has('https://game.example/image/spark.png'));
});

test('an effect ends through onFinish and updateTo, and its saved bytes load back playing', async () => {
  const tvx = await tavrix.createTavrix({ width: 256, height: 256, ...sampleSite().options });
  const fire = await tvx.loadEffect('fire.eff');
  const burst = (await tvx.loadEffect('burst.eff')).moveTo(128, 128, { nested: true }).play();
  const heard = [];
  burst.onFinish = (effect) => heard.push(effect.id);
  for (let ms = 0; ms < 10000 && !heard.length; ms += 50) tvx.update(50);
  assert.deepEqual(heard, [burst.id]);
  burst.play();
  assert.equal(tvx.updateTo(100), false);
  assert.equal(tvx.updateTo(5000), true);

  fire.moveTo(128, 128, { nested: true }).play();
  tvx.update(500);
  assert.throws(() => burst.save(), /saves the first effect loaded/);
  const saved = fire.save();
  const fresh = await tavrix.createTavrix({ width: 256, height: 256, ...sampleSite().options });
  const restored = await fresh.loadEffect(saved);
  assert.equal(restored.width, fire.width);
  assert.ok(fresh.quads().quadCount > 0, 'the saved effect plays on from its saved time');
});

test('failures are TavrixErrors with the code name and meaning, and nothing stops the module', async () => {
  const { TavrixError, createTavrix } = tavrix;
  const tvx = await createTavrix(sampleSite().options);
  const failures = [
    [() => tvx.loadEffect(new Uint8Array(3)), 'EffectHeaderUnreadable', -3997],
    [() => tvx.loadEffect(new Uint8Array(0)), 'EffectHeaderUnreadable', -3997],
    [() => tvx.loadEffect('missing.eff'), 'EffectFileOpenFailed', -3999],
    [async () => { const e = await tvx.loadEffect('fire.eff'); e.unload(); e.moveTo(1, 2); }, 'PositionNoEffect', -3952],
  ];
  for (const [action, code, result] of failures) {
    await assert.rejects(action, (error) => error instanceof TavrixError && error.code === code &&
      error.result === result && error.message.includes(error.meaning) && error.meaning.length > 10);
  }
  const off = await createTavrix({ settings: { EnableParticle: 0 }, ...sampleSite().options });
  await assert.rejects(off.loadEffect('fire.eff'), { code: 'Disabled' });
  await assert.rejects(createTavrix({ settings: { MaxParticle: 10 } }), TypeError);
  const bare = await createTavrix(sampleSite().options);
  const effect = await bare.loadEffect('glow.eff', { images: {} });
  assert.deepEqual(effect.missing, ['image/disc.png']);
});
