// The viewer page: loads effects and their textures into the runtime, plays
// them on the 60 Hz clock `tavrix render` uses, and draws every animation
// frame. URL parameters for scripts and tests: effect=samples/NAME.eff shows
// a bundled sample, at=MS shows it at that moment and stops there,
// size=WxH sets the canvas.
import { fromDrop, fromInput } from './files.js';
import { Renderer } from './renderer.js';
import { isRecord, packRecord, packedPath } from './records.js';
import { addImage, collectFrame, isImage, openEffect, startRuntime, writeFile } from './runtime.js';

const FRAME_MS = 50 / 3;  // one step of the 60 Hz clock, on average
const LONGEST_MS = 3600000;  // an hour of effect time: a moment past it is taken as this
const LARGEST_SIDE = 4096;
const $ = (id) => document.getElementById(id);
const params = new URLSearchParams(location.search);
const state = { playing: true, speed: 1, zoom: 1, background: [0, 0, 0], pending: 0, last: 0, stats: {} };
let runtime, renderer, sampleIndex;

function showError(message) { $('error').textContent = message; }

// Puts one file ({path, blob} or {path, bytes}) into the runtime: an image
// decoded and registered, a JSON record packed into the effect file beside
// it, anything else written to its file system. Returns the effect it holds, as {label, path}, or nothing.
async function addFile({ path, blob, bytes: given }) {
  const bytes = given ?? new Uint8Array(await blob.arrayBuffer());
  if (isImage(path)) return void await addImage(runtime, renderer, path, bytes);
  if (isRecord(path)) {
    writeFile(runtime, packedPath(path), await packRecord(path, bytes));
    return { label: path, path: packedPath(path) };
  }
  writeFile(runtime, path, bytes);
  return /\.eff$/i.test(path) ? { label: path, path } : undefined;
}

// Every file is tried: one that fails is named and the others still go in.
async function addFiles(files) {
  const effects = [], errors = [];
  for (const file of files) {
    try {
      const effect = await addFile(file);
      if (effect) effects.push(effect);
    } catch (error) {
      errors.push(error.message);
    }
  }
  return { effects, errors };
}

// Shows path, or keeps what was shown; returns why not, or what it lacks
// ('' when nothing).
function show(path) {
  const result = openEffect(runtime, path);
  if (!result.ok) return result.error;
  $('hint').hidden = true;
  return result.missing ? `${path}: no texture ${result.missing} among the opened files` : '';
}

async function openFiles(files) {
  const { effects, errors } = await addFiles(files);
  const list = $('effect');
  list.replaceChildren(...effects.map(({ label, path }) => new Option(label, path)));
  list.hidden = effects.length < 2;
  if (effects.length) errors.unshift(show(effects[0].path));
  showError(errors.filter(Boolean).join('\n'));
}

// The sample list and every sample's bytes, all fetched at once.
async function fetchSamples() {
  const index = await (await fetch('samples/samples.json')).json();
  const files = await Promise.all(index.files.map(async (path) =>
    ({ path, bytes: new Uint8Array(await (await fetch(`samples/${path}`)).arrayBuffer()) })));
  return { index, files };
}

async function addSamples({ index, files }) {
  sampleIndex = index;
  showError((await addFiles(files)).errors.join('\n'));
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
  on('sample', 'change', (e) => e.target.value && showError(show(e.target.value)));
  on('effect', 'change', (e) => showError(show(e.target.value)));
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
// random source starts from its seed as a fresh native process's does. The
// effects may be opened ones; nested effects come from the samples.
async function sceneHash(effects, durationMs) {
  const fresh = await startRuntime(256, 256);
  const files = new Set([...sampleIndex.files.filter((file) => !isImage(file)), ...effects]);
  for (const path of files) writeFile(fresh, path, runtime.module.FS.readFile(`/files/${path}`));
  return fresh.call.scene_hash(effects.join('\n'), durationMs);
}

async function main() {
  const size = /^(\d+)x(\d+)$/.exec(params.get('size') || '');
  if (size) {
    const side = (n) => Math.min(Math.max(+n, 1), LARGEST_SIDE);
    [$('view').width, $('view').height] = [side(size[1]), side(size[2])];
  }
  renderer = new Renderer($('view'));
  // The module, the sample list and the samples' files load at once; the
  // page goes on when all are there, whatever order they came in.
  const [started, samples] = await Promise.all([startRuntime($('view').width, $('view').height), fetchSamples()]);
  runtime = started;
  bindControls();
  await addSamples(samples);
  const effect = params.get('effect');
  if (effect) {
    const sample = effect.replace(/^samples\//, '');
    const error = show(sample);
    showError(error);
    if (!error) $('sample').value = sample;
  }
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
