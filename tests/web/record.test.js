// Recording the show in the page: frame-exact files of a range at the size
// and rate asked for, each frame the still frame of its time, the music from
// the range's start; the command line's refusals; a cancel that keeps
// nothing.
'use strict';

const assert = require('node:assert');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { after, before, test } = require('node:test');

const { launch, open, play, waitForState } = require('./browser');
const { compareCanvas } = require('./compare');
const { correlation, envelope, framePng, streams } = require('./media');
const { serve } = require('./server');
const { NATIVE_BUILD, SITE } = require('./site');

// Measured here: 1.1 to 1.7 levels at 0.2 bits a pixel.
const MEAN_LIMIT = 3;
const ENVELOPE_LEAST = 0.8;

// The line the native program refuses a capture with.
function nativeRefusal(args) {
  try {
    execFileSync(path.join(NATIVE_BUILD, 'quorvel8'), ['--capture', 'x.mp4', ...args],
      { stdio: 'pipe' });
  } catch (error) {
    return error.stderr.toString().trim().split('\n').pop();
  }
  throw new Error(`the native program took ${args}`);
}

// window.quorvel8.record's file written to file, or the line it refused with.
function record(page, ask, file) {
  return page.evaluate(async (asked) => {
    try {
      const blob = await window.quorvel8.record(asked);
      const bytes = new Uint8Array(await blob.arrayBuffer());
      let text = '';
      for (let i = 0; i < bytes.length; i += 0x8000) {
        text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
      }
      return { type: blob.type, base64: btoa(text) };
    } catch (error) {
      return { refused: error.message };
    }
  }, ask).then((made) => {
    if (made.base64) {
      fs.writeFileSync(file, Buffer.from(made.base64, 'base64'));
    }
    return made;
  });
}

let scratch;
let server;
let browser;
before(async () => {
  scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'quorvel8-record-'));
  server = await serve({ '/': SITE, '/ref/': scratch });
  browser = await launch();
});
after(async () => {
  await browser?.close();
  await server?.close();
  fs.rmSync(scratch, { recursive: true, force: true });
});

test('records a range frame-exact, each frame the still of its time, with the music from the '
  + 'range\'s start; refuses what the command line refuses', async (t) => {
  const page = await open(browser, `${server.url}/`);
  await play(page, 300);
  for (const [ask, args] of [[{ size: '0x0', fps: 30 }, ['--size', '0x0']],
    [{ size: '321x240', fps: 30 }, ['--size', '321x240']],
    [{ size: '320x240', fps: 0 }, ['--fps', '0']],
    [{ size: '320x240', fps: 30, start: '2:20', end: '2:30' }, ['--start', '2:20', '--end', '2:30']]]) {
    assert.deepStrictEqual(await record(page, ask), { refused: nativeRefusal(args) });
  }

  const file = path.join(scratch, 'range.mp4');
  const made = await record(page, { size: '320x240', fps: 30, start: '1:03', end: '1:05' }, file);
  assert.ok(['video/mp4', 'video/webm'].includes(made.type), JSON.stringify(made));
  const [video, sound] = streams(file);
  assert.deepStrictEqual([video.width, video.height, video.r_frame_rate, video.nb_read_frames,
    sound.codec_name], [320, 240, '30/1', '60', 'opus']);
  assert.deepStrictEqual(page.problems, []);
  // The show plays on, its canvas following the window again (never below 640).
  await page.waitForFunction(() => window.quorvel8.state === 'playing'
    && document.getElementById('canvas').width >= 640, { timeout: 10000 });

  // Frame 30 shows 1:04.
  framePng(file, 30, path.join(scratch, 'frame.png'));
  const still = await open(browser, `${server.url}/?t=1:04`);
  await still.setViewport({ width: 320, height: 240, deviceScaleFactor: 1 });
  assert.strictEqual(await waitForState(still, ['still', 'error']), 'still');
  await still.waitForFunction(() => document.getElementById('canvas').width === 320);
  await still.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
  const difference = await compareCanvas(still, `${server.url}/ref/frame.png`);

  // The native program's capture of the range has the module's sound from 1:03.
  const native = path.join(scratch, 'native.mp4');
  execFileSync(path.join(NATIVE_BUILD, 'quorvel8'), ['--capture', native, '--start', '1:03',
    '--end', '1:05', '--size', '64x48', '--fps', '30'], { stdio: 'pipe' });
  const follows = correlation(envelope(file), envelope(native));
  t.diagnostic(`frame at 1:04: mean ${difference.mean?.toFixed(3)} levels; `
    + `sound envelope correlation ${follows.toFixed(3)}`);
  assert.ok(difference.mean <= MEAN_LIMIT, JSON.stringify(difference));
  assert.ok(follows >= ENVELOPE_LEAST, String(follows));
});

test('a cancelled recording leaves no file and the show as it was', async () => {
  const page = await open(browser, `${server.url}/?start=5&end=9`);
  await play(page, 5100);
  await page.click('#record');
  await page.evaluate(() => {
    document.getElementById('record-to-file-box').checked = false;
  });
  await page.select('#record-size', '960x720');
  await page.click('#record-go');
  await page.waitForFunction(() => window.quorvel8.recording?.done > 5, { timeout: 60000 });
  await page.click('#record-cancel');
  await page.waitForFunction(() => !document.getElementById('record-done').hidden);
  const left = await page.evaluate(() => ({
    says: document.getElementById('record-says').textContent,
    download: document.getElementById('record-download').getAttribute('href'),
    recording: window.quorvel8.recording,
    paused: window.quorvel8.paused,
  }));
  assert.deepStrictEqual(left, { says: 'record: cancelled', download: null, recording: null,
    paused: false });
  assert.deepStrictEqual(page.problems, []);
});
