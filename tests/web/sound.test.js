// The show's sound in headless Chromium: after the click the music plays in
// the worklet and the demo time follows what is heard; with no AudioContext
// the silent clock keeps the time and the show still plays.
'use strict';

const assert = require('node:assert');
const { after, before, describe, test } = require('node:test');

const { launch, open, waitForState } = require('./browser');
const { serve } = require('./server');
const { WEB_BUILD } = require('./site');

let browser;
let server;

before(async () => {
  server = await serve({ '/': WEB_BUILD });
  browser = await launch();
});

after(async () => {
  await browser?.close();
  await server?.close();
});

// Clicks, waits for "playing", then reads window.quorvel8 every quarter
// second for the given time.
async function playAndWatch(page, watchMs) {
  assert.strictEqual(await waitForState(page, ['ready', 'error']), 'ready');
  await page.mouse.click(640, 480);
  assert.strictEqual(await waitForState(page, ['playing', 'error']), 'playing');
  const seen = [];
  for (let waited = 0; waited < watchMs; waited += 250) {
    await new Promise((resolve) => setTimeout(resolve, 250));
    seen.push(await page.evaluate(() => ({ ...window.quorvel8 })));
  }
  return seen;
}

describe('the sound', () => {
  test('a click plays the music and the demo time follows its position', async () => {
    const page = await open(browser, `${server.url}/`);
    const seen = await playAndWatch(page, 4000);
    const last = seen[seen.length - 1];
    assert.strictEqual(last.clock, 'audio', JSON.stringify(last));
    assert.ok(last.timeMs > 2500, `the show moved on with the music: ${JSON.stringify(last)}`);
    // Frames and the worklet's reports arrive at their own pace: compare
    // where both have been heard from.
    const heard = seen.filter((s) => s.musicMs !== null && s.musicMs > 500);
    assert.ok(heard.length >= 8, `the worklet reported its position: ${JSON.stringify(seen)}`);
    for (const s of heard) {
      assert.ok(Math.abs(s.timeMs - s.musicMs) < 50, `time ${s.timeMs} against music ${s.musicMs}`);
    }
    assert.deepStrictEqual(page.problems, []);
    await page.close();
  });

  test('without an AudioContext the silent clock keeps the time, with one line', async () => {
    const page = await open(browser, `${server.url}/`, () => {
      delete window.AudioContext;
      delete window.webkitAudioContext;
    });
    const seen = await playAndWatch(page, 2000);
    const last = seen[seen.length - 1];
    assert.strictEqual(last.clock, 'silent');
    assert.ok(last.timeMs > 1200, `the show plays on: ${JSON.stringify(last)}`);
    const lines = await page.evaluate(() => document.getElementById('lines').textContent);
    assert.match(lines, /^audio: .*AudioContext/m);
    assert.deepStrictEqual(page.problems, []);
    await page.close();
  });
});
