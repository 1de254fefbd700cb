// Types of the tavrix package: 2D particle effects for browser games.

/** Particle.ini settings the runtime reads (whole numbers). */
export interface TavrixSettings {
  /** 0 or less switches every effect off: effect operations fail with Disabled. Default 1. */
  EnableParticle?: number;
  /** Particle records the instance may hold; at the budget effects draw fewer particles. */
  MaxParticles?: number;
  /** Read by the native device renderer; no effect here. */
  BatchQuads?: number;
  /** Update threads: always 1 from 'tavrix'; from 'tavrix/threads' 2 unless set (at most the processors, and 16). */
  UpdateThreads?: number;
}

/** A decoded image: RGBA bytes, rows top to bottom, not premultiplied. */
export interface PixelImage {
  width: number;
  height: number;
  pixels: Uint8Array;
}

/** Something a texture can be made from: its file's bytes, or an image. */
export type ImageInput = ArrayBuffer | ArrayBufferView | Blob | ImageBitmap | HTMLImageElement |
  HTMLCanvasElement | ImageData | PixelImage;

export interface CreateOptions {
  /** Draw with tvx.draw() into this canvas's WebGL2 context. */
  canvas?: HTMLCanvasElement;
  /** Or into this WebGL2 context. Without either, take frames with tvx.quads(). */
  gl?: WebGL2RenderingContext;
  /** The view in units (positions are in units; the view fills the viewport when drawn). Default: the drawing buffer's size, else 640 x 480. */
  width?: number;
  height?: number;
  settings?: TavrixSettings;
  /** Where tavrix.wasm is, or its bytes or compiled module. Default: beside the package's index.js. */
  wasm?: string | URL | ArrayBuffer | ArrayBufferView | WebAssembly.Module;
  /** Fetches effect and texture files; default the global fetch. */
  fetch?: (url: string) => Promise<Response>;
  /** What relative URLs are relative to; default the page (under Node.js, the current folder). */
  base?: string | URL;
}

export interface LoadOptions {
  /** Textures: a folder URL holding the files the effect names, or a map from file name to URL, bytes or image. Default: image/ beside the effect. */
  images?: string | URL | Record<string, string | URL | ImageInput> | Map<string, string | URL | ImageInput>;
  /** Nested effect files (of sub-effect emitters) by name: URL or bytes. Default: fetched beside the effect. */
  files?: Record<string, string | URL | ArrayBuffer | ArrayBufferView> | Map<string, string | URL | ArrayBuffer | ArrayBufferView>;
  /** The folder nested files and the default image/ folder are found in. Default: the effect's folder. */
  base?: string | URL;
}

/** One frame's quads, as views into the module's memory: valid until the next call into the instance. */
export interface Quads {
  quadCount: number;
  /** 4 vertices per quad, 5 floats each: x, y (view units), u, v, then the colour's 4 bytes. */
  vertices: Float32Array;
  /** The same vertices as bytes: the colour is R, G, B, A at bytes 16 to 19 of each 20. */
  bytes: Uint8Array;
  /** 4 per batch: texture index (into tvx.textures), additive (1) or alpha blend (0), first quad, quad count. */
  batches: Int32Array;
  batchCount: number;
}

export interface TavrixTexture {
  /** As the library names it, "image/fire.png". */
  name: string;
  width: number;
  height: number;
  /** The decoded image, for a renderer of the game's own; null until loaded or when it could not be had. */
  source: ImageBitmap | PixelImage | Exclude<ImageInput, ArrayBuffer | ArrayBufferView | Blob> | null;
}

export class TavrixError extends Error {
  /** The result code's name, as "EffectFileOpenFailed", or "ModuleAborted". */
  readonly code: string;
  /** The library's result code, or null for ModuleAborted. */
  readonly result: number | null;
  /** What the code means. */
  readonly meaning: string;
}

export class Effect {
  /** The library's identifier: from 0 in load order, never reused. */
  readonly id: number;
  /** The URL it was loaded from, or null for bytes. */
  readonly source: string | null;
  /** Texture names that could not be had: their particles draw nothing. */
  readonly missing: string[];
  /** False once unloaded; further calls then do nothing, but moveTo throws PositionNoEffect. */
  readonly loaded: boolean;
  /** Called after tvx.update() or effect.update() when the effect reaches its end. */
  onFinish: ((effect: Effect) => void) | null;
  /** The size stored in its file, for editors; 400 when it has none. */
  readonly width: number;
  readonly height: number;
  /** Starts from time 0, or again; prewarmMs simulates about that much at once. */
  play(prewarmMs?: number): this;
  /** Places it in view units. nested: also move the particles in flight and the copies of nested effects (do it for the first placement). */
  moveTo(x: number, y: number, options?: { nested?: boolean }): this;
  /** Removes its live particles; it plays on. */
  clear(): this;
  /** Advances it alone by ms. */
  update(ms: number): this;
  unload(): void;
  /** Its effect file's bytes, play state included; only for the first effect loaded (the lowest id). */
  save(): Uint8Array;
}

export class Tavrix {
  /** The textures batches name, by index. */
  readonly textures: readonly TavrixTexture[];
  readonly effectCount: number;
  /** Called for every effect that reaches its end, after its own onFinish. */
  onFinish: ((effect: Effect) => void) | null;
  loadEffect(source: string | URL | ArrayBuffer | ArrayBufferView, options?: LoadOptions): Promise<Effect>;
  /** Advances every playing effect by ms, the time since the last frame. */
  update(ms: number): void;
  /** Advances every playing effect to ms on its own clock; true when one reached its end (the walk stops there). */
  updateTo(ms: number): boolean;
  /** Draws every effect, or the given ones in that order, into the WebGL2 context, its state put back. */
  draw(effects?: Effect | Effect[]): void;
  /** The frame of every effect, or of the given ones, for a renderer of the game's own. */
  quads(effects?: Effect | Effect[]): Quads;
  /** The view in units, when the canvas changes size. */
  setViewSize(width: number, height: number): void;
  /** The first effect loaded, as its file's bytes. */
  saveEffect(): Uint8Array;
  /** Releases the particle system; the instance is not to be used afterwards. */
  destroy(): void;
}

/** A particle system on an instance of its own (its random source starts from its seed). */
export function createTavrix(options?: CreateOptions): Promise<Tavrix>;
