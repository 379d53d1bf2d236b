// The record dialog, from the controls or the end screen: the frame size,
// the rate and the range, where the file goes (a file the visitor picks, or
// memory up to 2 GiB where the browser cannot write one), then the
// progress with a cancel, and the file to download with what it is.
import { kMostBytesInMemory } from './recorder.js';

const kFileTypes = {
  'quorvel8.mp4': { description: 'MP4 video', accept: { 'video/mp4': ['.mp4'] } },
  'quorvel8.webm': { description: 'WebM video', accept: { 'video/webm': ['.webm'] } },
};

const byId = (id) => document.getElementById(id);

function clockText(seconds) {
  const whole = Math.max(0, Math.round(seconds));
  return `${Math.floor(whole / 60)}:${String(whole % 60).padStart(2, '0')}`;
}

export class RecordDialog {
  // linkRange: { start, end } of the link (either may be absent), or null.
  // actions: { record(ask, file, onProgress), cancel(), container(ask) },
  // container resolving to the name the file will have.
  constructor(linkRange, actions) {
    this.actions = actions;
    this.linkRange = linkRange;
    this.element = byId('recorder');
    this.url = null;
    byId('record-link').disabled = !linkRange;
    byId('record-link').textContent = linkRange
      ? `the link's range (${linkRange.start ?? 'start'} to ${linkRange.end ?? 'end'})`
      : 'the link\'s range (the link gives none)';
    const picking = typeof window.showSaveFilePicker === 'function';
    byId('record-to-file').hidden = !picking;
    byId('record-to-file-box').checked = picking;
    byId('record-memory').textContent = 'Without a file to write to, the video is made in the '
      + `page's memory: at most ${kMostBytesInMemory / 1024 ** 3} GiB.`;
    byId('record-go').addEventListener('click', () => this.record());
    byId('record-cancel').addEventListener('click', () => this.actions.cancel());
    for (const button of this.element.querySelectorAll('.record-close')) {
      button.addEventListener('click', () => this.close());
    }
    // Keys in the dialog are its own, not the player's.
    this.element.addEventListener('keydown', (event) => event.stopPropagation());
  }

  open() {
    this.show('record-choose');
    if (!this.element.open) {
      this.element.showModal();
    }
    byId('record-go').focus();
  }

  close() {
    if (this.url) {
      URL.revokeObjectURL(this.url);
      this.url = null;
    }
    this.element.close();
  }

  show(part) {
    for (const id of ['record-choose', 'record-making', 'record-done']) {
      byId(id).hidden = id !== part;
    }
  }

  ask() {
    const ask = { size: byId('record-size').value, fps: Number(byId('record-fps').value) };
    if (byId('record-range').value === 'link') {
      Object.assign(ask, this.linkRange);
    }
    return ask;
  }

  async record() {
    const ask = this.ask();
    let file = null;
    if (byId('record-to-file-box').checked && !byId('record-to-file').hidden) {
      const name = await this.actions.container(ask).catch(() => 'quorvel8.mp4');
      try {
        file = await window.showSaveFilePicker({ suggestedName: name, types: [kFileTypes[name]] });
      } catch {
        return; // the visitor chose no file
      }
    }
    this.show('record-making');
    byId('record-bar').value = 0;
    byId('record-progress').textContent = 'rendering the sound';
    const began = performance.now();
    try {
      const made = await this.actions.record(ask, file, (done, total) => {
        byId('record-bar').value = done / total;
        const leftS = (performance.now() - began) / 1000 * (total - done) / done;
        byId('record-progress').textContent =
          `frame ${done} of ${total}, about ${clockText(leftS)} left`;
      });
      this.show('record-done');
      if (file) {
        byId('record-says').textContent = `Saved ${made.says} to ${file.name}.`;
        byId('record-download').hidden = true;
      } else {
        this.url = URL.createObjectURL(made.blob);
        byId('record-says').textContent = `Made ${made.says}.`;
        const link = byId('record-download');
        link.href = this.url;
        link.download = made.file;
        link.textContent = `download ${made.file}`;
        link.hidden = false;
      }
    } catch (error) {
      this.show('record-done');
      byId('record-says').textContent = error.message;
      byId('record-download').hidden = true;
      byId('record-download').removeAttribute('href');
    }
  }
}
