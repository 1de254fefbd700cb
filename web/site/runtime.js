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
};
const ROOT = '/files';
const IMAGE_TYPES = /\.(png|jpe?g|bmp|gif|webp)$/i;

export async function startRuntime(width, height) {
  const module = await createTavrix();
  const call = {};
  for (const [name, [result, args]] of Object.entries(API))
    call[name] = module.cwrap(`tvx_${name}`, result, args);
  const status = call.create(width, height);
  if (status !== 0) throw new Error(`the particle system does not start: ${call.result_name(status)}`);
  module.FS.mkdir(ROOT);
  module.FS.chdir(ROOT);
  return { module, call };
}

// Writes a file at path below the root, making its folders.
export function writeFile({ module }, path, bytes) {
  const parts = path.split('/').filter((part) => part && part !== '..' && part !== '.');
  let folder = ROOT;
  for (const part of parts.slice(0, -1)) {
    folder += `/${part}`;
    if (!module.FS.analyzePath(folder).exists) module.FS.mkdir(folder);
  }
  module.FS.writeFile(`${folder}/${parts[parts.length - 1]}`, bytes);
}

export function isImage(path) { return IMAGE_TYPES.test(path); }

// Decodes an image file with the browser, uploads it and registers it under
// its path. Throws with the file's name when the browser cannot decode it.
export async function addImage(runtime, renderer, path, blob) {
  let bitmap;
  try {
    bitmap = await createImageBitmap(blob, { premultiplyAlpha: 'none', colorSpaceConversion: 'none' });
  } catch {
    throw new Error(`${path}: the browser cannot decode this image`);
  }
  const texture = renderer.addTexture(bitmap);
  runtime.call.register_image(path, texture, bitmap.width, bitmap.height);
  bitmap.close();
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
