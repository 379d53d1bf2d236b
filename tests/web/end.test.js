// The end of the show: the end screen over the last frame with the credits,
// the music held (not taken down), and a replay by Enter that plays again
// from the start of the range, picture and music in step.
'use strict';

const assert = require('node:assert');
const { test } = require('node:test');

const { launch, open, play, settle, status, waitForState } = require('./browser');
const { serve } = require('./server');
const { SITE } = require('./site');

test('the end screen holds the last frame and the music; replay plays from the start in step',
  async () => {
    const server = await serve({ '/': SITE });
    const browser = await launch();
    try {
      // The music goes on past 0:09: the end must hold it.
      const page = await open(browser, `${server.url}/?start=5&end=9`);
      await play(page);
      assert.strictEqual(await waitForState(page, ['ended'], 20000), 'ended');
      const end = await status(page);
      await settle(1000);
      const held = await status(page);
      const screen = await page.evaluate(() => ({
        shown: !document.getElementById('end').hidden,
        text: document.getElementById('end').innerText.replace(/\s+/g, ' ').trim(),
        focus: document.activeElement.id,
      }));
      assert.deepStrictEqual(screen, { shown: true, focus: 'replay',
        text: 'quorvel 8 a real-time demo by tarvendolk music: tarvendolk play again record a video' });
      assert.ok(end.timeMs >= 8700 && end.timeMs < 9000, JSON.stringify(end));
      assert.deepStrictEqual([held.timeMs, held.workletS], [end.timeMs, end.workletS]);

      await page.keyboard.press('Enter');
      await page.waitForFunction(() => window.quorvel8.timeMs > 6000
        && window.quorvel8.timeMs < 8000, { timeout: 10000, polling: 50 });
      await settle(500);
      const again = await status(page);
      assert.strictEqual(again.state, 'playing');
      assert.ok(again.timeMs < 8500 && Math.abs(again.timeMs - again.musicMs) <= 100,
        JSON.stringify(again));
      assert.deepStrictEqual(page.problems, []);
    } finally {
      await browser.close();
      await server.close();
    }
  });
