// One loaded effect: the library's per-effect operations on its identifier.
export class Effect {
  constructor(tavrix, id, source, missing) {
    this.tavrix = tavrix;
    this.id = id;
    this.source = source;
    this.missing = missing;
    this.loaded = true;
    this.onFinish = null;
  }

  // Starts from time 0, or again; prewarmMs simulates about that much at once.
  play(prewarmMs = 0) {
    this.tavrix.check(this.tavrix.call.play_effect(this.id, prewarmMs));
    return this;
  }

  // nested: also moves the particles in flight and the copies that nested
  // effects play (do it for the first placement); without it an emitting
  // effect leaves a trail.
  moveTo(x, y, { nested = false } = {}) {
    this.tavrix.check(this.tavrix.call.set_effect_position(this.id, x, y, nested ? 1 : 0), `effect ${this.id}`);
    return this;
  }

  clear() {
    this.tavrix.check(this.tavrix.call.clear_effect(this.id));
    return this;
  }

  // Advances this effect alone by ms; onFinish hears of its end.
  update(ms) {
    this.tavrix.check(this.tavrix.call.update_effect(this.id, ms | 0));
    this.tavrix.dispatchFinished();
    return this;
  }

  unload() {
    if (!this.loaded) return;
    this.tavrix.check(this.tavrix.call.unload_effect(this.id));
    this.tavrix.forget(this);
  }

  // The size stored in the effect's file, for editors; 400 when it has none.
  get width() { return this.tavrix.call.effect_width(this.id); }
  get height() { return this.tavrix.call.effect_height(this.id); }

  // The effect file's bytes, play state included. The library saves the
  // effect loaded first: this one must be the lowest identifier loaded.
  save() {
    const first = Math.min(...this.tavrix.effects.keys());
    if (first !== this.id)
      throw new Error(`effect ${this.id}: the library saves the first effect loaded, here ${first}; ` +
                      'unload the earlier ones or load it into an instance of its own');
    return this.tavrix.saveEffect();
  }
}
