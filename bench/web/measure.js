// Measures the page in headless Chromium (SwiftShader): the weight of each
// file of build-web/ (and gzip-compressed), the time from navigation to the
// first frame, and the frame times of each section of the show as it plays.
// Run after ./web.sh: node bench/web/measure.js
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');

const { launch, open, waitForState } = require('../../tests/web/browser');
const { serve } = require('../../tests/web/server');
const { WEB_BUILD } = require('../../tests/web/site');

// The show's sections (data/script.txt), in seconds.
const SECTIONS = [
  ['LOGO+FLARE', 0], ['INOOP2+LOGO', 9], ['INOOP3+FLARE', 27], ['WOBBEL', 45],
  ['WORTEL', 54], ['BGDING+GREETS', 63], ['INOOP4+FLARE', 108], ['INOOP3+LOGO', 126],
];

// Records when the page first reached each of its calls, and for each frame
// the time the program worked on it (from the animation frame to the frame's
// report) and the time between frames.
function instrument() {
  window.measured = { first: {}, work: [], interval: [], times: [] };
  let module;
  let resumedAt = 0;
  let lastFrameAt = 0;
  Object.defineProperty(window, 'Module', {
    configurable: true,
    get: () => module,
    set: (value) => {
      module = value;
      const page = value.quorvel8Page;
      if (!page || page.measured) {
        return;
      }
      page.measured = true;
      for (const name of ['ready', 'still', 'frame']) {
        const call = page[name];
        page[name] = function (...args) {
          const now = performance.now();
          window.measured.first[name] ??= now;
          if (name === 'frame') {
            if (resumedAt > 0) {
              window.measured.work.push(now - resumedAt);
              window.measured.interval.push(now - lastFrameAt);
            }
            window.measured.times.push(args[1]);
            lastFrameAt = now;
          }
          return call.apply(this, args);
        };
      }
      page.nextFrame = () => new Promise((resolve) => requestAnimationFrame(() => {
        resumedAt = performance.now();
        resolve();
      }));
    },
  });
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted.length ? sorted[Math.floor(sorted.length / 2)] : NaN;
}

async function main() {
  console.log('file               bytes      gzip');
  let total = 0;
  let totalGzip = 0;
  for (const file of fs.readdirSync(WEB_BUILD).sort()) {
    if (!/\.(html|js|css|wasm|data)$/.test(file)) {
      continue;
    }
    const bytes = fs.readFileSync(path.join(WEB_BUILD, file));
    const gzip = zlib.gzipSync(bytes).length;
    total += bytes.length;
    totalGzip += gzip;
    console.log(`${file.padEnd(16)} ${String(bytes.length).padStart(8)} ${String(gzip).padStart(9)}`);
  }
  console.log(`${'total'.padEnd(16)} ${String(total).padStart(8)} ${String(totalGzip).padStart(9)}`);

  const server = await serve({ '/': WEB_BUILD });
  const browser = await launch();
  try {
    for (const link of ['?t=4.5', '?t=1:10', '']) {
      const page = await open(browser, `${server.url}/${link}`, instrument);
      await waitForState(page, ['still', 'ready']);
      const first = await page.evaluate(() => window.measured.first);
      console.log(`navigation to ${link ? 'still frame ' + link : '"ready"'}: `
        + `${(first.still ?? first.ready).toFixed(0)} ms`);
      await page.close();
    }
    console.log('section         frames  work ms (median, max)  between frames ms (median)');
    for (const [name, startS] of SECTIONS) {
      const page = await open(browser, `${server.url}/?start=${startS + 1}&end=${startS + 4}`,
        instrument);
      await waitForState(page, ['ready']);
      await page.mouse.click(640, 480);
      await waitForState(page, ['ended'], 60000);
      const m = await page.evaluate(() => window.measured);
      const work = m.work.slice(5);
      const interval = m.interval.slice(5);
      console.log(`${name.padEnd(15)} ${String(m.times.length).padStart(6)}  `
        + `${median(work).toFixed(2).padStart(8)} ${Math.max(...work).toFixed(2).padStart(8)}`
        + `       ${median(interval).toFixed(2).padStart(8)}`);
      await page.close();
    }
  } finally {
    await browser.close();
    await server.close();
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
