// tavrix: the particle-effect runtime for browser games, in WebAssembly.
export { createTavrix, Tavrix } from './lib/tavrix.js';
export { Effect } from './lib/effect.js';
export { TavrixError } from './lib/errors.js';
