// The show's sound in the page: libopenmpt in an AudioWorklet (chiptune3),
// driven by the wasm's music engine through globalThis.quorvelAudio. Browsers
// start sound only after a gesture, so the context made when the show opens
// its device runs from the click on (begin()). Why there is no sound, when
// there is none, is told once in `failure`: the engine then keeps the time
// with its silent clock.
import { ChiptuneJsPlayer } from './chiptune3.js';

// Time the context has to run after the click, and the worklet to come up.
const kRunningWithinMs = 1000;
const kWorkletWithinMs = 10000;

const audio = {
    failure: '',
    player: null,
    ready: false,      // the worklet is up and takes messages
    waiting: [],       // messages for the worklet until then
    modules: new Map(), // handle -> the module's bytes
    report: null,      // {seconds, atMs} of the worklet's last position
    lastHeardMs: null, // that position less the latency, when the show last asked
    ended: false,
    paused: false,

    // The context and the worklet, made when the show opens its device: the
    // context waits, suspended, for the click.
    create() {
        if (typeof AudioContext !== 'function') {
            this.fail('this browser has no AudioContext');
            return;
        }
        try {
            this.player = new ChiptuneJsPlayer({ repeatCount: 0 });
        } catch (error) {
            this.fail(`no audio context (${error})`);
            return;
        }
        const player = this.player;
        player.onInitialized(() => {
            this.ready = true;
            for (const [cmd, val] of this.waiting) {
                player.postMsg(cmd, val);
            }
            this.waiting.length = 0;
        });
        player.onProgress((progress) => {
            if (!this.paused) {
                this.report = { seconds: progress.pos, atMs: performance.now() };
            }
        });
        player.onEnded(() => {
            this.ended = true;
        });
        player.onError((error) => this.fail(`the audio worklet failed (${error.type})`));
        setTimeout(() => {
            if (!this.ready) {
                this.fail('the audio worklet did not start');
            }
        }, kWorkletWithinMs);
    },

    // In the click's handler: the gesture lets the context run.
    begin() {
        if (!this.player) {
            return;
        }
        const context = this.player.context;
        context.resume();
        setTimeout(() => {
            if (context.state !== 'running') {
                this.fail('the audio context is not running a second after the click');
            }
        }, kRunningWithinMs);
    },

    fail(why) {
        if (!this.failure) {
            this.failure = why;
            this.lastHeardMs = null;
        }
    },

    latencyMs() {
        const context = this.player.context;
        return 1000 * (context.outputLatency || context.baseLatency || 0);
    },

    post(cmd, val) {
        if (this.ready) {
            this.player.postMsg(cmd, val);
        } else {
            this.waiting.push([cmd, val]);
        }
    },

    // The engine's calls.
    open() {
        if (!this.player && !this.failure) {
            this.create();
        }
        return !this.failure;
    },
    load(handle, bytes) {
        this.modules.set(handle, bytes);
    },
    play(handle, fromSeconds) {
        this.report = null;
        this.ended = false;
        this.post('play', this.modules.get(handle));
        if (fromSeconds > 0) {
            this.post('setPos', fromSeconds);
        }
    },
    seek(seconds) {
        this.report = null;
        this.ended = false;
        this.post('setPos', seconds);
    },
    pause(paused) {
        this.paused = paused;
        this.report = null;
        this.post(paused ? 'pause' : 'unpause');
    },
    gain(value) {
        if (this.player) {
            this.player.setVol(value);
        }
    },
    stop() {
        this.post('stop');
        this.report = null;
    },
    // What the listener hears now, in ms from the module's start: the last
    // report less the output's latency, moved on with the clock but never
    // past what the worklet has rendered (until the module has played out).
    // Null until the worklet reports after a play, seek or pause.
    heardMs() {
        if (!this.report) {
            return null;
        }
        const renderedMs = this.report.seconds * 1000;
        const reportedMs = renderedMs - this.latencyMs();
        this.lastHeardMs = Math.round(reportedMs);
        const heard = reportedMs + (performance.now() - this.report.atMs);
        return this.ended ? heard : Math.min(heard, renderedMs);
    },
};

globalThis.quorvelAudio = audio;
