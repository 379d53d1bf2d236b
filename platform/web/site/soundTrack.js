// A recording's sound: the show's module rendered whole, offline, at 48 kHz
// by libopenmpt in chiptune3's worklet (its whole-module decode) in an audio
// context of its own that never plays, then cut to the recording's range:
// the music's position 0 lies at the demo time anchorMs. The worklet's
// files are the page's own, already in the browser's cache.
import { ChiptuneJsPlayer } from './chiptune3.js';

export const kSoundRate = 48000;

// The last module rendered: the show has one music, rendered once a page.
let rendered = null; // { bytes, volume, left, right }

async function renderModule(bytes, volume) {
  if (rendered && rendered.bytes === bytes && rendered.volume === volume) {
    return rendered;
  }
  const context = new AudioContext({ sampleRate: kSoundRate });
  try {
    const player = new ChiptuneJsPlayer({ repeatCount: 0, context });
    await new Promise((resolve) => player.onInitialized(resolve));
    const whole = await new Promise((resolve, reject) => {
      player.onFullAudioData(resolve);
      player.onError((error) => reject(new Error(`the sound could not be rendered (${error.type})`)));
      // The worklet takes its own copy: the page's bytes stay for playing.
      player.postMsg('decodeAll', bytes.slice(0));
    });
    const [left, right] = whole.data.map((samples) => {
      const channel = Float32Array.from(samples);
      for (let i = 0; i < channel.length; ++i) {
        channel[i] *= volume;
      }
      return channel;
    });
    rendered = { bytes, volume, left, right };
    return rendered;
  } finally {
    context.close();
  }
}

// The sound of `count` samples from the demo time startMs, planar stereo
// (left then right); silence where no music plays (bytes or anchorMs null,
// before its start or after its end, or a browser without Web Audio).
export async function soundOfRange(bytes, volume, anchorMs, startMs, count) {
  const planar = new Float32Array(2 * count);
  if (!bytes || anchorMs === null || typeof AudioContext !== 'function') {
    return planar;
  }
  const music = await renderModule(bytes, volume);
  const from = Math.round((startMs - anchorMs) * kSoundRate / 1000);
  for (let i = Math.max(0, -from); i < count && from + i < music.left.length; ++i) {
    planar[i] = music.left[from + i];
    planar[count + i] = music.right[from + i];
  }
  return planar;
}
