// A scene script (scene.txt, crowd-scene.txt) played with the package's API,
// as tavrix_web_script plays it natively: the FNV-1a hash of every frame's
// quads and batches. Runs under Node.js and in the page alike.
const hashBytes = (hash, bytes) => {
  for (const byte of bytes) hash = Math.imul(hash ^ byte, 16777619) >>> 0;
  return hash;
};

export async function playScene(tvx, script) {
  const effects = [];
  let hash = 2166136261;
  const ops = {
    view: () => {},
    load: async (file) => effects.push(await tvx.loadEffect(file)),
    move: (n, x, y, nested) => effects[n].moveTo(+x, +y, { nested: nested === 'nested' }),
    play: (n, ms = 0) => effects[n].play(+ms),
    clear: (n) => effects[n].clear(),
    unload: (n) => effects[n].unload(),
    update: (ms) => tvx.update(+ms),
    step: (n, ms) => effects[n].update(+ms),
    to: (ms) => tvx.updateTo(+ms),
    frame: () => {
      const frame = tvx.quads();
      hash = hashBytes(hashBytes(hash, frame.bytes), new Uint8Array(frame.batches.buffer, frame.batches.byteOffset,
                                                                  frame.batches.byteLength));
    },
  };
  for (const line of script.split('\n').filter((l) => l && !l.startsWith('#'))) {
    const [op, ...words] = line.split(' ');
    await ops[op](...words);
  }
  return { effects, hash: hash.toString(16).padStart(8, '0') };
}
