// The player's controls while the show plays, as a video player has them:
// play/pause, mute and full screen along the bottom, shown when the pointer
// moves or on a tap and hidden with the cursor after a while; kept in view
// while paused. Keys: Space or K pause and resume, M mutes, F goes full
// screen (Esc leaves it, by the browser's own rule). A key with Ctrl, Alt or
// Meta stays the browser's (Ctrl+F finds).

const kHideAfterMs = 2000;

export class Controls {
  // actions: { togglePause(), toggleMute() }, each keeping the page's state.
  constructor(actions) {
    this.element = document.getElementById('controls');
    this.playButton = document.getElementById('play');
    this.muteButton = document.getElementById('mute');
    this.active = false;
    this.paused = false;
    this.hideTimer = 0;

    this.playButton.addEventListener('click', () => actions.togglePause());
    this.muteButton.addEventListener('click', () => actions.toggleMute());
    document.getElementById('fullscreen').addEventListener('click', toggleFullscreen);
    for (const type of ['pointermove', 'pointerdown']) {
      document.addEventListener(type, () => this.show());
    }
    document.addEventListener('dblclick', (event) => {
      if (this.active && !event.target.closest('#controls')) {
        toggleFullscreen();
      }
    });
    document.addEventListener('keydown', (event) => {
      if (!this.active || event.ctrlKey || event.altKey || event.metaKey) {
        return;
      }
      const key = event.key.toLowerCase();
      if (key === ' ' || key === 'k') {
        // Also keeps Space from pressing a focused button.
        event.preventDefault();
        actions.togglePause();
      } else if (key === 'm') {
        actions.toggleMute();
      } else if (key === 'f' && !event.repeat) {
        toggleFullscreen();
      } else {
        return;
      }
      this.show();
    });
  }

  // While the show plays (and is paused) the controls answer.
  setActive(active) {
    this.active = active;
    this.element.hidden = !active;
    if (active) {
      this.show();
    } else {
      clearTimeout(this.hideTimer);
      document.body.classList.remove('idle');
    }
  }

  setPaused(paused) {
    this.paused = paused;
    document.body.classList.toggle('paused', paused);
    this.playButton.setAttribute('aria-label', paused ? 'play' : 'pause');
    this.playButton.title = paused ? 'play (Space, K)' : 'pause (Space, K)';
    this.show();
  }

  setMuted(muted) {
    document.body.classList.toggle('muted', muted);
    this.muteButton.setAttribute('aria-label', muted ? 'sound on' : 'mute');
  }

  show() {
    if (!this.active) {
      return;
    }
    document.body.classList.remove('idle');
    clearTimeout(this.hideTimer);
    if (!this.paused) {
      this.hideTimer = setTimeout(() => document.body.classList.add('idle'), kHideAfterMs);
    }
  }
}

// Full screen for the whole page, so the controls come along; a phone turns
// to landscape there where the browser allows it.
function toggleFullscreen() {
  if (document.fullscreenElement) {
    document.exitFullscreen();
  } else if (document.fullscreenEnabled) {
    document.documentElement.requestFullscreen()
      .then(() => screen.orientation?.lock?.('landscape'))
      .catch(() => {});
  }
}
