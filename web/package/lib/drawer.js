// Draws a frame's quads into the game's WebGL2 context, in the middle of
// its own frame: every piece of state touched is read first and put back
// after, so the game's next draw call finds what it left. Nothing is
// cleared and the game's framebuffer and viewport are used as they are:
// the view (width x height units) fills the viewport. Blending is the
// library's: source alpha, then one (additive) or inverse source alpha;
// alpha itself is composed over, so an opaque canvas stays opaque.
import { BATCH_INTS, bindVertexLayout, createTexture, linkQuadProgram, quadIndices } from './quadProgram.js';

const VERTEX_SHADER = `#version 300 es
in vec2 position;
in vec2 uv;
in vec4 colour;
uniform vec2 viewSize;
out vec2 vUv;
out vec4 vColour;
void main() {
  gl_Position = vec4(position.x / viewSize.x * 2.0 - 1.0, 1.0 - position.y / viewSize.y * 2.0, 0.0, 1.0);
  vUv = uv;
  vColour = colour;
}`;

// The state the drawer changes: [read, write] per entry, read in this order
// and written back in the reverse one (unit 0's entry makes it the active
// unit, so the active unit is read before it and written after it).
function stateTable(gl) {
  const flag = (cap) => [() => gl.isEnabled(cap), (on) => (on ? gl.enable(cap) : gl.disable(cap))];
  return [
    [() => gl.getParameter(gl.CURRENT_PROGRAM), (v) => gl.useProgram(v)],
    [() => gl.getParameter(gl.VERTEX_ARRAY_BINDING), (v) => gl.bindVertexArray(v)],
    [() => gl.getParameter(gl.ARRAY_BUFFER_BINDING), (v) => gl.bindBuffer(gl.ARRAY_BUFFER, v)],
    [() => gl.getParameter(gl.ACTIVE_TEXTURE), (v) => gl.activeTexture(v)],
    [() => (gl.activeTexture(gl.TEXTURE0), [gl.TEXTURE_BINDING_2D, gl.SAMPLER_BINDING].map((p) => gl.getParameter(p))),
     ([texture, sampler]) => {
       gl.activeTexture(gl.TEXTURE0);
       gl.bindTexture(gl.TEXTURE_2D, texture);
       gl.bindSampler(0, sampler);
     }],
    flag(gl.BLEND), flag(gl.DEPTH_TEST), flag(gl.STENCIL_TEST), flag(gl.CULL_FACE),
    flag(gl.SCISSOR_TEST), flag(gl.RASTERIZER_DISCARD), flag(gl.SAMPLE_ALPHA_TO_COVERAGE),
    [() => [gl.BLEND_SRC_RGB, gl.BLEND_DST_RGB, gl.BLEND_SRC_ALPHA, gl.BLEND_DST_ALPHA].map((p) => gl.getParameter(p)),
     (v) => gl.blendFuncSeparate(...v)],
    [() => [gl.BLEND_EQUATION_RGB, gl.BLEND_EQUATION_ALPHA].map((p) => gl.getParameter(p)),
     (v) => gl.blendEquationSeparate(...v)],
    [() => gl.getParameter(gl.COLOR_WRITEMASK), (v) => gl.colorMask(...v)],
  ];
}

export class Drawer {
  constructor(gl) {
    if (!(globalThis.WebGL2RenderingContext && gl instanceof WebGL2RenderingContext))
      throw new TypeError('createTavrix: gl must be a WebGL2 context');
    this.gl = gl;
    this.state = stateTable(gl);
    const saved = this.save();
    this.program = linkQuadProgram(gl, VERTEX_SHADER);
    this.viewSize = gl.getUniformLocation(this.program, 'viewSize');
    this.vertexArray = gl.createVertexArray();
    this.vertexBuffer = gl.createBuffer();
    this.indexBuffer = gl.createBuffer();
    this.indexQuads = 0;
    this.vertexBytes = 0;  // the vertex buffer's size, grown by doubling
    gl.bindVertexArray(this.vertexArray);
    gl.bindBuffer(gl.ARRAY_BUFFER, this.vertexBuffer);
    gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, this.indexBuffer);
    bindVertexLayout(gl, this.program);
    this.restore(saved);
  }

  save() { return this.state.map(([read]) => read()); }

  restore(saved) {
    for (let i = this.state.length - 1; i >= 0; --i) this.state[i][1](saved[i]);
  }

  // A texture from a decoded image (an ImageBitmap or other image source, or
  // {width, height, pixels} with RGBA bytes), neither premultiplied.
  upload(image) {
    const gl = this.gl;
    const saved = this.save();
    const unpack = [gl.UNPACK_FLIP_Y_WEBGL, gl.UNPACK_PREMULTIPLY_ALPHA_WEBGL, gl.UNPACK_COLORSPACE_CONVERSION_WEBGL,
                    gl.UNPACK_ALIGNMENT, gl.UNPACK_ROW_LENGTH, gl.UNPACK_SKIP_ROWS, gl.UNPACK_SKIP_PIXELS];
    const savedUnpack = unpack.map((p) => gl.getParameter(p));
    const unpackBuffer = gl.getParameter(gl.PIXEL_UNPACK_BUFFER_BINDING);
    gl.bindBuffer(gl.PIXEL_UNPACK_BUFFER, null);
    [false, false, gl.NONE, 1, 0, 0, 0].forEach((value, i) => gl.pixelStorei(unpack[i], value));
    gl.activeTexture(gl.TEXTURE0);
    const texture = createTexture(gl, image);
    savedUnpack.forEach((value, i) => gl.pixelStorei(unpack[i], value));
    gl.bindBuffer(gl.PIXEL_UNPACK_BUFFER, unpackBuffer);
    this.restore(saved);
    return texture;
  }

  ensureIndices(quads) {
    if (quads <= this.indexQuads) return;
    this.indexQuads = Math.max(quads, this.indexQuads * 2, 1024);
    this.gl.bufferData(this.gl.ELEMENT_ARRAY_BUFFER, quadIndices(this.indexQuads), this.gl.STATIC_DRAW);
  }

  // frame: {quadCount, bytes (the vertices), batches}; textures by index.
  draw(frame, textures, viewWidth, viewHeight) {
    if (frame.quadCount === 0) return;
    const gl = this.gl;
    const saved = this.save();
    gl.useProgram(this.program);
    gl.bindVertexArray(this.vertexArray);
    gl.bindBuffer(gl.ARRAY_BUFFER, this.vertexBuffer);
    gl.activeTexture(gl.TEXTURE0);
    gl.bindSampler(0, null);
    for (const cap of [gl.DEPTH_TEST, gl.STENCIL_TEST, gl.CULL_FACE, gl.SCISSOR_TEST, gl.RASTERIZER_DISCARD,
                       gl.SAMPLE_ALPHA_TO_COVERAGE]) gl.disable(cap);
    gl.enable(gl.BLEND);
    gl.blendEquation(gl.FUNC_ADD);
    gl.colorMask(true, true, true, true);
    gl.uniform2f(this.viewSize, viewWidth, viewHeight);
    this.ensureIndices(frame.quadCount);
    if (frame.bytes.length > this.vertexBytes) {
      this.vertexBytes = Math.max(frame.bytes.length, this.vertexBytes * 2);
      gl.bufferData(gl.ARRAY_BUFFER, this.vertexBytes, gl.DYNAMIC_DRAW);
    }
    gl.bufferSubData(gl.ARRAY_BUFFER, 0, frame.bytes);
    const { batches } = frame;
    for (let b = 0; b < batches.length; b += BATCH_INTS) {
      gl.bindTexture(gl.TEXTURE_2D, textures[batches[b]].glTexture);
      gl.blendFuncSeparate(gl.SRC_ALPHA, batches[b + 1] ? gl.ONE : gl.ONE_MINUS_SRC_ALPHA,
                           gl.ONE, gl.ONE_MINUS_SRC_ALPHA);
      gl.drawElements(gl.TRIANGLES, batches[b + 3] * 6, gl.UNSIGNED_INT, batches[b + 2] * 24);
    }
    this.restore(saved);
  }
}
