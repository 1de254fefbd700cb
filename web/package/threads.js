// tavrix/threads: the same runtime built with shared memory, so that the
// update of a big effect runs on UpdateThreads threads (2 unless the
// settings say otherwise), the extra ones in Web Workers. Shared memory
// needs a cross-origin isolated page: served with the headers
// Cross-Origin-Opener-Policy: same-origin and
// Cross-Origin-Embedder-Policy: require-corp.
import { createTavrix as create } from './lib/tavrix.js';
import createModule from './threads/tavrix-module.js';

export { Tavrix } from './lib/tavrix.js';
export { Effect } from './lib/effect.js';
export { TavrixError } from './lib/errors.js';

const folder = new URL('./threads/', import.meta.url);
// As the library counts them: at most 16 threads, the host's among them.
const MAX_THREADS = 16;

// A worker for each thread but the host's, started with the module (the
// module needs at least one to start).
function build(settings) {
  const threads = Math.min(Math.max(Number(settings.UpdateThreads) || 1, 1), MAX_THREADS);
  return {
    createModule,
    options: { updateWorkers: Math.max(threads - 1, 1), locateFile: (file) => new URL(file, folder).href },
  };
}

export function createTavrix(options = {}) {
  if (typeof SharedArrayBuffer === 'undefined' || globalThis.crossOriginIsolated === false) {
    return Promise.reject(new Error('tavrix/threads: shared memory needs a cross-origin isolated page ' +
      '(Cross-Origin-Opener-Policy: same-origin, Cross-Origin-Embedder-Policy: require-corp); ' +
      "import 'tavrix' to run on one thread"));
  }
  const settings = { UpdateThreads: 2, ...options.settings };
  return create({ wasm: new URL('./threads/tavrix.wasm', import.meta.url), ...options, settings }, build);
}
