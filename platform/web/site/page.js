// The page around the show: the link's parameters handed to the program,
// window.quorvel8 (state, timeMs, clock, musicMs, error), the logo and
// "click to start" before the click, full screen. Everything the show says
// goes on the page as text, never as markup: a link's values are untrusted.
'use strict';

(function () {
  const status = { state: 'loading', timeMs: 0, clock: null, musicMs: null, error: null };
  window.quorvel8 = status;

  const cover = document.getElementById('cover');
  const logo = document.getElementById('logo');
  const prompt = document.getElementById('prompt');
  const lines = document.getElementById('lines');

  let clicked;
  const click = new Promise((resolve) => { clicked = resolve; });

  // The logo picture from the show's data, before anything plays.
  function showLogo() {
    try {
      const bytes = Module.FS.readFile('/demodat/logo.jpg');
      logo.src = URL.createObjectURL(new Blob([bytes], { type: 'image/jpeg' }));
      logo.hidden = false;
    } catch (e) {
      // No logo in the data: the line alone asks for the click.
    }
  }

  // What the program calls (platform/web/page/PageBridge.cpp).
  const page = {
    says(line) {
      const row = document.createElement('div');
      row.textContent = line;
      lines.appendChild(row);
      console.log(line);
    },
    ready() {
      status.state = 'ready';
      showLogo();
      prompt.textContent = 'click to start';
    },
    click() {
      return click;
    },
    frame(text, timeMs, audible) {
      if (status.state !== 'playing') {
        status.state = 'playing';
        cover.hidden = true;
      }
      status.timeMs = timeMs;
      status.clock = audible ? 'audio' : 'silent';
      // The worklet's own position, as the show heard it for this frame.
      status.musicMs = audible ? globalThis.quorvelAudio.lastHeardMs : null;
    },
    nextFrame() {
      return new Promise((resolve) => requestAnimationFrame(() => resolve()));
    },
    still(text, timeMs) {
      status.timeMs = timeMs;
      status.state = 'still';
      cover.hidden = true;
    },
    ended() {
      status.state = 'ended';
    },
    failed(line) {
      status.error = line;
      status.state = 'error';
      logo.hidden = true;
      prompt.textContent = line;
    },
  };

  // The click is the user gesture browsers ask before they make sound: the
  // sound starts here (WorkletAudio.js), then the show.
  function startOnClick() {
    if (status.state !== 'ready') {
      return;
    }
    if (globalThis.quorvelAudio) {
      globalThis.quorvelAudio.begin();
    }
    clicked();
  }
  document.addEventListener('click', startOnClick);

  function toggleFullscreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen();
    } else {
      document.documentElement.requestFullscreen().catch(() => {});
    }
  }
  // Esc leaves full screen by the browser's own rule.
  document.addEventListener('keydown', (event) => {
    if ((event.key === 'f' || event.key === 'F') && !event.repeat) {
      toggleFullscreen();
    }
  });
  document.addEventListener('dblclick', () => {
    if (!document.fullscreenElement) {
      toggleFullscreen();
    }
  });

  // The link's parameters go to the program as name, value pairs; it reads
  // them by the command line's rules.
  const params = new URLSearchParams(window.location.search);
  const args = [];
  for (const name of ['t', 'start', 'end', 'loop']) {
    if (params.has(name)) {
      args.push(name, params.get(name));
    }
  }

  window.Module = {
    canvas: document.getElementById('canvas'),
    arguments: args,
    quorvel8Page: page,
    print: (line) => page.says(line),
    printErr: (line) => page.says(line),
  };
})();
