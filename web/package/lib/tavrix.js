// A particle system in the browser: the library's operations in
// JavaScript's idiom. Effects load from URLs or bytes with the nested effect
// files and textures they name; time moves only by the milliseconds passed;
// frames draw into the game's WebGL2 context or come out as typed arrays.
import { Drawer, BATCH_INTS, VERTEX_BYTES } from './drawer.js';
import { Effect } from './effect.js';
import { TavrixError } from './errors.js';
import { ByteCache, defaultBase, pickByName, writeFile } from './files.js';
import { instantiate } from './module.js';
import { Textures } from './textures.js';

const SETTINGS = ['EnableParticle', 'MaxParticles', 'BatchQuads', 'UpdateThreads'];
const GAME_FOLDER = '/game';     // the current folder: nested effect files, as effects name them
const LOADING = '/tavrix/loading.eff';
const SAVING = '/tavrix/saving.eff';
const MAX_NESTED_FILES = 256;
const EFFECT_FILE_OPEN_FAILED = -3999;

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

const lines = (text) => text.split('\n').filter(Boolean);

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
  // bytes. Nested effect files come from options.files ({name: URL or
  // bytes}) or beside the effect (options.base, by default the effect's
  // folder); textures from options.images (a folder URL or {name: URL,
  // bytes or image}) or the image/ folder there.
  async loadEffect(source, options = {}) {
    const url = typeof source === 'string' || source instanceof URL ? new URL(source, this.base) : null;
    const context = url ? url.href : 'effect bytes';
    let bytes;
    try {
      bytes = url ? await this.bytes.get(url) : new Uint8Array(source);
    } catch (reason) {
      throw this.error(EFFECT_FILE_OPEN_FAILED, `${context}: ${reason.message}`);
    }
    const base = options.base ? new URL(options.base, this.base) : new URL('.', url ?? this.base);
    for (const [name, file] of await this.fetchNested(bytes, base, options.files ?? {}))
      writeFile(this.module.FS, name, file);
    writeFile(this.module.FS, LOADING, bytes);
    const id = this.call.load_effect(LOADING);
    this.module.FS.unlink(LOADING);
    this.check(id, context);
    const effect = new Effect(this, id, url?.href ?? null, []);
    this.effects.set(id, effect);
    // The library asks for each texture name once, whichever effect names it
    // first, so this load also waits for those an earlier one is fetching.
    const asked = lines(this.call.take_pending_images());
    const images = options.images ?? new URL('image/', base);
    for (const name of asked) this.images.set(name, this.fetchImage(name, images));
    await Promise.all(this.images.values());
    for (const name of asked) if (!(await this.images.get(name))) effect.missing.push(name);
    if (effect.missing.length)
      console.warn(`tavrix: ${context}: textures not found, drawn as nothing: ${effect.missing.join(', ')}`);
    return effect;
  }

  // Every nested file, and the ones they nest, as [name, bytes]; a file
  // that cannot be had is left out, as the library leaves out a missing one.
  async fetchNested(bytes, base, files) {
    const found = new Map();
    const visit = async (fileBytes) => {
      const names = lines(this.nestedNames(fileBytes)).filter((name) => !found.has(name));
      await Promise.all(names.map(async (name) => {
        if (found.has(name) || found.size >= MAX_NESTED_FILES) return;
        found.set(name, null);
        const given = pickByName(files, name);
        try {
          const file = given === undefined || typeof given === 'string' || given instanceof URL
            ? await this.bytes.get(new URL(given ?? name.replaceAll('\\', '/'), base)) : new Uint8Array(given);
          found.set(name, file);
          await visit(file);
        } catch {
          found.delete(name);
        }
      }));
    };
    await visit(bytes);
    return [...found].filter(([, file]) => file);
  }

  nestedNames(bytes) {
    const pointer = this.module._malloc(bytes.length);
    this.module.HEAPU8.set(bytes, pointer);
    try {
      return this.call.nested_files(pointer, bytes.length);
    } finally {
      this.module._free(pointer);
    }
  }

  // A texture's loading: resolves true once registered, false when it
  // cannot be had. Its number is taken at once, in the order asked.
  async fetchImage(name, images) {
    const file = name.replace(/^image[\\/]/i, '').replaceAll('\\', '/');
    const index = this.textureSet.reserve(name);
    try {
      let source = typeof images === 'string' || images instanceof URL
        ? new URL(file, new URL(images, this.base)) : pickByName(images, file);
      if (source === undefined) return false;
      if (typeof source === 'string' || source instanceof URL) source = await this.bytes.get(new URL(source, this.base));
      await this.textureSet.fill(index, source);
      return true;
    } catch {
      return false;
    }
  }

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
    for (const effect of this.effects.values()) effect.loaded = false;
    this.effects.clear();
  }
}

// options: {canvas | gl, width, height, settings, wasm, fetch, base}
export async function createTavrix(options = {}) {
  const gl = options.gl ?? options.canvas?.getContext('webgl2') ?? null;
  if (options.canvas && !gl) throw new Error('createTavrix: this browser offers no WebGL2');
  const width = options.width ?? gl?.drawingBufferWidth ?? 640;
  const height = options.height ?? gl?.drawingBufferHeight ?? 480;
  const ini = settingsFile(options.settings ?? {});
  const runtime = await instantiate(options.wasm);
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
