// A fire follows the pointer and a click starts an explosion there, in a
// PixiJS 8 application: the effects are a layer of the stage between a
// sprite below them and one above them.
import { Application, Sprite, Texture } from 'pixi.js';
import { createTavrix } from 'tavrix';
import { TavrixLayer } from './TavrixLayer.js';

const [width, height] = [480, 320];
const app = new Application();
await app.init({ width, height, background: '#182838', preference: 'webgl', antialias: false });
document.body.append(app.canvas);

const tvx = await createTavrix({ width, height });  // no canvas: the frame goes to PixiJS
const fire = await tvx.loadEffect('assets/fire.eff');
fire.moveTo(240, 250, { nested: true }).play();

async function explode(x, y) {
  const boom = await tvx.loadEffect('assets/burst.eff');
  boom.moveTo(x, y, { nested: true }).play();
  boom.onFinish = () => boom.unload();
}

// The game's sprites: a checker texture of its own, one below the effects, one above.
function checker() {
  const canvas = Object.assign(document.createElement('canvas'), { width: 2, height: 2 });
  const context = canvas.getContext('2d');
  [['#ffc828', 0, 0], ['#2878ff', 1, 0], ['#2878ff', 0, 1], ['#ffc828', 1, 1]].forEach(([colour, x, y]) => {
    context.fillStyle = colour;
    context.fillRect(x, y, 1, 1);
  });
  const texture = Texture.from(canvas);
  texture.source.scaleMode = 'nearest';
  return texture;
}
const sprite = (x, y) => Object.assign(new Sprite(checker()), { x, y, width: 64, height: 64 });
const effects = new TavrixLayer(tvx, width, height);
app.stage.addChild(sprite(16, 16), effects, sprite(400, 16));

app.stage.eventMode = 'static';
app.stage.hitArea = app.screen;
app.stage.on('pointermove', (event) => fire.moveTo(event.global.x, event.global.y));
app.stage.on('pointerdown', (event) => explode(event.global.x, event.global.y));

function frame(ms) {
  tvx.update(ms);
  effects.sync();
}

// ?manual stops the clock, for scripts and tests: window.example moves time
// in a 60 Hz game's steps and plays the pointer.
if (new URLSearchParams(location.search).has('manual')) {
  app.ticker.stop();
  window.example = {
    app, tvx,
    frames(ms) {
      for (let step = 0; ms > 0; step = (step + 1) % 3) {
        const delta = Math.min(ms, [17, 17, 16][step]);
        frame(delta);
        app.render();
        ms -= delta;
      }
    },
    pointer: (x, y) => fire.moveTo(x, y),
    click: (x, y) => explode(x, y),
  };
} else {
  let carried = 0;
  app.ticker.add((ticker) => {
    const ms = Math.min(Math.floor(ticker.deltaMS + carried), 100);  // whole milliseconds
    carried = Math.min(ticker.deltaMS + carried - ms, 1);
    frame(ms);
  });
}
