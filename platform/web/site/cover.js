// The cover before the show: the logo, the progress bar while the site
// loads, the start button, and what went wrong when the show cannot play.
// The start is a real button that shows as waiting (aria-disabled, not
// disabled: a click on it must still be the gesture that lets the sound
// play) until picture and sound can both start; a click or key before then
// is remembered, and the page starts the show as soon as it can.

const kStartKeys = ['Enter', ' '];

export class Cover {
  // onWish: a click or key asked for the show, in the gesture's handler.
  constructor(onWish) {
    this.element = document.getElementById('cover');
    this.progress = document.getElementById('progress');
    this.button = document.getElementById('start');
    this.message = document.getElementById('message');
    this.wished = false;
    this.failed = false;
    // The scripts run: the line for a page whose scripts never did goes.
    document.getElementById('stalled').remove();
    this.progress.hidden = false;
    this.button.hidden = false;
    this.button.focus();

    const wish = () => {
      if (this.failed || this.element.hidden) {
        return;
      }
      if (!this.wished && this.button.getAttribute('aria-disabled') === 'true') {
        this.button.textContent = 'starting as soon as it has loaded';
      }
      this.wished = true;
      onWish();
    };
    // A click on the button, or Enter or Space on it, reaches the cover.
    this.element.addEventListener('click', wish);
    document.addEventListener('keydown', (event) => {
      if (!this.element.hidden && kStartKeys.includes(event.key) && event.target !== this.button) {
        event.preventDefault();
        wish();
      }
    });
  }

  setProgress(fraction) {
    this.progress.value = fraction;
  }

  // Picture and sound can start.
  offerStart() {
    const touchOnly = matchMedia('(any-pointer: coarse)').matches
      && !matchMedia('(any-pointer: fine)').matches;
    this.progress.hidden = true;
    this.button.textContent = touchOnly ? 'tap to start' : 'click to start';
    this.button.setAttribute('aria-disabled', 'false');
  }

  fail(line) {
    this.failed = true;
    this.element.classList.add('failed');
    this.element.hidden = false;
    this.progress.hidden = true;
    this.button.hidden = true;
    this.message.textContent = line;
  }

  hide() {
    this.element.hidden = true;
  }
}
