// The viewer's controls while the show plays: Enter on the start button
// starts it; Space (or K) pauses and resumes picture and music together; M
// mutes while the time goes on; F goes full screen while Ctrl+F stays the
// browser's; and a tab the browser froze comes back in step.
'use strict';

const assert = require('node:assert');
const { describe, test } = require('node:test');

const { open, play, settle, status, waitForState, useSite } = require('./browser');

const site = useSite();

// How far the picture is from the music heard, in ms.
const apart = (s) => Math.abs(s.timeMs - s.musicMs);

describe('the controls', () => {
  test('pause, mute and full screen by their keys, picture and music together', async () => {
    const page = await open(site.browser, `${site.url}/`);
    assert.strictEqual(await waitForState(page, ['ready', 'error']), 'ready');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => window.quorvel8.timeMs > 3000, { timeout: 30000 });

    for (const key of [' ', 'k']) {
      await page.keyboard.press(key);
      await waitForState(page, ['paused']);
      await settle(300); // the worklet's last reports before its pause
      const paused = await status(page);
      await settle(1000);
      const held = await status(page);
      assert.deepStrictEqual([held.timeMs, held.workletS, held.paused],
        [paused.timeMs, paused.workletS, true], key);
      await page.keyboard.press(key);
      await settle(1000);
      const resumed = await status(page);
      assert.strictEqual(resumed.state, 'playing', key);
      // On from where it stood, not by the time it was paused.
      assert.ok(resumed.timeMs - held.timeMs < 1500 && apart(resumed) <= 100,
        `${key}: ${JSON.stringify([held, resumed])}`);
    }

    await page.keyboard.press('m');
    const muted = await status(page);
    await settle(1000);
    const later = await status(page);
    assert.deepStrictEqual([later.muted, later.clock, later.state], [true, 'audio', 'playing']);
    assert.ok(later.timeMs - muted.timeMs > 500 && apart(later) <= 100, JSON.stringify(later));
    assert.strictEqual(await page.evaluate(() => window.quorvelAudio.muting.gain.value), 0);

    const fullscreen = () => page.evaluate(() => document.fullscreenElement !== null);
    await page.keyboard.down('Control');
    await page.keyboard.press('f');
    await page.keyboard.up('Control');
    assert.strictEqual(await fullscreen(), false);
    await page.keyboard.press('f');
    await page.waitForFunction(() => document.fullscreenElement !== null);
    assert.deepStrictEqual(page.problems, []);
    await page.close();
  });

  test('a tab frozen for 5 s comes back in step within a second', async () => {
    const page = await open(site.browser, `${site.url}/`);
    await play(page, 2000);
    const frozen = await status(page);
    const session = await page.createCDPSession();
    await session.send('Page.setWebLifecycleState', { state: 'frozen' });
    await settle(5000);
    await session.send('Page.setWebLifecycleState', { state: 'active' });
    // Headless, the page stays hidden after it, without frames, until focused.
    await session.send('Emulation.setFocusEmulationEnabled', { enabled: true });
    await settle(1000);
    const back = await status(page);
    assert.ok(back.timeMs > frozen.timeMs && apart(back) <= 100, JSON.stringify(back));
    await page.close();
  });
});
