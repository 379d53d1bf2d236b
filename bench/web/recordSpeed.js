// Measures how fast the page records: window.quorvel8.record of a range at
// 1280x960 and 60 frames a second in headless Chromium (SwiftShader), then
// the native program's --capture of the same range, one after the other in
// one run; frames a second of wall time for each, and the page's file size
// per minute of the show. Run after ./web.sh and the native build:
//   node bench/web/recordSpeed.js [START END]   (default 1:03 1:08)
'use strict';

const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const { launch, open, play } = require('../../tests/web/browser');
const { serve } = require('../../tests/web/server');
const { NATIVE_BUILD, SITE } = require('../../tests/web/site');

const [start = '1:03', end = '1:08'] = process.argv.slice(2);
const SIZE = '1280x960';
const FPS = 60;

async function pageRecording() {
  const server = await serve({ '/': SITE });
  const browser = await launch();
  try {
    const page = await open(browser, `${server.url}/`);
    await play(page, 200);
    return await page.evaluate(async (ask) => {
      const began = performance.now();
      const blob = await window.quorvel8.record(ask);
      return { seconds: (performance.now() - began) / 1000, bytes: blob.size, type: blob.type };
    }, { size: SIZE, fps: FPS, start, end });
  } finally {
    await browser.close();
    await server.close();
  }
}

function nativeCapture() {
  const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'quorvel8-speed-'));
  const file = path.join(scratch, 'native.mp4');
  try {
    const began = process.hrtime.bigint();
    execFileSync(path.join(NATIVE_BUILD, 'quorvel8'), ['--capture', file, '--start', start,
      '--end', end, '--size', SIZE, '--fps', String(FPS)], { stdio: 'pipe' });
    return { seconds: Number(process.hrtime.bigint() - began) / 1e9, bytes: fs.statSync(file).size };
  } finally {
    fs.rmSync(scratch, { recursive: true, force: true });
  }
}

// m:ss or seconds.
const seconds = (text) => text.split(':').reduce((total, part) => total * 60 + Number(part), 0);

(async () => {
  const showSeconds = seconds(end) - seconds(start);
  const frames = Math.round(showSeconds * FPS);
  const page = await pageRecording();
  const native = nativeCapture();
  for (const [name, run] of [['page', page], ['native', native]]) {
    console.log(`${name}: ${frames} frames ${SIZE}/${FPS} in ${run.seconds.toFixed(1)} s: `
      + `${(frames / run.seconds).toFixed(1)} frames/s; `
      + `${(run.bytes / showSeconds * 60 / 2 ** 20).toFixed(1)} MiB a minute`
      + (run.type ? ` (${run.type})` : ''));
  }
})().catch((error) => {
  console.error(`recordSpeed: ${error.message}`);
  process.exit(1);
});
