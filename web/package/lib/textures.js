// Textures as the library asks for them by name ("image\fire.png"): each
// fetched once, decoded (by the browser where it can, else by the library's
// own decoders in the module: TGA and DDS, and everything under Node.js),
// uploaded to the game's WebGL2 context when there is one, and registered
// in the module under the number that the frame's batches name.
import { writeFile } from './files.js';

const MODULE_ONLY = /\.(tga|dds)$/i;
const SCRATCH = '/tavrix/decode';

function isPixelSource(source) {
  return typeof source === 'object' && source !== null && 'width' in source && 'height' in source &&
    !(source instanceof Blob);
}

export class Textures {
  // drawer: the WebGL2 drawer, or none when the game draws tvx.quads() itself.
  constructor(runtime, drawer) {
    this.runtime = runtime;
    this.drawer = drawer;
    this.list = [];
  }

  async decode(name, source) {
    if (isPixelSource(source)) return source;
    const blob = source instanceof Blob ? source : new Blob([source]);
    if (!MODULE_ONLY.test(name) && globalThis.createImageBitmap) {
      try {
        return await createImageBitmap(blob, { premultiplyAlpha: 'none', colorSpaceConversion: 'none' });
      } catch {
        // not a format the browser knows: the module's decoders may
      }
    }
    return this.decodeInModule(name, new Uint8Array(await blob.arrayBuffer()));
  }

  decodeInModule(name, bytes) {
    const { module, call } = this.runtime;
    writeFile(module.FS, SCRATCH, bytes);
    const decoded = call.decode_texture(SCRATCH);
    module.FS.unlink(SCRATCH);
    if (decoded !== 0) throw new Error(`${name}: not an image the library decodes`);
    const [width, height] = [call.decoded_width(), call.decoded_height()];
    const pixels = module.HEAPU8.slice(call.decoded_pixels(), call.decoded_pixels() + width * height * 4);
    return { width, height, pixels };
  }

  // A number for name, in the order the library asks: the batches' texture index.
  reserve(name) {
    this.list.push({ name, width: 0, height: 0, source: null });
    return this.list.length - 1;
  }

  // Decodes source (file bytes, a Blob, an image or {width, height, pixels}
  // with RGBA bytes) and gives it to the library under its number.
  async fill(index, source) {
    const texture = this.list[index];
    const image = await this.decode(texture.name, source);
    Object.assign(texture, { width: image.width, height: image.height, source: image });
    if (this.drawer) texture.glTexture = this.drawer.upload(image);
    this.runtime.call.register_image(texture.name, index, image.width, image.height);
  }
}
