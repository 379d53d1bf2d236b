// Loading and the start, as a new visitor meets them on a slow link (200 KB/s,
// from a throttled server: the browser's own throttling does not slow the
// worklet's fetch) in a browser that makes sound only after a gesture: the
// progress rises, a click while the site loads starts the show once it has,
// and the show plays with its sound. The site is what the page loads, once
// each, and nothing more.
'use strict';

const assert = require('node:assert');
const fs = require('node:fs');
const { test } = require('node:test');

const { launch, open, settle, status, waitForState } = require('./browser');
const { serve } = require('./server');
const { SITE } = require('./site');

test('on a slow link a click while loading starts the show, with sound, once loaded',
  async () => {
    const server = await serve({ '/': SITE }, { bytesPerSecond: 200000 });
    const browser = await launch({ gestureForSound: true });
    try {
      const page = await open(browser, `${server.url}/`);
      const progress = [];
      while (progress.length === 0 || progress[progress.length - 1] < 0.3) {
        await settle(500);
        progress.push((await status(page)).progress);
      }
      assert.strictEqual(await page.$eval('#start', (b) => b.getAttribute('aria-disabled')), 'true');
      await page.click('#start');
      assert.strictEqual(await waitForState(page, ['playing', 'ready', 'error'], 60000), 'playing');
      await page.waitForFunction(() => window.quorvel8.timeMs > 2000, { timeout: 30000 });
      const played = await status(page);
      assert.deepStrictEqual([played.clock, played.lines, played.progress], ['audio', [], 1]);
      assert.ok(progress.every((p, i) => i === 0 || p >= progress[i - 1])
        && new Set(progress.filter((p) => p > 0 && p < 1)).size >= 3, `progress ${progress}`);
      // Every file of the site was asked for once; none is left over.
      const files = fs.readdirSync(SITE).map((name) => `/${name}`).sort();
      const asked = Object.keys(server.requests).map((p) => (p === '/' ? '/index.html' : p)).sort();
      assert.deepStrictEqual(asked, files);
      assert.ok(Object.values(server.requests).every((n) => n === 1), JSON.stringify(server.requests));
      assert.deepStrictEqual(page.problems, []);
    } finally {
      await browser.close();
      await server.close();
    }
  });
