// What the package's drawer and the viewer share to draw a frame's quads
// with WebGL2: the fragment stage, the vertex layout the module writes, a
// quad's two triangles and how a texture is sampled.
export const VERTEX_BYTES = 20;  // x, y, u, v as floats, then R, G, B, A bytes
export const BATCH_INTS = 4;     // texture, additive, first quad, quad count

const FRAGMENT_SHADER = `#version 300 es
precision mediump float;
in vec2 vUv;
in vec4 vColour;
uniform sampler2D image;
out vec4 outColour;
void main() { outColour = texture(image, vUv) * vColour; }`;

function compile(gl, type, source) {
  const shader = gl.createShader(type);
  gl.shaderSource(shader, source);
  gl.compileShader(shader);
  if (!gl.getShaderParameter(shader, gl.COMPILE_STATUS)) throw new Error(gl.getShaderInfoLog(shader));
  return shader;
}

// The program of a vertex stage (taking position, uv and colour, giving
// vUv and vColour) and the common fragment stage, linked.
export function linkQuadProgram(gl, vertexShader) {
  const program = gl.createProgram();
  gl.attachShader(program, compile(gl, gl.VERTEX_SHADER, vertexShader));
  gl.attachShader(program, compile(gl, gl.FRAGMENT_SHADER, FRAGMENT_SHADER));
  gl.linkProgram(program);
  if (!gl.getProgramParameter(program, gl.LINK_STATUS)) throw new Error(gl.getProgramInfoLog(program));
  return program;
}

// The module's vertex layout, read from the bound array buffer into the
// bound vertex array.
export function bindVertexLayout(gl, program) {
  const attributes = [['position', 2, gl.FLOAT, false, 0], ['uv', 2, gl.FLOAT, false, 8],
                      ['colour', 4, gl.UNSIGNED_BYTE, true, 16]];
  for (const [name, size, type, normalised, offset] of attributes) {
    const location = gl.getAttribLocation(program, name);
    gl.enableVertexAttribArray(location);
    gl.vertexAttribPointer(location, size, type, normalised, VERTEX_BYTES, offset);
  }
}

// Two triangles per quad for the first quads quads, split along the
// diagonal from corner 0 to corner 2 as the library's strip is.
export function quadIndices(quads) {
  const indices = new Uint32Array(quads * 6);
  for (let q = 0, i = 0; q < quads; ++q, i += 6) {
    const v = q * 4;
    indices[i] = v; indices[i + 1] = v + 1; indices[i + 2] = v + 2;
    indices[i + 3] = v; indices[i + 4] = v + 2; indices[i + 5] = v + 3;
  }
  return indices;
}

// A texture from a decoded image (an image source, or {width, height,
// pixels} with RGBA bytes) on the active unit, sampled linearly and clamped
// at the edges; the caller sets how the pixels are unpacked.
export function createTexture(gl, image) {
  const texture = gl.createTexture();
  gl.bindTexture(gl.TEXTURE_2D, texture);
  if (image.pixels)
    gl.texImage2D(gl.TEXTURE_2D, 0, gl.RGBA, image.width, image.height, 0, gl.RGBA, gl.UNSIGNED_BYTE, image.pixels);
  else gl.texImage2D(gl.TEXTURE_2D, 0, gl.RGBA, gl.RGBA, gl.UNSIGNED_BYTE, image);
  gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MIN_FILTER, gl.LINEAR);
  gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MAG_FILTER, gl.LINEAR);
  gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_S, gl.CLAMP_TO_EDGE);
  gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_T, gl.CLAMP_TO_EDGE);
  return texture;
}
