// JSON effect records packed in the page by the record model's own module
// (tavrix_pack.js), loaded the first time a record is opened: the packed
// file holds the record `tavrix pack` packs (the envelope's filler bytes come
// from the C library's rand, which differs here), and a record that does not
// pack is named with the model's message (the field's path, or the line and
// column).
import { bindCalls } from './runtime.js';

const LARGEST_RECORD = 64 << 20;  // what `tavrix pack` reads at most
const API = {
  pack_json: ['number', ['number', 'number']],
  packed_file: ['number', []],
  packed_size: ['number', []],
  pack_error: ['string', []],
};
let packer;

function loadScript(src) {
  return new Promise((resolve, reject) => {
    const script = document.createElement('script');
    script.src = src;
    script.onload = resolve;
    script.onerror = () => reject(new Error(`${src} does not load`));
    document.head.append(script);
  });
}

async function startPacker() {
  await loadScript('tavrix_pack.js');
  const module = await createTavrixPack();
  return { module, call: bindCalls(module, API) };
}

export function isRecord(path) { return /\.json$/i.test(path); }

// Where a record's effect file goes: beside it, as `tavrix pack` is usually
// told, so that effects nesting it by its .eff name find it.
export function packedPath(path) { return path.replace(/\.json$/i, '.eff'); }

// The effect file's bytes; throws with the record's path and why it does not pack.
export async function packRecord(path, bytes) {
  if (bytes.length > LARGEST_RECORD) throw new Error(`${path}: larger than 64 MiB, too large to be read`);
  packer ??= startPacker().catch((error) => { packer = undefined; throw error; });
  const { module, call } = await packer;
  const text = module._malloc(Math.max(bytes.length, 1));
  module.HEAPU8.set(bytes, text);
  const failed = call.pack_json(text, bytes.length) !== 0;
  module._free(text);
  if (failed) throw new Error(`${path}: ${call.pack_error()}`);
  return module.HEAPU8.slice(call.packed_file(), call.packed_file() + call.packed_size());
}
