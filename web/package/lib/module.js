// The WebAssembly module: compiled once per source, instantiated afresh for
// each createTavrix (each instance has the library to itself: its random
// source starts from its seed, as a fresh native process's does), its C
// functions bound with a guard that turns a stop inside the module into a
// TavrixError.
import { ABORTED, TavrixError } from './errors.js';
import { readBytes } from './files.js';

// name: [result type, argument types], without the tvx_ prefix.
const API = {
  create: ['number', ['number', 'number']],
  destroy: [null, []],
  set_view_size: ['number', ['number', 'number']],
  load_effect: ['number', ['string']],
  unload_effect: ['number', ['number']],
  set_effect_position: ['number', ['number', 'number', 'number', 'number']],
  play_effect: ['number', ['number', 'number']],
  clear_effect: ['number', ['number']],
  update_all_to: ['number', ['number']],
  update_effect: ['number', ['number', 'number']],
  update_all: ['number', ['number']],
  save_effect: ['number', ['string']],
  effect_count: ['number', []],
  effect_width: ['number', ['number']],
  effect_height: ['number', ['number']],
  draw_all: ['number', []],
  begin_frame: ['number', []],
  draw_effect: ['number', ['number']],
  end_frame: ['number', []],
  quad_count: ['number', []],
  vertices: ['number', []],
  batch_count: ['number', []],
  batches: ['number', []],
  take_finished: ['number', []],
  finished: ['number', []],
  take_pending_images: ['string', []],
  register_image: [null, ['string', 'number', 'number', 'number']],
  nested_files: ['string', ['number', 'number']],
  decode_texture: ['number', ['string']],
  decoded_width: ['number', []],
  decoded_height: ['number', []],
  decoded_pixels: ['number', []],
  result_name: ['string', ['number']],
  result_meaning: ['string', ['number']],
};

const compiled = new Map();

async function compile(source) {
  if (source instanceof WebAssembly.Module) return source;
  if (source instanceof ArrayBuffer || ArrayBuffer.isView(source)) return WebAssembly.compile(source);
  const url = new URL(source, globalThis.location?.href);
  if (!compiled.has(url.href)) {
    const streamed = url.protocol !== 'file:' && WebAssembly.compileStreaming
      ? WebAssembly.compileStreaming(fetch(url)).catch(() => null) : Promise.resolve(null);
    compiled.set(url.href, streamed.then(async (module) => module ?? WebAssembly.compile(await readBytes(url))));
    compiled.get(url.href).catch(() => compiled.delete(url.href));
  }
  return compiled.get(url.href);
}

function guard(state, call) {
  return (...args) => {
    if (state.aborted) throw new TavrixError(null, ABORTED.name, ABORTED.meaning);
    try {
      return call(...args);
    } catch (error) {
      state.aborted = true;
      const failure = new TavrixError(null, ABORTED.name, ABORTED.meaning);
      failure.cause = error;
      throw failure;
    }
  };
}

// {module, call, state}: the emscripten module (its FS and heap), the bound
// functions, and whether the instance stopped. build: {createModule, options}
// of the module built with or without shared memory.
export async function instantiate(wasm, build) {
  const compiledModule = await compile(wasm);
  const module = await build.createModule({
    ...build.options,
    instantiateWasm(imports, receive) {
      WebAssembly.instantiate(compiledModule, imports).then((instance) => receive(instance, compiledModule));
      return {};
    },
    print: () => {},
    // The update's host thread waits for its workers (tavrix/threads) by
    // design, for a fraction of a frame.
    printErr: (text) => !text.startsWith('Blocking on the main thread') && console.warn(`tavrix: ${text}`),
  });
  const state = { aborted: false };
  const call = {};
  for (const [name, [result, args]] of Object.entries(API))
    call[name] = guard(state, module.cwrap(`tvx_${name}`, result, args));
  return { module, call, state };
}
