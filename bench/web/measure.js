// Measures the page in headless Chromium (SwiftShader): the weight of each
// file of the site (and gzip-compressed), the time from navigation to the
// start button on the machine's own link and on slower ones (a throttled
// server), and for each section of the show as it plays the time the program
// works on a frame, the time between frames and the resolution the page
// settles at. Given a second site (an earlier build, say), every measurement
// is taken on each site in turn, so that both meet the same machine.
// Run after ./web.sh: node bench/web/measure.js [SITE [OTHER_SITE]]
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');

const { launch, open, waitForState } = require('../../tests/web/browser');
const { serve } = require('../../tests/web/server');
const { SITE } = require('../../tests/web/site');

// The show's sections (data/script.txt), in seconds; each plays 9 s or more.
const SECTIONS = [
  ['LOGO+FLARE', 0], ['INOOP2+LOGO', 9], ['INOOP3+FLARE', 27], ['WOBBEL', 45],
  ['WORTEL', 54], ['BGDING+GREETS', 63], ['INOOP4+FLARE', 108], ['INOOP3+LOGO', 126],
];
// Each section plays 8 s; its first 2 s (the first frames, and the page
// finding its resolution) are left out.
const PLAY_S = 8;
const SETTLE_MS = 2000;
const LINKS = [['127.0.0.1', 0], ['1 MB/s', 1000000], ['200 KB/s', 200000]];

// Records when the page first offered the start, and for each frame the
// time the program worked on it (from the animation frame to the frame's
// report), the time since the frame before and the canvas's size.
function instrument() {
  window.measured = { offeredAt: null, frames: [] };
  const watch = setInterval(() => {
    if (window.quorvel8?.state === 'ready') {
      window.measured.offeredAt = performance.now();
      clearInterval(watch);
    }
  }, 10);
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
      const frame = page.frame;
      page.frame = function (...args) {
        const now = performance.now();
        const canvas = document.getElementById('canvas');
        if (resumedAt > 0) {
          window.measured.frames.push({ at: now, work: now - resumedAt,
            interval: now - lastFrameAt, size: `${canvas.width}x${canvas.height}` });
        }
        lastFrameAt = now;
        return frame.apply(this, args);
      };
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

function printWeights(site) {
  console.log(`${site}\nfile                        bytes      gzip`);
  let total = 0;
  let totalGzip = 0;
  for (const file of fs.readdirSync(site).sort()) {
    const bytes = fs.readFileSync(path.join(site, file));
    const gzip = zlib.gzipSync(bytes).length;
    total += bytes.length;
    totalGzip += gzip;
    console.log(`${file.padEnd(24)} ${String(bytes.length).padStart(8)} ${String(gzip).padStart(9)}`);
  }
  console.log(`${'total'.padEnd(24)} ${String(total).padStart(8)} ${String(totalGzip).padStart(9)}\n`);
}

async function offeredAfterMs(browser, site, bytesPerSecond) {
  const server = await serve({ '/': site }, { bytesPerSecond });
  const page = await open(browser, `${server.url}/`, instrument);
  await page.waitForFunction(() => window.measured.offeredAt !== null,
    { timeout: 120000, polling: 50 });
  const ms = await page.evaluate(() => window.measured.offeredAt);
  await page.close();
  await server.close();
  return ms;
}

// Navigation to the start button at each link speed, one site after the
// other for each, each site loaded once before (a browser's first page pays
// for its own start).
async function timeToStart(browser, sites) {
  for (const site of sites) {
    await offeredAfterMs(browser, site, 0);
  }
  console.log('navigation to the start button (ms)');
  for (const [name, bytesPerSecond] of LINKS) {
    const row = [];
    for (const site of sites) {
      row.push((await offeredAfterMs(browser, site, bytesPerSecond)).toFixed(0).padStart(8));
    }
    console.log(`${name.padEnd(12)} ${row.join('  ')}`);
  }
}

async function playSection(browser, server, startS) {
  const page = await open(browser, `${server.url}/?start=${startS + 0.5}&end=${startS + 0.5 + PLAY_S}`,
    instrument);
  await waitForState(page, ['ready']);
  await page.mouse.click(640, 480);
  await waitForState(page, ['ended'], 60000);
  const frames = await page.evaluate(() => window.measured.frames);
  await page.close();
  const kept = frames.filter((f) => f.at - frames[0].at >= SETTLE_MS);
  const sizes = new Map();
  for (const f of kept) {
    sizes.set(f.size, (sizes.get(f.size) || 0) + 1);
  }
  const settled = [...sizes].sort((a, b) => b[1] - a[1])[0][0];
  return `${String(kept.length).padStart(6)} ${median(kept.map((f) => f.work)).toFixed(1).padStart(7)}`
    + ` ${median(kept.map((f) => f.interval)).toFixed(1).padStart(9)}  ${settled.padEnd(9)}`;
}

async function main() {
  const sites = process.argv.length > 2 ? process.argv.slice(2).map((s) => path.resolve(s)) : [SITE];
  sites.forEach(printWeights);
  const browser = await launch();
  const servers = await Promise.all(sites.map((site) => serve({ '/': site })));
  try {
    await timeToStart(browser, sites);
    console.log(`\nper section, the last ${PLAY_S - SETTLE_MS / 1000} s of ${PLAY_S} s: frames, `
      + 'work ms (median), between frames ms (median), the resolution most frames had');
    for (const [name, startS] of SECTIONS) {
      const row = [];
      for (const server of servers) {
        row.push(await playSection(browser, server, startS));
      }
      console.log(`${name.padEnd(14)} ${row.join('  |')}`);
    }
  } finally {
    await browser.close();
    await Promise.all(servers.map((server) => server.close()));
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
