// The show's sound in headless Chromium: after the click the music plays in
// the worklet and the demo time follows what is heard; with no AudioContext
// the silent clock keeps the time and the show still plays.
'use strict';

const assert = require('node:assert');
const { describe, test } = require('node:test');

const { open, play, settle, status, useSite } = require('./browser');

const site = useSite();

// Starts the show, waits for settleMs of demo time, then reads
// window.quorvel8 every quarter second for watchMs.
async function playAndWatch(page, settleMs, watchMs) {
  await play(page, settleMs);
  const seen = [];
  for (let waited = 0; waited < watchMs; waited += 250) {
    await settle(250);
    seen.push(await status(page));
  }
  return seen;
}

describe('the sound', () => {
  test('a click plays the music and the demo time follows its position', async () => {
    const page = await open(site.browser, `${site.url}/`);
    // The demo clock closes on the music a little each frame: compare once
    // it has had a few seconds of music to close on.
    const seen = await playAndWatch(page, 6000, 2000);
    for (const s of seen) {
      assert.strictEqual(s.clock, 'audio', JSON.stringify(s));
    }
    // Within 50 ms as a rule; a late frame on a loaded machine may be further.
    const gaps = seen.map((s) => Math.abs(s.timeMs - s.musicMs)).sort((a, b) => a - b);
    assert.ok(gaps[gaps.length >> 1] <= 50 && gaps[gaps.length - 1] <= 120, `gaps ${gaps}`);
    assert.ok(seen[seen.length - 1].timeMs > seen[0].timeMs + 1000, JSON.stringify(seen));
    assert.deepStrictEqual(page.problems, []);
    await page.close();
  });

  test('without an AudioContext the silent clock keeps the time, with one line', async () => {
    const page = await open(site.browser, `${site.url}/`, () => {
      delete window.AudioContext;
      delete window.webkitAudioContext;
    });
    const seen = await playAndWatch(page, 1000, 1000);
    const last = seen[seen.length - 1];
    assert.strictEqual(last.clock, 'silent');
    assert.strictEqual(last.musicMs, null);
    assert.ok(last.timeMs > seen[0].timeMs + 500, `the show plays on: ${JSON.stringify(seen)}`);
    assert.match(last.lines.join('\n'), /^audio: .*AudioContext/m);
    assert.deepStrictEqual(page.problems, []);
    await page.close();
  });
});
