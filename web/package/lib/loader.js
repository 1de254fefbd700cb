// Loading an effect: its bytes fetched (or given), then the nested effect
// files its sub-effect emitters name, put in the module's file system
// before the library opens them while loading; then the textures the
// library asked for, fetched, decoded and registered. Each URL is fetched
// once per instance.
import { Effect } from './effect.js';
import { pickByName, writeFile } from './files.js';

const LOADING = '/tavrix/loading.eff';
const MAX_NESTED_FILES = 256;
const EFFECT_FILE_OPEN_FAILED = -3999;

const lines = (text) => text.split('\n').filter(Boolean);

// The nested files the module reads in an effect file's bytes.
function nestedNames({ module, call }, bytes) {
  const pointer = module._malloc(Math.max(bytes.length, 1));
  if (!pointer) return [];
  module.HEAPU8.set(bytes, pointer);
  try {
    return lines(call.nested_files(pointer, bytes.length));
  } finally {
    module._free(pointer);
  }
}

// Every nested file, and the ones they nest, as [name, bytes]; a file that
// cannot be had is left out, as the library leaves out a missing one.
async function fetchNested(tavrix, bytes, base, files) {
  const found = new Map();
  const visit = async (fileBytes) => {
    const names = nestedNames(tavrix, fileBytes).filter((name) => !found.has(name));
    await Promise.all(names.map(async (name) => {
      if (found.has(name) || found.size >= MAX_NESTED_FILES) return;
      found.set(name, null);
      const given = pickByName(files, name);
      try {
        const file = given === undefined || typeof given === 'string' || given instanceof URL
          ? await tavrix.bytes.get(new URL(given ?? name.replaceAll('\\', '/'), base)) : new Uint8Array(given);
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

// A texture's loading: resolves true once registered, false when it cannot
// be had. Its number is taken at once, in the order asked.
async function fetchImage(tavrix, name, images) {
  const file = name.replace(/^image[\\/]/i, '').replaceAll('\\', '/');
  const index = tavrix.textureSet.reserve(name);
  try {
    let source = typeof images === 'string' || images instanceof URL
      ? new URL(file, new URL(images, tavrix.base)) : pickByName(images, file);
    if (source === undefined) return false;
    if (typeof source === 'string' || source instanceof URL) source = await tavrix.bytes.get(new URL(source, tavrix.base));
    await tavrix.textureSet.fill(index, source);
    return true;
  } catch {
    return false;
  }
}

// Nested effect files come from options.files ({name: URL or bytes}) or
// beside the effect (options.base, by default the effect's folder);
// textures from options.images (a folder URL or {name: URL, bytes or
// image}) or the image/ folder there.
export async function loadEffect(tavrix, source, options) {
  const url = typeof source === 'string' || source instanceof URL ? new URL(source, tavrix.base) : null;
  const context = url ? url.href : 'effect bytes';
  let bytes;
  try {
    bytes = url ? await tavrix.bytes.get(url) : new Uint8Array(source);
  } catch (reason) {
    throw tavrix.error(EFFECT_FILE_OPEN_FAILED, `${context}: ${reason.message}`);
  }
  const base = options.base ? new URL(options.base, tavrix.base) : new URL('.', url ?? tavrix.base);
  const { FS } = tavrix.module;
  for (const [name, file] of await fetchNested(tavrix, bytes, base, options.files ?? {})) writeFile(FS, name, file);
  writeFile(FS, LOADING, bytes);
  const id = tavrix.call.load_effect(LOADING);
  FS.unlink(LOADING);
  tavrix.check(id, context);
  const effect = new Effect(tavrix, id, url?.href ?? null, []);
  tavrix.effects.set(id, effect);
  // The library asks for each texture name once, whichever effect names it
  // first, so this load also waits for those an earlier one is fetching.
  const asked = lines(tavrix.call.take_pending_images());
  const images = options.images ?? new URL('image/', base);
  for (const name of asked) tavrix.images.set(name, fetchImage(tavrix, name, images));
  await Promise.all(tavrix.images.values());
  for (const name of asked) if (!(await tavrix.images.get(name))) effect.missing.push(name);
  if (effect.missing.length)
    console.warn(`tavrix: ${context}: textures not found, drawn as nothing: ${effect.missing.join(', ')}`);
  return effect;
}
