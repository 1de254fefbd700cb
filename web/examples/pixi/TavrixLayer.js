// The effects of a Tavrix instance as PixiJS meshes, in a container that
// sits in the stage like any other, so that effects sort with the game's
// sprites. Each frame, tvx.quads() hands over the vertices and the runs of
// quads that share a texture and a blend mode; each run becomes one mesh.
import { Buffer, BufferUsage, Container, Geometry, ImageSource, Mesh, Rectangle, Shader } from 'pixi.js';

const vertex = `
in vec2 aPosition;
in vec2 aUV;
in vec4 aColour;
out vec2 vUV;
out vec4 vColour;
uniform mat3 uProjectionMatrix;
uniform mat3 uWorldTransformMatrix;
uniform mat3 uTransformMatrix;
void main() {
  mat3 mvp = uProjectionMatrix * uWorldTransformMatrix * uTransformMatrix;
  gl_Position = vec4((mvp * vec3(aPosition, 1.0)).xy, 0.0, 1.0);
  vUV = aUV;
  vColour = vec4(aColour.rgb * aColour.a, aColour.a);  // PixiJS blends premultiplied colours
}`;

const fragment = `
in vec2 vUV;
in vec4 vColour;
uniform sampler2D uTexture;
out vec4 finalColor;
void main() {
  vec4 texel = texture(uTexture, vUV);
  finalColor = vec4(texel.rgb * texel.a, texel.a) * vColour;
}`;

const FLOATS_PER_QUAD = 20;  // 4 vertices of x, y, u, v and the colour's 4 bytes

export class TavrixLayer extends Container {
  constructor(tvx, width, height) {
    super();
    this.tvx = tvx;
    this.view = new Rectangle(0, 0, width, height);
    this.shaders = [];  // by the package's texture index: the shader sampling it
    this.indices = new Buffer({ data: new Uint32Array(0), usage: BufferUsage.INDEX | BufferUsage.COPY_DST });
    this.meshes = [];
  }

  shader(index) {
    if (!this.shaders[index]) {
      // The package's images are not premultiplied (the shader does it, as
      // WebGL leaves an ImageBitmap's alpha as decoded).
      const source = new ImageSource({ resource: this.tvx.textures[index].source, alphaMode: 'no-premultiply-alpha' });
      this.shaders[index] = Shader.from({ gl: { vertex, fragment }, resources: { uTexture: source } });
    }
    return this.shaders[index];
  }

  // Two triangles per quad, split along the diagonal from corner 0 to 2.
  ensureIndices(quads) {
    if (this.indices.data.length >= quads * 6) return;
    const indices = new Uint32Array(Math.max(quads, 1024) * 6);
    for (let q = 0; q < indices.length / 6; ++q) indices.set([0, 1, 2, 0, 2, 3].map((c) => q * 4 + c), q * 6);
    this.indices.data = indices;
  }

  mesh(slot, texture) {
    if (this.meshes[slot]) return this.meshes[slot];
    const vertices = new Buffer({ data: new Float32Array(0), usage: BufferUsage.VERTEX | BufferUsage.COPY_DST });
    const geometry = new Geometry({
      attributes: {
        aPosition: { buffer: vertices, format: 'float32x2', stride: 20, offset: 0 },
        aUV: { buffer: vertices, format: 'float32x2', stride: 20, offset: 8 },
        aColour: { buffer: vertices, format: 'unorm8x4', stride: 20, offset: 16 },
      },
      indexBuffer: this.indices,
    });
    const mesh = new Mesh({ geometry, shader: this.shader(texture) });
    mesh.boundsArea = this.view;  // the quads' own bounds are never needed
    this.meshes[slot] = mesh;
    this.addChild(mesh);
    return mesh;
  }

  // Takes the instance's frame: call after tvx.update(), before rendering.
  sync() {
    const frame = this.tvx.quads();
    this.ensureIndices(frame.quadCount);
    const { batches } = frame;
    let slot = 0;
    for (; slot < frame.batchCount; ++slot) {
      const [texture, additive, first, count] = batches.subarray(slot * 4, slot * 4 + 4);
      const mesh = this.mesh(slot, texture);
      const vertices = mesh.geometry.attributes.aPosition.buffer;
      const run = frame.vertices.subarray(first * FLOATS_PER_QUAD, (first + count) * FLOATS_PER_QUAD);
      if (vertices.data.length < run.length) vertices.data = new Float32Array(run.length * 2);
      vertices.data.set(run);  // copied: the module's memory is only lent until its next call
      vertices.update(run.length * 4);
      mesh.geometry.indexCount = count * 6;
      mesh.shader = this.shader(texture);
      mesh.blendMode = additive ? 'add' : 'normal';
      mesh.visible = true;
    }
    for (; slot < this.meshes.length; ++slot) this.meshes[slot].visible = false;
  }
}
