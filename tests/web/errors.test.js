// What a visitor sees when the show cannot play as it should: a file of the
// site that does not load is named on the page, plainly and within seconds
// (without the sound's worklet the show plays on silent, and says so); with
// JavaScript off the page says that it needs it.
'use strict';

const assert = require('node:assert');
const { after, before, test } = require('node:test');

const { launch, open, play, settle, status, waitForState } = require('./browser');
const { serve } = require('./server');
const { SITE } = require('./site');

let browser;

before(async () => {
  browser = await launch();
});

after(async () => {
  await browser?.close();
});

// The page at a server whose site lacks file.
async function without(file, check) {
  const server = await serve({ '/': SITE }, { hide: [file] });
  try {
    const page = await open(browser, `${server.url}/`);
    await check(page);
    // The browser's own lines for the missing file, and nothing else.
    assert.deepStrictEqual(page.problems.filter((p) => !p.includes('404')
      && !p.endsWith(`/${file}`)), [], file);
    await page.close();
  } finally {
    await server.close();
  }
}

test('a file that does not load is named on the page within 10 s', async () => {
  for (const file of ['demodat.data', 'quorvel8.wasm', 'quorvel8.js', 'demodat.js']) {
    await without(file, async (page) => {
      assert.strictEqual(await waitForState(page, ['ready', 'error'], 10000), 'error', file);
      const shown = await page.evaluate(() => ({
        error: window.quorvel8.error,
        message: document.getElementById('message').textContent,
        start: document.getElementById('start').hidden,
      }));
      assert.match(shown.error, new RegExp(`\\(${file.replace('.', '\\.')}\\) did not load `
        + '\\(HTTP 404\\): the site is incomplete$'));
      assert.deepStrictEqual([shown.message, shown.start], [shown.error, true]);
    });
  }
  await without('libopenmpt.worklet.js', async (page) => {
    await play(page, 1000);
    await settle(500);
    const s = await status(page);
    assert.strictEqual(s.clock, 'silent');
    assert.match(s.lines.join('\n'), /^audio: .*\(libopenmpt\.worklet\.js\) did not load .*incomplete/m);
  });
});

test('with JavaScript off the page says that it needs it', async () => {
  const page = await browser.newPage();
  await page.setJavaScriptEnabled(false);
  const server = await serve({ '/': SITE });
  await page.goto(`${server.url}/`);
  const text = await page.evaluate(() => document.body.innerText);
  assert.match(text, /JavaScript/);
  assert.doesNotMatch(text, /loading/);
  await page.close();
  await server.close();
});
