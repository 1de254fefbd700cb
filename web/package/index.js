// tavrix: the particle-effect runtime for browser games, in WebAssembly.
import { createTavrix as create } from './lib/tavrix.js';
import createModule from './lib/tavrix-module.js';

export { Tavrix } from './lib/tavrix.js';
export { Effect } from './lib/effect.js';
export { TavrixError } from './lib/errors.js';

// The module beside this file, written so that bundlers that know the
// pattern ship it with the bundle; options.wasm names another place.
export function createTavrix(options = {}) {
  return create({ wasm: new URL('./tavrix.wasm', import.meta.url), ...options }, () => ({ createModule }));
}
