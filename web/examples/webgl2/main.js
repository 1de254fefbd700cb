// A fire follows the pointer and a click starts an explosion there, drawn by
// tvx.draw() in the middle of the game's own WebGL2 frame: the game clears,
// draws a sprite, lets the effects draw, and draws another sprite, whose
// state tvx.draw() leaves as it found it.
import { createTavrix } from 'tavrix';

const canvas = document.querySelector('canvas');
const gl = canvas.getContext('webgl2', { antialias: false });
const tvx = await createTavrix({ gl });  // the view: the canvas's pixels

const fire = await tvx.loadEffect('assets/fire.eff');  // textures from assets/image/
fire.moveTo(240, 250, { nested: true }).play();

// Each click loads the explosion again: the file is fetched once, and each
// effect is unloaded when it ends.
async function explode(x, y) {
  const boom = await tvx.loadEffect('assets/burst.eff');
  boom.moveTo(x, y, { nested: true }).play();
  boom.onFinish = () => boom.unload();
}

// Pointer positions in view units.
const toView = (event) => {
  const box = canvas.getBoundingClientRect();
  return [(event.clientX - box.left) * canvas.width / box.width, (event.clientY - box.top) * canvas.height / box.height];
};
canvas.addEventListener('pointermove', (event) => fire.moveTo(...toView(event)));
canvas.addEventListener('pointerdown', (event) => explode(...toView(event)));

// The game's own drawing: a checkered sprite with a program of its own.
function makeSprites() {
  const compile = (type, source) => {
    const shader = gl.createShader(type);
    gl.shaderSource(shader, `#version 300 es\nprecision mediump float;\n${source}`);
    gl.compileShader(shader);
    return shader;
  };
  const program = gl.createProgram();
  gl.attachShader(program, compile(gl.VERTEX_SHADER, `in vec2 corner; uniform vec4 box; out vec2 uv;
    void main() { uv = corner; gl_Position = vec4(box.xy + corner * box.zw, 0.0, 1.0); }`));
  gl.attachShader(program, compile(gl.FRAGMENT_SHADER, `in vec2 uv; uniform sampler2D image; out vec4 colour;
    void main() { colour = texture(image, uv); }`));
  gl.bindAttribLocation(program, 0, 'corner');
  gl.linkProgram(program);
  const vertexArray = gl.createVertexArray();
  gl.bindVertexArray(vertexArray);
  gl.bindBuffer(gl.ARRAY_BUFFER, gl.createBuffer());
  gl.bufferData(gl.ARRAY_BUFFER, new Float32Array([0, 0, 1, 0, 0, 1, 1, 1]), gl.STATIC_DRAW);
  gl.enableVertexAttribArray(0);
  gl.vertexAttribPointer(0, 2, gl.FLOAT, false, 0, 0);
  const texture = gl.createTexture();
  gl.bindTexture(gl.TEXTURE_2D, texture);
  const checker = [255, 200, 40, 255, 40, 120, 255, 255, 40, 120, 255, 255, 255, 200, 40, 255];
  gl.texImage2D(gl.TEXTURE_2D, 0, gl.RGBA, 2, 2, 0, gl.RGBA, gl.UNSIGNED_BYTE, new Uint8Array(checker));
  gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MIN_FILTER, gl.NEAREST);
  gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MAG_FILTER, gl.NEAREST);
  const box = gl.getUniformLocation(program, 'box');
  gl.useProgram(program);
  // The game sets its state once; the sprite after the effects relies on it.
  return (x, y, size) => {
    const [w, h] = [canvas.width, canvas.height];
    gl.uniform4f(box, x / w * 2 - 1, 1 - y / h * 2, size / w * 2, -size / h * 2);
    gl.drawArrays(gl.TRIANGLE_STRIP, 0, 4);
  };
}
const sprite = makeSprites();

function frame(ms) {
  tvx.update(ms);
  gl.clearColor(0x18 / 255, 0x28 / 255, 0x38 / 255, 1);
  gl.clear(gl.COLOR_BUFFER_BIT);
  sprite(16, 16, 64);
  tvx.draw();
  sprite(400, 16, 64);
}

// ?manual stops the clock, for scripts and tests: window.example moves time
// in a 60 Hz game's steps and plays the pointer.
if (new URLSearchParams(location.search).has('manual')) {
  window.example = {
    gl, tvx,
    frames(ms) {
      for (let step = 0; ms > 0; step = (step + 1) % 3) {
        const delta = Math.min(ms, [17, 17, 16][step]);
        frame(delta);
        ms -= delta;
      }
    },
    pointer: (x, y) => fire.moveTo(x, y),
    click: (x, y) => explode(x, y),
  };
} else {
  let last = performance.now();
  requestAnimationFrame(function tick(now) {
    const ms = Math.floor(now - last);  // whole milliseconds; the rest carries over
    frame(Math.min(ms, 100));           // a stalled tab does not jump ahead
    last = ms > 100 ? now : last + ms;
    requestAnimationFrame(tick);
  });
}
