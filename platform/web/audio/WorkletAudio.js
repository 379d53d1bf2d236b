// The show's sound in the page: libopenmpt in an AudioWorklet (chiptune3),
// driven by the wasm's music engine through globalThis.quorvelAudio. The
// context is made as the page loads and the worklet's files are fetched with
// the rest of the site, so their bytes count in the page's progress and a
// slow link only makes the start wait. Browsers let the context run only
// after a gesture: resume() is called from one. Why there is no sound, when
// there is none, is told once in `failure`: the engine then keeps the time
// with its silent clock.

// Time the context has to run once the show starts.
const kRunningWithinMs = 1000;
// The worklet's module, and the libopenmpt build it imports.
const kWorkletFiles = ['chiptune3.worklet.js', 'libopenmpt.worklet.js'];

const audio = {
  failure: '',
  context: null,
  player: null,     // once the worklet is up and takes messages
  muting: null,     // the gain between the player and the speakers
  volume: 1,        // the music's own, as the show sets it
  ready: null,      // settles once the worklet is up or the sound has failed
  modules: new Map(), // handle -> the module's bytes
  playing: null,    // the handle last played
  // The worklet's last position, with the page's clock and the audio clock
  // when it came.
  report: null,     // {seconds, atMs, atContextS}
  lastHeardMs: null, // that position less the latency, when the show last asked
  paused: false,

  // As the page loads. download(name, what): the page's fetch, resolving once
  // the file is in (and so in the browser's cache), rejecting with the line
  // that says why it is not.
  prepare(download) {
    this.ready = this.loadWorklet(download).catch((error) => this.fail(error.message));
  },

  async loadWorklet(download) {
    if (typeof AudioContext !== 'function') {
      throw new Error('this browser gives no sound (it has no AudioContext)');
    }
    this.context = new AudioContext();
    const files = kWorkletFiles.map((name) => download(name, 'the sound\'s worklet'));
    let ChiptuneJsPlayer;
    try {
      ({ ChiptuneJsPlayer } = await import('./chiptune3.js'));
    } catch {
      throw new Error('the sound\'s player (chiptune3.js) did not load');
    }
    await Promise.all(files);
    try {
      await this.context.audioWorklet.addModule(kWorkletFiles[0]);
    } catch (error) {
      throw new Error(`the sound's worklet did not start (${error})`);
    }
    // The player adds the same module again: the browser has it already.
    const player = new ChiptuneJsPlayer({ repeatCount: 0, context: this.context });
    await new Promise((resolve) => player.onInitialized(resolve));
    this.muting = this.context.createGain();
    player.setVol(this.volume);
    player.gain.connect(this.muting).connect(this.context.destination);
    player.onProgress((progress) => {
      if (!this.paused) {
        this.report = {
          seconds: progress.pos,
          atMs: performance.now(),
          atContextS: this.context.currentTime,
        };
      }
    });
    player.onError((error) => this.fail(`the sound's worklet failed (${error.type})`));
    this.player = player;
  },

  // In a gesture's handler (a click or key, also while the page loads).
  resume() {
    if (this.context && !this.failure) {
      this.context.resume();
    }
  },

  // The show starts: by now the context should run.
  begin() {
    this.resume();
    setTimeout(() => {
      if (this.context && this.context.state !== 'running') {
        this.fail('the browser did not let the sound start');
      }
    }, kRunningWithinMs);
  },

  setMuted(muted) {
    if (this.muting) {
      this.muting.gain.value = muted ? 0 : 1;
    }
  },

  fail(why) {
    if (!this.failure) {
      this.failure = why;
      this.lastHeardMs = null;
    }
  },

  latencyMs() {
    return 1000 * (this.context.outputLatency || this.context.baseLatency || 0);
  },

  post(cmd, val) {
    if (this.player && !this.failure) {
      this.player.postMsg(cmd, val);
    }
  },

  // The engine's calls.
  open() {
    return !this.failure;
  },
  load(handle, bytes) {
    this.modules.set(handle, bytes);
  },
  play(handle, fromSeconds) {
    this.playing = handle;
    this.report = null;
    this.post('play', this.modules.get(handle));
    if (fromSeconds > 0) {
      this.post('setPos', fromSeconds);
    }
  },
  seek(seconds) {
    this.report = null;
    this.post('setPos', seconds);
  },
  pause(paused) {
    this.paused = paused;
    this.report = null;
    this.post(paused ? 'pause' : 'unpause');
  },
  gain(value) {
    this.volume = value;
    if (this.player) {
      this.player.setVol(value);
    }
  },
  stop() {
    this.playing = null;
    this.post('stop');
    this.report = null;
  },
  // The bytes of the module that plays (a recording renders its own sound
  // from them); null when none does.
  musicBytes() {
    return this.modules.get(this.playing) ?? null;
  },
  // What the listener hears now, in ms from the module's start: the last
  // report less the output's latency, moved on with the page's clock but
  // never further than the audio clock has gone since: the sound may stand
  // still (a stalled or frozen context) while the page's own reports may be
  // late (a long frame kept them waiting). Null until the worklet reports
  // after a play, seek or pause.
  heardMs() {
    if (!this.report) {
      return null;
    }
    const reportedMs = this.report.seconds * 1000 - this.latencyMs();
    this.lastHeardMs = Math.round(reportedMs);
    const sinceMs = performance.now() - this.report.atMs;
    const soundedMs = 1000 * (this.context.currentTime - this.report.atContextS);
    return reportedMs + Math.min(sinceMs, soundedMs + this.latencyMs());
  },
};

globalThis.quorvelAudio = audio;

export { audio };
