// The page around the show. It requests every file the show needs at once
// and shows their progress, hands the link's parameters, the data and the
// program to emscripten's loader, and answers the program's calls
// (platform/web/page/PageBridge.cpp): the cover until the viewer starts the
// show, the controls while it plays, the end screen, notices and errors.
// window.quorvel8 tells what the page does: state (loading, ready, playing,
// paused, still, ended, error), progress, timeMs, clock, musicMs, paused,
// muted, error and every line the show said, and record(ask), which renders
// the show into a video file (recorder.js) and resolves to it as a Blob.
// What the show says goes on the page as text, never as markup: a link's
// values are untrusted.
import { audio } from './WorkletAudio.js';
import { Controls } from './controls.js';
import { Cover } from './cover.js';
import { Downloads } from './downloads.js';
import { EndScreen } from './endScreen.js';
import { RecordDialog } from './recordDialog.js';
import { Recording, containerFor } from './recorder.js';
import { showNotice, withdrawNotice } from './notices.js';

const status = {
  state: 'loading',
  progress: 0,
  timeMs: 0,
  clock: null,
  musicMs: null,
  paused: false,
  muted: false,
  error: null,
  lines: [],
  recording: null, // { done, total } while one is made
  record,
};
window.quorvel8 = status;

let pictureReady = false;
let soundReady = false;
let start;
const started = new Promise((resolve) => {
  start = resolve;
});

// A click or key during loading is the gesture the sound needs: the context
// resumes at once, and the show starts when it can.
const cover = new Cover(() => {
  audio.resume();
  startWhenReady();
});
const downloads = new Downloads((fraction) => {
  status.progress = fraction;
  cover.setProgress(fraction);
});
const controls = new Controls({
  togglePause() {
    status.paused = !status.paused;
    controls.setPaused(status.paused);
  },
  toggleMute() {
    status.muted = !status.muted;
    audio.setMuted(status.muted);
    controls.setMuted(status.muted);
  },
});
const endScreen = new EndScreen();
let endWait = null;

// The recording asked for, until the program takes it between two frames
// once the show is held paused (or at the end, where askedNow wakes it);
// the one being made.
let asked = null; // { framesSeen }
let askedNow = null;
let recording = null;

// ask: { size: 'WxH', fps, start, end } (start, end: a link's times, or
// absent for the show's). file: a FileSystemFileHandle to stream to, or none
// for memory. Resolves to { blob, file, says }: the file's name and what it
// is; rejects with the line that says why there is none.
async function recordToFile(ask, file = null, onProgress = () => {}) {
  if (!['playing', 'paused', 'ended'].includes(status.state)) {
    throw new Error('record: the show records once it has started');
  }
  if (recording) {
    throw new Error('record: a recording is being made');
  }
  const wasPaused = status.paused;
  status.paused = true;
  controls.setPaused(true);
  recording = new Recording({
    size: String(ask.size ?? ''), fps: String(ask.fps ?? ''),
    start: String(ask.start ?? ''), end: String(ask.end ?? ''),
  }, file, { bytes: audio.musicBytes(), volume: audio.volume }, (done, total) => {
    status.recording = { done, total };
    onProgress(done, total);
  });
  asked = { framesSeen: 0 };
  askedNow?.();
  try {
    return await recording.result;
  } finally {
    recording = null;
    status.recording = null;
    status.paused = wasPaused;
    controls.setPaused(wasPaused);
  }
}

const recordDialog = new RecordDialog(linkRange(), {
  record: recordToFile,
  cancel: () => recording?.cancel(),
  container: containerFor,
});
for (const id of ['record', 'record-end']) {
  document.getElementById(id).addEventListener('click', () => recordDialog.open());
}

// For scripts: the file alone.
async function record(ask) {
  return (await recordToFile(ask)).blob;
}

// Whether the program is to render the recording now: once a frame has
// been drawn with the show held paused.
function takeAsk() {
  if (!asked || asked.framesSeen++ < 1) {
    return false;
  }
  asked = null;
  return true;
}

function fail(line) {
  if (status.state === 'error') {
    return;
  }
  status.error = line;
  status.state = 'error';
  controls.setActive(false);
  withdrawNotice(line);
  cover.fail(line);
}

function startWhenReady() {
  if (!pictureReady || !soundReady || !['loading', 'ready'].includes(status.state)) {
    return;
  }
  if (!cover.wished) {
    status.state = 'ready';
    cover.offerStart();
    return;
  }
  audio.begin();
  cover.hide();
  controls.setActive(true);
  start();
}

// What the program calls.
const page = {
  says(line) {
    status.lines.push(line);
    console.log(line);
    showNotice(line);
  },
  ready() {
    pictureReady = true;
    startWhenReady();
  },
  start() {
    return started;
  },
  frame(text, timeMs, audible) {
    status.state = status.paused ? 'paused' : 'playing';
    status.timeMs = timeMs;
    status.clock = audible ? 'audio' : 'silent';
    // The worklet's own position, as the show heard it for this frame.
    status.musicMs = audible ? audio.lastHeardMs : null;
  },
  nextFrame() {
    return new Promise((resolve) => requestAnimationFrame(() => resolve(takeAsk())));
  },
  pauseWanted() {
    return status.paused;
  },
  still(text, timeMs) {
    status.timeMs = timeMs;
    status.state = 'still';
    cover.hide();
  },
  // A still frame is drawn again at the window's new size.
  resized() {
    return new Promise((resolve) => {
      window.addEventListener('resize', () => requestAnimationFrame(() => resolve()),
        { once: true });
    });
  },
  ended() {
    status.state = 'ended';
    controls.setActive(false);
  },
  // Resolves to true for a recording asked for meanwhile.
  async replay() {
    endWait ??= endScreen.show();
    const recordAsked = new Promise((resolve) => {
      askedNow = resolve;
    });
    if (asked) {
      asked = null;
      return true;
    }
    const again = await Promise.race([endWait.then(() => false), recordAsked.then(() => true)]);
    askedNow = null;
    if (again) {
      asked = null;
      return true;
    }
    endWait = null;
    status.state = 'playing';
    controls.setActive(true);
    return false;
  },
  // The recording's steps (PageBridge.cpp).
  get recording() {
    return recording;
  },
  recordingRefused(line) {
    recording.refused(line);
  },
  failed(line) {
    fail(line);
  },
};

// The link's parameters go to the program as name, value pairs; it reads
// them by the command line's rules.
function linkArguments() {
  const params = new URLSearchParams(window.location.search);
  const args = [];
  for (const name of ['t', 'start', 'end', 'loop']) {
    if (params.has(name)) {
      args.push(name, params.get(name));
    }
  }
  return args;
}

// The link's range, for a recording of it; null when it gives none.
function linkRange() {
  const params = new URLSearchParams(window.location.search);
  const range = {};
  for (const name of ['start', 'end']) {
    if (params.has(name)) {
      range[name] = params.get(name);
    }
  }
  return Object.keys(range).length ? range : null;
}

// emscripten's loaders, run in order once the bytes are here; they come
// from the browser's cache, which the downloads filled.
function runProgram(data, wasm) {
  window.Module = {
    canvas: document.getElementById('canvas'),
    arguments: linkArguments(),
    quorvel8Page: page,
    wasmBinary: wasm,
    getPreloadedPackage: () => data,
    // emscripten's own lines are for the console alone.
    print: (line) => console.log(line),
    printErr: (line) => console.warn(line),
    onAbort: () => fail('the show stopped: its program failed'),
  };
  for (const [name, what] of [['demodat.js', 'the show\'s data'], ['quorvel8.js', 'the program']]) {
    const script = document.createElement('script');
    script.src = name;
    script.async = false;
    script.onerror = () => fail(`${what} (${name}) did not load`);
    document.body.append(script);
  }
}

audio.prepare((name, what) => downloads.get(name, what));
audio.ready.then(() => {
  soundReady = true;
  startWhenReady();
});
Promise.all([
  downloads.get('demodat.data', 'the show\'s data'),
  downloads.get('quorvel8.wasm', 'the program'),
  downloads.get('demodat.js', 'the show\'s data'),
  downloads.get('quorvel8.js', 'the program'),
]).then(([data, wasm]) => runProgram(data, wasm), (error) => fail(error.message));
