// A video file read back with Debian's ffmpeg: its streams as ffprobe counts
// them, one frame as a PNG, and the loudness of its sound in 50 ms bins.
'use strict';

const { execFileSync } = require('node:child_process');

const run = (program, args) => execFileSync(program, ['-v', 'error', ...args],
  { maxBuffer: 1 << 30 });

// [{ codec_name, width, height, r_frame_rate, nb_read_frames, duration }, ...]
function streams(file) {
  return JSON.parse(run('ffprobe', ['-count_frames', '-show_entries',
    'stream=codec_name,width,height,r_frame_rate,nb_read_frames,duration', '-of', 'json',
    file])).streams;
}

function framePng(file, frame, png) {
  run('ffmpeg', ['-y', '-i', file, '-vf', `select=eq(n\\,${frame})`, '-frames:v', '1', png]);
}

// Root mean square of the sound (mono, 48 kHz) in bins of 50 ms.
function envelope(file) {
  const bytes = run('ffmpeg', ['-i', file, '-vn', '-ac', '1', '-ar', '48000', '-f', 'f32le', '-']);
  const samples = new Float32Array(bytes.buffer, bytes.byteOffset, bytes.length / 4);
  const bin = 2400;
  const bins = [];
  for (let i = 0; i + bin <= samples.length; i += bin) {
    let sum = 0;
    for (let j = i; j < i + bin; ++j) {
      sum += samples[j] * samples[j];
    }
    bins.push(Math.sqrt(sum / bin));
  }
  return bins;
}

// Pearson's correlation of two series over their common length.
function correlation(x, y) {
  const n = Math.min(x.length, y.length);
  const mean = (v) => v.slice(0, n).reduce((a, b) => a + b, 0) / n;
  const [mx, my] = [mean(x), mean(y)];
  let [xy, xx, yy] = [0, 0, 0];
  for (let i = 0; i < n; ++i) {
    xy += (x[i] - mx) * (y[i] - my);
    xx += (x[i] - mx) ** 2;
    yy += (y[i] - my) ** 2;
  }
  return xy / Math.sqrt(xx * yy);
}

module.exports = { streams, framePng, envelope, correlation };
