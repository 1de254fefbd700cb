// Draws the module's frame with WebGL2: the vertex array is read straight
// from the module's memory and uploaded once a frame, then drawn with one
// call per run of quads that share a texture and a blend mode. Blending is
// the device renderer's: source alpha, then one (additive) or inverse source
// alpha.
import { BATCH_INTS, bindVertexLayout, createTexture, linkQuadProgram, quadIndices } from './quadProgram.js';

const VERTEX_SHADER = `#version 300 es
in vec2 position;
in vec2 uv;
in vec4 colour;
uniform vec2 viewSize;
uniform float zoom;
out vec2 vUv;
out vec4 vColour;
void main() {
  vec2 p = (position - viewSize * 0.5) * zoom / (viewSize * 0.5);
  gl_Position = vec4(p.x, -p.y, 0.0, 1.0);
  vUv = uv;
  vColour = colour;
}`;

export class Renderer {
  constructor(canvas) {
    const gl = canvas.getContext('webgl2', { alpha: false, antialias: false, preserveDrawingBuffer: true });
    if (!gl) throw new Error('this browser offers no WebGL2');
    this.gl = gl;
    this.textures = [];
    const program = linkQuadProgram(gl, VERTEX_SHADER);
    gl.useProgram(program);
    this.uniforms = {
      viewSize: gl.getUniformLocation(program, 'viewSize'),
      zoom: gl.getUniformLocation(program, 'zoom'),
    };
    this.vertexBuffer = gl.createBuffer();
    this.indexBuffer = gl.createBuffer();
    this.indexQuads = 0;
    gl.bindVertexArray(gl.createVertexArray());
    gl.bindBuffer(gl.ARRAY_BUFFER, this.vertexBuffer);
    gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, this.indexBuffer);
    bindVertexLayout(gl, program);
    gl.enable(gl.BLEND);
  }

  // A texture from an image the browser decoded, or {width, height, pixels}
  // with RGBA bytes (neither premultiplied); returns its handle.
  addTexture(image) {
    const gl = this.gl;
    gl.pixelStorei(gl.UNPACK_PREMULTIPLY_ALPHA_WEBGL, false);
    gl.pixelStorei(gl.UNPACK_COLORSPACE_CONVERSION_WEBGL, gl.NONE);
    this.textures.push(createTexture(gl, image));
    return this.textures.length - 1;
  }

  ensureIndices(quads) {
    if (quads <= this.indexQuads) return;
    this.indexQuads = Math.max(quads, this.indexQuads * 2, 1024);
    this.gl.bufferData(this.gl.ELEMENT_ARRAY_BUFFER, quadIndices(this.indexQuads), this.gl.STATIC_DRAW);
  }

  // frame: {vertices: Uint8Array, batches: Int32Array, quads}; background as
  // [r, g, b] from 0 to 1. Returns the number of draw calls.
  draw(frame, background, zoom) {
    const gl = this.gl;
    gl.viewport(0, 0, gl.canvas.width, gl.canvas.height);
    gl.clearColor(background[0], background[1], background[2], 1);
    gl.clear(gl.COLOR_BUFFER_BIT);
    gl.uniform2f(this.uniforms.viewSize, gl.canvas.width, gl.canvas.height);
    gl.uniform1f(this.uniforms.zoom, zoom);
    if (frame.quads === 0) return 0;
    this.ensureIndices(frame.quads);
    gl.bufferData(gl.ARRAY_BUFFER, frame.vertices, gl.STREAM_DRAW);
    const { batches } = frame;
    for (let b = 0; b < batches.length; b += BATCH_INTS) {
      gl.bindTexture(gl.TEXTURE_2D, this.textures[batches[b]]);
      gl.blendFunc(gl.SRC_ALPHA, batches[b + 1] ? gl.ONE : gl.ONE_MINUS_SRC_ALPHA);
      gl.drawElements(gl.TRIANGLES, batches[b + 3] * 6, gl.UNSIGNED_INT, batches[b + 2] * 24);
    }
    return batches.length / BATCH_INTS;
  }
}
