// The end screen over the show's last frame: the credits, a replay button
// (Enter or Space on it, or a click) and the record dialog's.

export class EndScreen {
  constructor() {
    this.element = document.getElementById('end');
    this.button = document.getElementById('replay');
    // Enter or Space anywhere but on another button, should the button have
    // lost the focus.
    document.addEventListener('keydown', (event) => {
      if (!this.element.hidden && ['Enter', ' '].includes(event.key)
        && !event.target.closest?.('button')) {
        event.preventDefault();
        this.button.click();
      }
    });
  }

  // Resolves when the viewer asks for the show again.
  show() {
    this.element.hidden = false;
    this.button.focus();
    return new Promise((resolve) => {
      this.button.addEventListener('click', () => {
        this.element.hidden = true;
        resolve();
      }, { once: true });
    });
  }
}
