// The show's page in headless Chromium: it loads cleanly under its own
// Content-Security-Policy and offers the start, its still frames equal the
// native program's screenshots (also after the window changes size), and bad
// links and bad data get the program's answers, shown as text.
'use strict';

const assert = require('node:assert');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { after, before, describe, test } = require('node:test');

const { launch, open, waitForState } = require('./browser');
const { compareCanvas } = require('./compare');
const { serve } = require('./server');
const { NATIVE_BUILD, SITE, nativeScreenshot, siteWithData } = require('./site');

// One or more times in each of the show's eight sections.
const TIMES = ['4.5', '18', '36', '49.5', '58.5', '1:10', '1:40', '1:57', '2:15'];
const MEAN_LIMIT = 3;
const FAR_LIMIT = 0.01;

let browser;
let server;
let scratch;

before(async () => {
  scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'quorvel8-web-'));
  fs.mkdirSync(path.join(scratch, 'ref'));
  fs.mkdirSync(path.join(scratch, 'site'));
  server = await serve({ '/': SITE, '/ref/': path.join(scratch, 'ref'),
    '/package/': path.join(scratch, 'site') });
  browser = await launch();
});

after(async () => {
  await browser?.close();
  await server?.close();
  fs.rmSync(scratch, { recursive: true, force: true });
});

async function stateOf(page) {
  return page.evaluate(() => ({
    ...window.quorvel8,
    message: document.getElementById('message').textContent,
  }));
}

describe('the page', () => {
  test('loads without a console error under a policy that runs only its own files', async () => {
    const page = await open(browser, `${server.url}/`);
    assert.strictEqual(await waitForState(page, ['ready', 'error']), 'ready');
    const shown = await page.evaluate(() => {
      const logo = document.getElementById('logo');
      const start = document.getElementById('start');
      return {
        logo: logo.complete && logo.naturalWidth > 0,
        canvas: [document.getElementById('canvas').width, document.getElementById('canvas').height],
        scrolls: document.documentElement.scrollHeight > window.innerHeight
          || document.documentElement.scrollWidth > window.innerWidth,
        start: [start.textContent, start.getAttribute('aria-disabled'), document.activeElement === start],
      };
    });
    assert.deepStrictEqual(shown, { logo: true, canvas: [1280, 960], scrolls: false,
      start: ['click to start', 'false', true] });
    assert.deepStrictEqual(page.problems, []);
    // Markup that would run a script of its own is refused, and said so.
    const refused = await page.evaluate(() => new Promise((resolve) => {
      document.addEventListener('securitypolicyviolation', (e) => resolve(e.effectiveDirective));
      const script = document.createElement('script');
      script.textContent = 'window.ran = 1';
      document.body.append(script);
    }));
    assert.strictEqual(refused, 'script-src-elem');
    await page.close();
  });

  test('draws each still frame as the native program does', async (t) => {
    const results = [];
    for (const time of TIMES) {
      const name = `${time.replace(':', '-')}.png`;
      nativeScreenshot(time, path.join(scratch, 'ref', name));
      const page = await open(browser, `${server.url}/?t=${time}`);
      assert.strictEqual(await waitForState(page, ['still', 'error']), 'still', time);
      const difference = await compareCanvas(page, `${server.url}/ref/${name}`);
      assert.deepStrictEqual(page.problems, [], time);
      results.push({ time, ...difference });
      await page.close();
    }
    for (const r of results) {
      t.diagnostic(`${r.time}: mean ${r.mean?.toFixed(3)}, off by more than 24: `
        + `${((r.farShare ?? 1) * 100).toFixed(3)} %`);
    }
    for (const r of results) {
      assert.ok(r.mean <= MEAN_LIMIT && r.farShare <= FAR_LIMIT, JSON.stringify(r));
    }
  });

  test('refuses what the program refuses, with the program\'s line', async () => {
    const refused = {
      '?t=2:30': 'quorvel8: --screenshot 2:30 is past the end of the show, which lasts 2:24',
      '?t=5&start=3': 'quorvel8: --start does nothing with --screenshot; it is for live play, '
        + '--shots, --capture',
      '?start=20&end=10': 'quorvel8: --end 10 is not after --start 20',
      '?start=': "quorvel8: --start: expected a value, got ''",
    };
    for (const [link, line] of Object.entries(refused)) {
      const page = await open(browser, `${server.url}/${link}`);
      assert.strictEqual(await waitForState(page, ['ready', 'still', 'error']), 'error', link);
      const state = await stateOf(page);
      assert.strictEqual(state.error, line);
      assert.strictEqual(state.message, line);
      assert.deepStrictEqual(page.problems, [], link);
      await page.close();
    }
  });

  test('shows a link\'s value as text, cut short and in its own direction, and runs none of it',
    async () => {
      const markup = '<img src=x onerror="window.ran=1">';
      const values = {
        [markup]: `'${markup}'`,
        // A right-to-left override and 60,000 characters.
        [`\u202e${'x'.repeat(60000)}`]: `'\\u{202e}${'x'.repeat(79)}\u2026'`,
      };
      for (const [value, quoted] of Object.entries(values)) {
        const page = await open(browser, `${server.url}/?t=${encodeURIComponent(value)}`);
        assert.strictEqual(await waitForState(page, ['still', 'error']), 'error');
        const state = await stateOf(page);
        assert.strictEqual(state.error, `quorvel8: --screenshot: malformed time ${quoted}`);
        assert.strictEqual(state.message, state.error);
        const shown = await page.evaluate(() => ({
          ran: window.ran === 1,
          images: document.querySelectorAll('img').length,
          fits: document.getElementById('message').getBoundingClientRect().right
            <= window.innerWidth,
          direction: getComputedStyle(document.getElementById('message')).unicodeBidi,
        }));
        assert.deepStrictEqual(shown, { ran: false, images: 1, fits: true, direction: 'isolate' });
        await page.close();
      }
    });

  test('draws a still frame again, at full size, when the window changes size', async () => {
    nativeScreenshot('1:10', path.join(scratch, 'ref', 'small.png'), undefined, '800x600');
    const page = await open(browser, `${server.url}/?t=1:10`);
    assert.strictEqual(await waitForState(page, ['still', 'error']), 'still');
    await page.setViewport({ width: 800, height: 600, deviceScaleFactor: 1 });
    await page.waitForFunction(() => document.getElementById('canvas').width === 800);
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
    const difference = await compareCanvas(page, `${server.url}/ref/small.png`);
    assert.ok(difference.mean <= MEAN_LIMIT && difference.farShare <= FAR_LIMIT,
      JSON.stringify(difference));
    await page.close();
  });

  test('stands a checkerboard in for a missing picture and says so', async () => {
    const data = path.join(scratch, 'data');
    fs.cpSync(path.join(NATIVE_BUILD, 'demodat'), data, { recursive: true });
    fs.rmSync(path.join(data, 'wortel.jpg'));
    siteWithData(path.join(scratch, 'site'), data);
    nativeScreenshot('58.5', path.join(scratch, 'ref', 'no-wortel.png'), data);

    const page = await open(browser, `${server.url}/package/?t=58.5`);
    assert.strictEqual(await waitForState(page, ['still', 'error']), 'still');
    const state = await stateOf(page);
    assert.deepStrictEqual(state.lines,
      ['picture: [wortel.jpg] not found; a checkerboard stands in']);
    const difference = await compareCanvas(page, `${server.url}/ref/no-wortel.png`);
    assert.ok(difference.mean <= MEAN_LIMIT && difference.farShare <= FAR_LIMIT,
      JSON.stringify(difference));
    await page.close();
  });
});
