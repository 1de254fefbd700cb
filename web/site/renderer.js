// Draws the module's frame with WebGL2: the vertex array is read straight
// from the module's memory and uploaded once a frame, then drawn with one
// call per run of quads that share a texture and a blend mode. Blending is
// the device renderer's: source alpha, then one (additive) or inverse source
// alpha.
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

const FRAGMENT_SHADER = `#version 300 es
precision mediump float;
in vec2 vUv;
in vec4 vColour;
uniform sampler2D image;
out vec4 outColour;
void main() { outColour = texture(image, vUv) * vColour; }`;

const VERTEX_BYTES = 20;  // x, y, u, v as floats, then R, G, B, A bytes
const BATCH_WORDS = 4;    // texture, additive, first quad, quad count

function compile(gl, type, source) {
  const shader = gl.createShader(type);
  gl.shaderSource(shader, source);
  gl.compileShader(shader);
  if (!gl.getShaderParameter(shader, gl.COMPILE_STATUS)) throw new Error(gl.getShaderInfoLog(shader));
  return shader;
}

export class Renderer {
  constructor(canvas) {
    const gl = canvas.getContext('webgl2', { alpha: false, antialias: false, preserveDrawingBuffer: true });
    if (!gl) throw new Error('this browser offers no WebGL2');
    this.gl = gl;
    this.textures = [];
    const program = gl.createProgram();
    gl.attachShader(program, compile(gl, gl.VERTEX_SHADER, VERTEX_SHADER));
    gl.attachShader(program, compile(gl, gl.FRAGMENT_SHADER, FRAGMENT_SHADER));
    gl.linkProgram(program);
    if (!gl.getProgramParameter(program, gl.LINK_STATUS)) throw new Error(gl.getProgramInfoLog(program));
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
    const attributes = [['position', 2, gl.FLOAT, false, 0], ['uv', 2, gl.FLOAT, false, 8],
                        ['colour', 4, gl.UNSIGNED_BYTE, true, 16]];
    for (const [name, size, type, normalised, offset] of attributes) {
      const location = gl.getAttribLocation(program, name);
      gl.enableVertexAttribArray(location);
      gl.vertexAttribPointer(location, size, type, normalised, VERTEX_BYTES, offset);
    }
    gl.enable(gl.BLEND);
  }

  // A texture from an image the browser decoded, or {width, height, pixels}
  // with RGBA bytes (neither premultiplied); returns its handle.
  addTexture(image) {
    const gl = this.gl;
    const texture = gl.createTexture();
    gl.bindTexture(gl.TEXTURE_2D, texture);
    gl.pixelStorei(gl.UNPACK_PREMULTIPLY_ALPHA_WEBGL, false);
    gl.pixelStorei(gl.UNPACK_COLORSPACE_CONVERSION_WEBGL, gl.NONE);
    if (image.pixels)
      gl.texImage2D(gl.TEXTURE_2D, 0, gl.RGBA, image.width, image.height, 0, gl.RGBA, gl.UNSIGNED_BYTE, image.pixels);
    else gl.texImage2D(gl.TEXTURE_2D, 0, gl.RGBA, gl.RGBA, gl.UNSIGNED_BYTE, image);
    gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MIN_FILTER, gl.LINEAR);
    gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MAG_FILTER, gl.LINEAR);
    gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_S, gl.CLAMP_TO_EDGE);
    gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_T, gl.CLAMP_TO_EDGE);
    this.textures.push(texture);
    return this.textures.length - 1;
  }

  // Two triangles per quad over its four vertices, split along the diagonal
  // from corner 0 to corner 2 as the device renderer's strip is.
  ensureIndices(quads) {
    if (quads <= this.indexQuads) return;
    this.indexQuads = Math.max(quads, this.indexQuads * 2, 1024);
    const indices = new Uint32Array(this.indexQuads * 6);
    for (let q = 0; q < this.indexQuads; ++q)
      indices.set([0, 1, 2, 0, 2, 3].map((corner) => q * 4 + corner), q * 6);
    this.gl.bufferData(this.gl.ELEMENT_ARRAY_BUFFER, indices, this.gl.STATIC_DRAW);
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
    for (let b = 0; b < batches.length; b += BATCH_WORDS) {
      gl.bindTexture(gl.TEXTURE_2D, this.textures[batches[b]]);
      gl.blendFunc(gl.SRC_ALPHA, batches[b + 1] ? gl.ONE : gl.ONE_MINUS_SRC_ALPHA);
      gl.drawElements(gl.TRIANGLES, batches[b + 3] * 6, gl.UNSIGNED_INT, batches[b + 2] * 24);
    }
    return batches.length / BATCH_WORDS;
  }
}
