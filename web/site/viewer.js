// The viewer page: loads effects and their textures into the runtime, plays
// them on the 60 Hz clock `tavrix render` uses, and draws every animation
// frame. URL parameters for scripts and tests: effect=samples/NAME.eff shows
// a bundled sample, at=MS shows it at that moment and stops there,
// size=WxH sets the canvas.
import { fromDrop, fromInput } from './files.js';
import { Renderer } from './renderer.js';
import { addImage, collectFrame, isImage, openEffect, startRuntime, writeFile } from './runtime.js';

const FRAME_MS = 50 / 3;  // one step of the 60 Hz clock, on average
const LONGEST_MS = 3600000;  // an hour of effect time: a moment past it is taken as this
const LARGEST_SIDE = 4096;
const $ = (id) => document.getElementById(id);
const params = new URLSearchParams(location.search);
const state = { playing: true, speed: 1, zoom: 1, background: [0, 0, 0], pending: 0, last: 0, stats: {} };
let runtime, renderer, sampleIndex;

function showError(message) { $('error').textContent = message; }

// Puts files into the runtime: images decoded and registered, the rest
// written to its file system. Returns the effect files among them.
async function addFiles(files) {
  const effects = [];
  for (const { path, blob } of files) {
    if (isImage(path)) await addImage(runtime, renderer, path, blob);
    else writeFile(runtime, path, new Uint8Array(await blob.arrayBuffer()));
    if (/\.eff$/i.test(path)) effects.push(path);
    if (/\.json$/i.test(path)) showError(`${path}: JSON records are packed by \`tavrix pack\`; open the .eff it makes`);
  }
  return effects;
}

// Shows path, or names why not and keeps what was shown.
function show(path) {
  const result = openEffect(runtime, path);
  if (!result.ok) return showError(result.error), false;
  showError(result.missing ? `${path}: no texture ${result.missing} among the opened files` : '');
  $('hint').hidden = true;
  return true;
}

async function openFiles(files) {
  try {
    const effects = await addFiles(files);
    const list = $('effect');
    list.replaceChildren(...effects.map((path) => new Option(path)));
    list.hidden = effects.length < 2;
    if (effects.length) show(effects[0]);
  } catch (error) {
    showError(error.message);
  }
}

async function loadSamples() {
  sampleIndex = await (await fetch('samples/samples.json')).json();
  const files = await Promise.all(sampleIndex.files.map(async (path) =>
    ({ path, blob: await (await fetch(`samples/${path}`)).blob() })));
  await addFiles(files);
  for (const name of Object.keys(sampleIndex.moments)) $('sample').add(new Option(name, `${name}.eff`));
}

function frame() {
  const drawStart = performance.now();
  const quads = collectFrame(runtime);
  const drawCalls = renderer.draw(quads, state.background, state.zoom);
  state.stats.draw = performance.now() - drawStart;
  const now = runtime.call.now();
  $('timeline').max = Math.max(+$('timeline').max, now);
  $('timeline').value = now;
  $('time').textContent = `${now} ms`;
  $('stats').textContent = $('overlay').checked
    ? `quads ${quads.quads}  draw calls ${drawCalls}\nupdate ${state.stats.update.toFixed(2)} ms  ` +
      `draw ${state.stats.draw.toFixed(2)} ms` : '';
}

function tick(timestamp) {
  const start = performance.now();
  if (state.playing && state.last) {
    state.pending = Math.min(state.pending + (timestamp - state.last) * state.speed, 10 * FRAME_MS);
    for (; state.pending >= FRAME_MS; state.pending -= FRAME_MS) runtime.call.next_frame();
  }
  state.last = timestamp;
  state.stats.update = performance.now() - start;
  frame();
  requestAnimationFrame(tick);
}

function setPlaying(playing) {
  state.playing = playing;
  $('play').textContent = playing ? 'Pause' : 'Play';
}

function bindControls() {
  const on = (id, event, handler) => $(id).addEventListener(event, handler);
  on('play', 'click', () => setPlaying(!state.playing));
  on('step', 'click', () => { setPlaying(false); runtime.call.next_frame(); });
  on('restart', 'click', () => runtime.call.restart());
  on('speed', 'change', (e) => { state.speed = +e.target.value; });
  on('zoom', 'input', (e) => { state.zoom = +e.target.value; });
  on('background', 'input', (e) => {
    state.background = [1, 3, 5].map((i) => parseInt(e.target.value.slice(i, i + 2), 16) / 255);
  });
  on('timeline', 'input', (e) => { setPlaying(false); runtime.call.seek(+e.target.value); });
  on('sample', 'change', (e) => e.target.value && show(e.target.value));
  on('effect', 'change', (e) => show(e.target.value));
  for (const id of ['open', 'folder']) on(id, 'change', (e) => openFiles(fromInput(e.target)));
  const main = document.querySelector('main');
  main.addEventListener('dragover', (e) => { e.preventDefault(); main.classList.add('dragging'); });
  main.addEventListener('dragleave', () => main.classList.remove('dragging'));
  main.addEventListener('drop', async (e) => {
    e.preventDefault();
    main.classList.remove('dragging');
    await openFiles(await fromDrop(e.dataTransfer));
  });
}

// For tests: the quads of a fixed scene hashed in a fresh module, whose
// random source starts from its seed as a fresh native process's does.
async function sceneHash(effects, durationMs) {
  const fresh = await startRuntime(256, 256);
  for (const path of sampleIndex.files.filter((file) => !isImage(file))) writeFile(fresh, path, runtime.module.FS.readFile(`/files/${path}`));
  return fresh.call.scene_hash(effects.join('\n'), durationMs);
}

async function main() {
  const size = /^(\d+)x(\d+)$/.exec(params.get('size') || '');
  if (size) {
    const side = (n) => Math.min(Math.max(+n, 1), LARGEST_SIDE);
    [$('view').width, $('view').height] = [side(size[1]), side(size[2])];
  }
  renderer = new Renderer($('view'));
  runtime = await startRuntime($('view').width, $('view').height);
  bindControls();
  await loadSamples();
  const effect = params.get('effect');
  if (effect && show(effect.replace(/^samples\//, ''))) $('sample').value = effect.replace(/^samples\//, '');
  if (params.has('at')) {
    setPlaying(false);
    runtime.call.seek(Math.min(Math.max(0, +params.get('at') || 0), LONGEST_MS));
  }
  window.tavrixViewer = { sceneHash, runtime };
  document.body.dataset.state = 'ready';
  requestAnimationFrame(tick);
}

main().catch((error) => {
  showError(error.message);
  document.body.dataset.state = 'failed';
});
