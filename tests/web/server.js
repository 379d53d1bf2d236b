// A static file server on 127.0.0.1 for the page tests: each URL prefix maps
// to a folder; the port is the system's choice.
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
};

// roots: { '/': siteFolder, '/ref/': referenceFolder }. Resolves to
// { url, close() }.
function serve(roots) {
  const prefixes = Object.keys(roots).sort((a, b) => b.length - a.length);
  const server = http.createServer((request, response) => {
    const pathname = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    const prefix = prefixes.find((p) => pathname.startsWith(p));
    const root = prefix !== undefined ? path.resolve(roots[prefix]) : null;
    let file = root ? path.resolve(root, '.' + pathname.slice(prefix.length - 1)) : null;
    if (file && pathname.endsWith('/')) {
      file = path.join(file, 'index.html');
    }
    if (!file || !file.startsWith(root + path.sep) || !fs.existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, {
      'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream',
      'Cache-Control': 'no-store',
    });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      resolve({
        url: `http://127.0.0.1:${server.address().port}`,
        close: () => new Promise((done) => server.close(done)),
      });
    });
  });
}

module.exports = { serve };
