// The site's files as the page fetches them: all requested at once, the
// bytes received counted for the progress bar, and a file that does not come
// named in a line for the visitor (which file, and why).

// A file that never said its length (a compressed response) counts what has
// come of it, so the progress still rises and never goes back.
export class Downloads {
  constructor(onProgress) {
    this.files = [];
    this.fraction = 0;
    this.onProgress = onProgress;
  }

  // Resolves to the file's bytes (an ArrayBuffer; the browser keeps the file
  // in its cache too). Rejects with an Error whose message is the line to
  // show. what: the file as the visitor knows it ("the show's data").
  // read() rejects with the end of that line: why, after "did not load".
  get(name, what) {
    const file = { received: 0, length: 0, started: false };
    this.files.push(file);
    return this.read(name, file).catch((error) => {
      file.started = true; // with nothing to count
      throw new Error(`${what} (${name}) did not load${error.message}`);
    });
  }

  async read(name, file) {
    let response;
    try {
      response = await fetch(name);
    } catch {
      throw new Error(': the connection failed');
    }
    if (!response.ok) {
      const missing = response.status === 404 || response.status === 410;
      throw new Error(` (HTTP ${response.status})${missing ? ': the site is incomplete' : ''}`);
    }
    file.length = Number(response.headers.get('Content-Length')) || 0;
    file.started = true;
    const chunks = [];
    const reader = response.body.getReader();
    for (;;) {
      let chunk;
      try {
        chunk = await reader.read();
      } catch {
        throw new Error(': the connection broke off');
      }
      if (chunk.done) {
        break;
      }
      chunks.push(chunk.value);
      file.received += chunk.value.length;
      this.report();
    }
    const bytes = new Uint8Array(file.received);
    let at = 0;
    for (const chunk of chunks) {
      bytes.set(chunk, at);
      at += chunk.length;
    }
    return bytes.buffer;
  }

  // Counted once every file has answered, so that the first to answer does
  // not fill the bar alone.
  report() {
    if (!this.files.every((file) => file.started)) {
      return;
    }
    let received = 0;
    let expected = 0;
    for (const file of this.files) {
      received += file.received;
      expected += Math.max(file.length, file.received);
    }
    this.fraction = Math.max(this.fraction, received / expected);
    this.onProgress(this.fraction);
  }
}
