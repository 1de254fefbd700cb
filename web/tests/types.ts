// Checked by tsc against the package's index.d.ts (scripts/test-web.sh):
// the calls of the README's game loop and of a renderer of the game's own
// type-check, and misuses are refused.
import { createTavrix, Effect, TavrixError } from 'tavrix';
import { createTavrix as createThreaded } from 'tavrix/threads';

export async function game(gl: WebGL2RenderingContext): Promise<number> {
  const tvx = await createTavrix({ gl, width: 480, height: 320, settings: { MaxParticles: 20000 } });
  const fire: Effect = await tvx.loadEffect('assets/fire.eff', { images: { 'fire.png': new Uint8Array(4) } });
  fire.moveTo(10, 20, { nested: true }).play(500).clear().update(17);
  fire.onFinish = (effect) => effect.unload();
  tvx.update(16);
  const ended: boolean = tvx.updateTo(1000);
  tvx.draw([fire]);
  const { vertices, bytes, batches, quadCount } = tvx.quads(fire);
  const texture = tvx.textures[batches[0]];
  const saved: Uint8Array = fire.save();
  try {
    await tvx.loadEffect(saved, { files: { 'sparks.eff': 'fx/sparks.eff' }, base: '/fx/' });
  } catch (error) {
    if (error instanceof TavrixError && error.code === 'EffectFileOpenFailed') return error.result ?? 0;
  }
  // @ts-expect-error: positions are numbers
  fire.moveTo('10', 20);
  // @ts-expect-error: settings are the ones the runtime reads
  await createTavrix({ settings: { MaxParticle: 1 } });
  const crowd = await createThreaded({ gl, settings: { UpdateThreads: 2 } });
  crowd.destroy();
  return vertices[0] + bytes[16] + quadCount + texture.width + (ended ? fire.width : fire.height);
}
