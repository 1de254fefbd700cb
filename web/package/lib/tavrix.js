// A particle system in the browser: the library's operations in
// JavaScript's idiom. Effects load from URLs or bytes with the nested effect
// files and textures they name; time moves only by the milliseconds passed;
// frames draw into the game's WebGL2 context or come out as typed arrays.
import { Drawer } from './drawer.js';
import { BATCH_INTS, VERTEX_BYTES } from './quadProgram.js';
import { TavrixError } from './errors.js';
import { ByteCache, defaultBase } from './files.js';
import { loadEffect } from './loader.js';
import { instantiate } from './module.js';
import { Textures } from './textures.js';

const SETTINGS = ['EnableParticle', 'MaxParticles', 'BatchQuads', 'UpdateThreads'];
const GAME_FOLDER = '/game';     // the current folder: nested effect files, as effects name them
const SAVING = '/tavrix/saving.eff';

// Particle.ini, where the library reads its settings in the module.
function settingsFile(settings) {
  const lines = ['[System]'];
  for (const [key, value] of Object.entries(settings)) {
    if (!SETTINGS.includes(key)) throw new TypeError(`createTavrix: unknown setting ${key} (known: ${SETTINGS.join(', ')})`);
    if (!Number.isInteger(+value)) throw new TypeError(`createTavrix: setting ${key} must be an integer`);
    lines.push(`${key}=${+value}`);
  }
  return `${lines.join('\n')}\n`;
}

export class Tavrix {
  constructor(runtime, { drawer, width, height, fetch, base }) {
    Object.assign(this, runtime);
    this.drawer = drawer;
    this.viewWidth = width;
    this.viewHeight = height;
    this.base = base;
    this.bytes = new ByteCache(fetch);
    this.textureSet = new Textures(runtime, drawer);
    this.images = new Map();  // texture name: its loading, shared by the effects that ask
    this.effects = new Map();
    this.onFinish = null;
  }

  // Throws a TavrixError for a negative result other than EffectEnded.
  check(result, context) {
    if (result < -1) throw this.error(result, context);
    return result;
  }

  error(result, context) {
    return new TavrixError(result, this.call.result_name(result), this.call.result_meaning(result), context);
  }

  // The textures the batches name, by index: {name, width, height, source}.
  get textures() { return this.textureSet.list; }
  get effectCount() { return this.call.effect_count(); }

  setViewSize(width, height) {
    this.check(this.call.set_view_size(width, height));
    [this.viewWidth, this.viewHeight] = [width, height];
  }

  // Loads an effect from a URL (relative to the page) or from its file's
  // bytes, with the files it names (loader.js).
  loadEffect(source, options = {}) { return loadEffect(this, source, options); }

  forget(effect) {
    effect.loaded = false;
    this.effects.delete(effect.id);
  }

  // Calls onFinish of the effects whose end the library reported, after the
  // update (the library reports from inside it).
  dispatchFinished() {
    const count = this.call.take_finished();
    const ids = [...new Int32Array(this.module.HEAPU8.buffer, this.call.finished(), count)];
    for (const id of ids) {
      const effect = this.effects.get(id);
      if (!effect) continue;
      effect.onFinish?.(effect);
      this.onFinish?.(effect);
    }
  }

  // Advances every playing effect by ms, the time since the last frame.
  update(ms) {
    this.check(this.call.update_all(ms | 0));
    this.dispatchFinished();
  }

  // Advances every playing effect to ms on its own clock (ms since its
  // play()); true when one reached its end, which stops the walk there.
  updateTo(ms) { return this.check(this.call.update_all_to(ms | 0)) === -1; }

  // Collects the frame of every effect, or of the given ones in that order.
  collect(effects) {
    if (!effects) return this.check(this.call.draw_all());
    this.check(this.call.begin_frame());
    try {
      for (const effect of [effects].flat()) this.check(this.call.draw_effect(effect.id));
    } finally {
      this.call.end_frame();
    }
  }

  // The frame as typed arrays over the module's memory, valid until the
  // next call into this instance: 4 vertices of 20 bytes per quad (x, y in
  // view units and u, v as floats, then R, G, B, A bytes), and per batch
  // its texture index, additive (1) or alpha blend (0), first quad and quad count.
  quads(effects) {
    this.collect(effects);
    const memory = this.module.HEAPU8.buffer;
    const quadCount = this.call.quad_count();
    const start = this.call.vertices();
    const batchCount = this.call.batch_count();
    return {
      quadCount,
      vertices: new Float32Array(memory, start, quadCount * 4 * (VERTEX_BYTES / 4)),
      bytes: new Uint8Array(memory, start, quadCount * 4 * VERTEX_BYTES),
      batches: new Int32Array(memory, this.call.batches(), batchCount * BATCH_INTS),
      batchCount,
    };
  }

  // Draws every effect (or the given ones) into the WebGL2 context given at
  // creation, inside the game's frame, its state put back afterwards.
  draw(effects) {
    if (!this.drawer) throw new Error('tavrix.draw: created without a canvas or gl; use quads()');
    this.drawer.draw(this.quads(effects), this.textures, this.viewWidth, this.viewHeight);
  }

  // The effect loaded first, as its file's bytes.
  saveEffect() {
    this.check(this.call.save_effect(SAVING));
    const bytes = this.module.FS.readFile(SAVING);
    this.module.FS.unlink(SAVING);
    return bytes;
  }

  // Releases the system; the instance is not to be used afterwards.
  destroy() {
    this.call.destroy();
    this.module.PThread?.terminateAllThreads();  // the workers of tavrix/threads
    for (const effect of this.effects.values()) effect.loaded = false;
    this.effects.clear();
  }
}

// options: {canvas | gl, width, height, settings, wasm, fetch, base};
// build(settings): the module to run, as instantiate takes it (module.js).
export async function createTavrix(options, build) {
  const gl = options.gl ?? options.canvas?.getContext('webgl2') ?? null;
  if (options.canvas && !gl) throw new Error('createTavrix: this browser offers no WebGL2');
  const width = options.width ?? gl?.drawingBufferWidth ?? 640;
  const height = options.height ?? gl?.drawingBufferHeight ?? 480;
  const ini = settingsFile(options.settings ?? {});
  const runtime = await instantiate(options.wasm, build(options.settings ?? {}));
  const { module, call } = runtime;
  module.FS.mkdirTree('/tavrix');
  module.FS.writeFile('/tavrix/Particle.ini', ini);
  module.FS.mkdirTree(GAME_FOLDER);
  module.FS.chdir(GAME_FOLDER);
  const tavrix = new Tavrix(runtime, {
    drawer: gl ? new Drawer(gl) : null, width, height,
    fetch: options.fetch ?? globalThis.fetch?.bind(globalThis), base: new URL(options.base ?? '.', defaultBase()),
  });
  tavrix.check(call.create(width, height), 'createTavrix');
  return tavrix;
}
