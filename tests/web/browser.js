// Headless Chromium (the system's) driven through puppeteer-core, software
// WebGL through SwiftShader; pages open in a 1280x960 viewport.
'use strict';

const puppeteer = require('puppeteer-core');

const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';

function launch() {
  return puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    args: [
      '--no-sandbox',
      '--use-angle=swiftshader',
      '--enable-unsafe-swiftshader',
      '--autoplay-policy=no-user-gesture-required',
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

module.exports = { launch, open, waitForState };
