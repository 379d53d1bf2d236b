// The resolution the page renders at: its drawing buffer never larger than
// a picture can show (a device pixel ratio of 2, 2560x1920), and lowered,
// though never below 640x480, while frames come slowly (the CPU throttled
// through the DevTools protocol, as on a weak machine).
'use strict';

const assert = require('node:assert');
const { test } = require('node:test');

const { open, play, settle, waitForState, useSite } = require('./browser');

const site = useSite();

const canvasSize = (page) => page.$eval('#canvas', (c) => [c.width, c.height]);

test('the drawing buffer stays within what a picture can show', async () => {
  // A large screen at ratio 2, and a phone at ratio 3 (390x292 of picture).
  const screens = [[2560, 1440, 2, [2560, 1920]], [390, 844, 3, [780, 585]]];
  for (const [width, height, deviceScaleFactor, buffer] of screens) {
    const page = await open(site.browser, 'about:blank');
    await page.setViewport({ width, height, deviceScaleFactor });
    await page.goto(`${site.url}/`);
    assert.strictEqual(await waitForState(page, ['ready', 'error']), 'ready');
    assert.deepStrictEqual(await canvasSize(page), buffer, `${width}x${height}`);
    await page.close();
  }
});

test('slow frames lower the resolution, never below 640x480', async () => {
  const page = await open(site.browser, `${site.url}/`);
  const session = await page.createCDPSession();
  await session.send('Emulation.setCPUThrottlingRate', { rate: 6 });
  await play(page);
  const seen = [];
  for (let i = 0; i < 16; ++i) {
    await settle(500);
    seen.push(await canvasSize(page));
  }
  await session.send('Emulation.setCPUThrottlingRate', { rate: 1 });
  assert.ok(seen.some(([w]) => w < 1280), JSON.stringify(seen));
  assert.ok(seen.every(([w, h]) => w >= 640 && h >= 480), JSON.stringify(seen));
  assert.deepStrictEqual(page.problems, []);
  await page.close();
});
