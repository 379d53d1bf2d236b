// A static file server on 127.0.0.1 for the page tests: each URL prefix maps
// to a folder; the port is the system's choice. Files are cacheable, as a
// static host serves them. Options: bytesPerSecond makes every response share
// one link of that speed (the browser's own throttling does not slow an audio
// worklet's fetch); hide answers 404 for the files named.
'use strict';

const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.css': 'text/css',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.png': 'image/png',
  '.jpg': 'image/jpeg',
};
const CHUNK = 16384;

// Each chunk waits for its turn on the one link.
function link(bytesPerSecond) {
  let freeAtMs = Date.now();
  return (bytes) => {
    const nowMs = Date.now();
    freeAtMs = Math.max(nowMs, freeAtMs) + (bytes * 1000) / bytesPerSecond;
    return new Promise((resolve) => setTimeout(resolve, freeAtMs - nowMs));
  };
}

async function send(response, file, wait) {
  const bytes = fs.readFileSync(file);
  for (let at = 0; at < bytes.length && !response.destroyed; at += CHUNK) {
    const chunk = bytes.subarray(at, at + CHUNK);
    await wait(chunk.length);
    response.write(chunk);
  }
  response.end();
}

// roots: { '/': siteFolder, '/ref/': referenceFolder }. Resolves to
// { url, requests: { '/path': count }, close() }.
function serve(roots, { bytesPerSecond = 0, hide = [] } = {}) {
  const prefixes = Object.keys(roots).sort((a, b) => b.length - a.length);
  const wait = bytesPerSecond > 0 ? link(bytesPerSecond) : () => null;
  const requests = {};
  // A link may be long: the page cuts what it quotes of it.
  const server = http.createServer({ maxHeaderSize: 1 << 20 }, (request, response) => {
    const pathname = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    requests[pathname] = (requests[pathname] || 0) + 1;
    const prefix = prefixes.find((p) => pathname.startsWith(p));
    const root = prefix !== undefined ? path.resolve(roots[prefix]) : null;
    let file = root ? path.resolve(root, '.' + pathname.slice(prefix.length - 1)) : null;
    if (file && pathname.endsWith('/')) {
      file = path.join(file, 'index.html');
    }
    if (!file || !file.startsWith(root + path.sep) || !fs.existsSync(file)
      || hide.includes(path.basename(file))) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, {
      'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream',
      'Content-Length': fs.statSync(file).size,
      'Cache-Control': 'max-age=600',
    });
    send(response, file, wait);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      resolve({
        url: `http://127.0.0.1:${server.address().port}`,
        requests,
        close: () => new Promise((done) => {
          server.closeAllConnections();
          server.close(done);
        }),
      });
    });
  });
}

module.exports = { serve };
