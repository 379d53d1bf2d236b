// Where the builds are, the native program's screenshots, and a copy of the
// page with a data package of the test's own.
'use strict';

const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');

const ROOT = path.resolve(__dirname, '..', '..');
const NATIVE_BUILD = path.resolve(process.env.QUORVEL8_BUILD || path.join(ROOT, 'build'));
const WEB_BUILD = path.resolve(process.env.QUORVEL8_WEB_BUILD || path.join(ROOT, 'build-web'));
// What a static server serves: the site alone.
const SITE = path.join(WEB_BUILD, 'site');
const PACKAGER = process.env.FILE_PACKAGER || '/usr/share/emscripten/tools/file_packager.py';

// The native program's frame at time (a command line TIME), 1280x960 unless
// size says otherwise.
function nativeScreenshot(time, file, dataFolder, size = '1280x960') {
  const args = ['--screenshot', time, file, '--size', size];
  if (dataFolder) {
    args.push('--data', dataFolder);
  }
  execFileSync(path.join(NATIVE_BUILD, 'quorvel8'), args, { stdio: 'pipe' });
}

// A site in folder: the web build's site with dataFolder packaged as the
// show's data.
function siteWithData(folder, dataFolder) {
  fs.cpSync(SITE, folder, { recursive: true });
  execFileSync('python3', [PACKAGER, path.join(folder, 'demodat.data'),
    '--preload', `${dataFolder}@/demodat`, `--js-output=${path.join(folder, 'demodat.js')}`],
  { stdio: 'pipe' });
}

module.exports = { ROOT, NATIVE_BUILD, SITE, nativeScreenshot, siteWithData };
