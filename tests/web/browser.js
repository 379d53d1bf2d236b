// Headless Chromium (the system's) driven through puppeteer-core, software
// WebGL through SwiftShader; pages open in a 1280x960 viewport.
'use strict';

const { after, before } = require('node:test');
const puppeteer = require('puppeteer-core');

const { serve } = require('./server');
const { SITE } = require('./site');

const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';

// gestureForSound: the browser's own rule, sound only after a visitor's
// gesture; by default sound may start without one.
function launch({ gestureForSound = false } = {}) {
  return puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    args: [
      '--no-sandbox',
      '--use-angle=swiftshader',
      '--enable-unsafe-swiftshader',
      ...(gestureForSound ? [] : ['--autoplay-policy=no-user-gesture-required']),
      '--window-size=1280,960',
    ],
  });
}

// A page at url whose console errors and uncaught exceptions are collected
// into page.problems. before: run in the page before its scripts.
async function open(browser, url, before) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 960, deviceScaleFactor: 1 });
  page.problems = [];
  page.on('console', (message) => {
    if (message.type() === 'error') {
      page.problems.push(message.text());
    }
  });
  page.on('pageerror', (error) => page.problems.push(String(error)));
  page.on('requestfailed', (request) => page.problems.push('failed: ' + request.url()));
  if (before) {
    await page.evaluateOnNewDocument(before);
  }
  await page.goto(url, { waitUntil: 'load' });
  return page;
}

// Waits until window.quorvel8.state is one of states (default timeout 30 s);
// resolves to the state reached.
async function waitForState(page, states, timeout = 30000) {
  await page.waitForFunction(
    (wanted) => window.quorvel8 && wanted.includes(window.quorvel8.state),
    { timeout, polling: 50 },
    states,
  );
  return page.evaluate(() => window.quorvel8.state);
}

// window.quorvel8 now, with workletS: the music's own position in the
// worklet, in seconds (undefined without one).
function status(page) {
  return page.evaluate(() => ({
    ...window.quorvel8,
    workletS: window.quorvelAudio.player?.currentTime,
  }));
}

// Starts the show as a visitor does, with a click on the start button once
// it is offered, and waits until the demo time has reached timeMs.
async function play(page, timeMs = 0) {
  if (await waitForState(page, ['ready', 'error']) === 'error') {
    throw new Error((await status(page)).error);
  }
  await page.click('#start');
  await page.waitForFunction((ms) => window.quorvel8.state === 'playing'
    && window.quorvel8.timeMs >= ms, { timeout: 30000, polling: 50 }, timeMs);
}

const settle = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The site served and a browser launched for the tests of one file, both
// closed after them: site.url and site.browser once the tests run.
function useSite() {
  const site = {};
  before(async () => {
    site.server = await serve({ '/': SITE });
    site.url = site.server.url;
    site.browser = await launch();
  });
  after(async () => {
    await site.browser?.close();
    await site.server?.close();
  });
  return site;
}

module.exports = { launch, open, waitForState, status, play, settle, useSite };
