// Compares the page's canvas with a reference PNG, in the page: the mean
// difference per channel (levels) and the share of pixels with a channel off
// by more than 24 levels.
'use strict';

async function compareCanvas(page, referenceUrl) {
  return page.evaluate(async (url) => {
    const picture = new Image();
    picture.src = url;
    await picture.decode();
    const width = picture.naturalWidth;
    const height = picture.naturalHeight;
    const shown = document.getElementById('canvas');
    if (shown.width !== width || shown.height !== height) {
      return { error: `canvas ${shown.width}x${shown.height}, reference ${width}x${height}` };
    }
    const scratch = document.createElement('canvas');
    scratch.width = width;
    scratch.height = height;
    const g = scratch.getContext('2d', { willReadFrequently: true });
    g.drawImage(picture, 0, 0);
    const reference = g.getImageData(0, 0, width, height).data;
    g.clearRect(0, 0, width, height);
    g.drawImage(shown, 0, 0);
    const drawn = g.getImageData(0, 0, width, height).data;
    let sum = 0;
    let far = 0;
    for (let i = 0; i < reference.length; i += 4) {
      let worst = 0;
      for (let c = 0; c < 3; ++c) {
        const d = Math.abs(reference[i + c] - drawn[i + c]);
        sum += d;
        worst = Math.max(worst, d);
      }
      if (worst > 24) {
        ++far;
      }
    }
    return { mean: sum / (width * height * 3), farShare: far / (width * height) };
  }, referenceUrl);
}

module.exports = { compareCanvas };
