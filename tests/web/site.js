// Where the builds are, the native program's screenshots, and a copy of the
// page with a data package of the test's own.
'use strict';

const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');

const ROOT = path.resolve(__dirname, '..', '..');
const NATIVE_BUILD = path.resolve(process.env.QUORVEL8_BUILD || path.join(ROOT, 'build'));
const WEB_BUILD = path.resolve(process.env.QUORVEL8_WEB_BUILD || path.join(ROOT, 'build-web'));
const PACKAGER = process.env.FILE_PACKAGER || '/usr/share/emscripten/tools/file_packager.py';

// The native program's frame at time (a command line TIME) in 1280x960.
function nativeScreenshot(time, file, dataFolder) {
  const args = ['--screenshot', time, file, '--size', '1280x960'];
  if (dataFolder) {
    args.push('--data', dataFolder);
  }
  execFileSync(path.join(NATIVE_BUILD, 'quorvel8'), args, { stdio: 'pipe' });
}

// A site in folder: the web build's page and program with dataFolder
// packaged as the show's data.
function siteWithData(folder, dataFolder) {
  for (const file of ['index.html', 'page.js', 'page.css', 'quorvel8.js', 'quorvel8.wasm',
    'WorkletAudio.js', 'chiptune3.js', 'chiptune3.worklet.js', 'libopenmpt.worklet.js']) {
    fs.copyFileSync(path.join(WEB_BUILD, file), path.join(folder, file));
  }
  execFileSync('python3', [PACKAGER, path.join(folder, 'demodat.data'),
    '--preload', `${dataFolder}@/demodat`, `--js-output=${path.join(folder, 'demodat.js')}`],
  { stdio: 'pipe' });
}

module.exports = { ROOT, NATIVE_BUILD, WEB_BUILD, nativeScreenshot, siteWithData };
