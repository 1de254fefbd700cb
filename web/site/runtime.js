// The WebAssembly module as the viewer drives it: its C functions, its file
// system (effects and textures live under /files, the folder effects name
// their textures and nested effects from), and the frame it collects.
const API = {
  create: ['number', ['number', 'number']],
  register_image: [null, ['string', 'number', 'number', 'number']],
  open: ['number', ['string']],
  missing_image: ['string', []],
  result_name: ['string', ['number']],
  result_meaning: ['string', ['number']],
  restart: [null, []],
  step: [null, ['number']],
  next_frame: [null, []],
  seek: [null, ['number']],
  now: ['number', []],
  draw: ['number', []],
  vertices: ['number', []],
  batch_count: ['number', []],
  batches: ['number', []],
  scene_hash: ['string', ['string', 'number']],
  decode_texture: ['number', ['string']],
  decoded_width: ['number', []],
  decoded_height: ['number', []],
  decoded_pixels: ['number', []],
};
const ROOT = '/files';
const BROWSER_IMAGES = /\.(png|jpe?g|bmp|gif|webp)$/i;
const MODULE_IMAGES = /\.(tga|dds)$/i;  // the browser has no decoder for these

// A module's C functions as JavaScript ones, from a table of name: [result
// type, argument types] without their tvx_ prefix.
export function bindCalls(module, api) {
  const call = {};
  for (const [name, [result, args]] of Object.entries(api)) call[name] = module.cwrap(`tvx_${name}`, result, args);
  return call;
}

export async function startRuntime(width, height) {
  const module = await createTavrix();
  const call = bindCalls(module, API);
  const status = call.create(width, height);
  if (status !== 0) throw new Error(`the particle system does not start: ${call.result_name(status)}`);
  module.FS.mkdir(ROOT);
  module.FS.chdir(ROOT);
  return { module, call };
}

// Writes a file at path below the root, making its folders; returns its
// path in the module's file system.
export function writeFile({ module }, path, bytes) {
  const parts = path.split('/').filter((part) => part && part !== '..' && part !== '.');
  let folder = ROOT;
  for (const part of parts.slice(0, -1)) {
    folder += `/${part}`;
    if (!module.FS.analyzePath(folder).exists) module.FS.mkdir(folder);
  }
  const written = `${folder}/${parts[parts.length - 1]}`;
  module.FS.writeFile(written, bytes);
  return written;
}

export function isImage(path) { return BROWSER_IMAGES.test(path) || MODULE_IMAGES.test(path); }

async function decodeInBrowser(path, bytes) {
  try {
    return await createImageBitmap(new Blob([bytes]), { premultiplyAlpha: 'none', colorSpaceConversion: 'none' });
  } catch {
    throw new Error(`${path}: the browser cannot decode this image`);
  }
}

// With the library's own decoders, as its device mode reads the file; null
// for a file they refuse.
function decodeInModule(runtime, path, bytes) {
  const { module, call } = runtime;
  if (call.decode_texture(writeFile(runtime, path, bytes)) !== 0) return null;
  const [width, height] = [call.decoded_width(), call.decoded_height()];
  return { width, height, pixels: new Uint8Array(module.HEAPU8.buffer, call.decoded_pixels(), width * height * 4) };
}

// Decodes an image file, uploads it and registers it under its path. The
// library's decoders go first: they answer at once, where the browser's
// answer later (a page loading under virtual time may be captured in
// between). Throws with the file's name when neither decodes it.
export async function addImage(runtime, renderer, path, bytes) {
  const image = decodeInModule(runtime, path, bytes) ??
    (MODULE_IMAGES.test(path) ? null : await decodeInBrowser(path, bytes));
  if (!image) throw new Error(`${path}: not an image the library decodes`);
  const texture = renderer.addTexture(image);
  runtime.call.register_image(path, texture, image.width, image.height);
  image.close?.();
}

// The library's result for opening path, with the code's name on failure.
export function openEffect({ call }, path) {
  const code = call.open(path);
  if (code >= 0) return { ok: true, missing: call.missing_image() };
  return { ok: false, error: `${path}: ${call.result_name(code)} (${call.result_meaning(code)})` };
}

// The frame's quads as views into the module's memory, valid until the next call.
export function collectFrame({ module, call }) {
  const quads = call.draw();
  const memory = module.HEAPU8.buffer;
  return {
    quads,
    vertices: new Uint8Array(memory, call.vertices(), quads * 4 * 20),
    batches: new Int32Array(memory, call.batches(), call.batch_count() * 4),
  };
}
