// A recording made in the page: the program renders the frames
// (platform/web/page/PageRecording.cpp) and hands each one over here, where
// it is put between the bars of its frame, encoded by the browser
// (WebCodecs, through mediabunny) and muxed with the show's sound rendered
// offline (soundTrack.js). H.264 + Opus in MP4, or VP9 + Opus in WebM where
// the browser encodes no H.264. The file goes to one the visitor picked
// (streamed: the page's memory stays bounded), or to memory up to
// kMostBytesInMemory.
import {
  AudioSample, AudioSampleSource, BufferTarget, CanvasSource, Mp4OutputFormat, Output,
  StreamTarget, WebMOutputFormat, canEncodeVideo,
} from './mediabunny.js';
import { kSoundRate, soundOfRange } from './soundTrack.js';

export const kMostBytesInMemory = 2 * 1024 ** 3;
// Bits a pixel a frame: small files that keep the picture's edges.
const kBitsPerPixel = 0.2;
const kSoundBitrate = 128000;
// The sound goes to the muxer a second at a time, alongside the frames.
const kSoundChunkS = 1;

const kContainers = [
  { codec: 'avc', format: () => new Mp4OutputFormat(), type: 'video/mp4', file: 'quorvel8.mp4',
    says: 'an MP4 (H.264 + Opus)' },
  { codec: 'vp9', format: () => new WebMOutputFormat(), type: 'video/webm', file: 'quorvel8.webm',
    says: 'a WebM (VP9 + Opus): this browser encodes no H.264' },
];

// The first container whose video this browser encodes at this size.
async function chooseContainer(width, height, bitrate) {
  for (const container of kContainers) {
    if (await canEncodeVideo(container.codec, { width, height, bitrate })) {
      return container;
    }
  }
  throw new Error(`record: this browser encodes neither H.264 nor VP9 at ${width}x${height}`);
}

// The file's name a recording of ask ({ size, fps }) will have here.
export async function containerFor(ask) {
  const [width, height] = String(ask.size).split('x').map(Number);
  return (await chooseContainer(width, height, kBitsPerPixel * width * height * ask.fps)).file;
}

export class Recording {
  // ask: { size, fps, start, end } as given; file: a FileSystemFileHandle
  // the visitor picked, or null for memory. onProgress(done, total).
  constructor(ask, file, sound, onProgress) {
    this.ask = ask;
    this.file = file;
    this.sound = sound; // { bytes, volume } of the show's music
    this.onProgress = onProgress;
    this.cancelled = false;
    this.result = new Promise((resolve, reject) => {
      this.resolve = resolve;
      this.reject = reject;
    });
  }

  cancel() {
    this.cancelled = true;
  }

  // The program's calls (PageBridge.cpp), each true to go on.
  refused(line) {
    this.reject(new Error(line));
  }

  async begins({ frames, width, height, x, y, num, den, startMs, anchorMs }) {
    try {
      const fps = num / den;
      const bitrate = Math.round(kBitsPerPixel * width * height * fps);
      this.container = await chooseContainer(width, height, bitrate);
      const seconds = frames * den / num;
      if (!this.file && (bitrate + kSoundBitrate) * seconds / 8 > kMostBytesInMemory) {
        throw new Error('record: the file would pass the 2 GiB a page may hold; '
          + 'choose a file to save to, a smaller size or a shorter range');
      }
      this.frames = frames;
      this.frameS = (n) => n * den / num;
      this.picture = { x, y };
      this.canvas = new OffscreenCanvas(width, height);
      this.drawing = this.canvas.getContext('2d', { alpha: false });
      this.shown = document.getElementById('canvas');
      this.writable = this.file ? await this.file.createWritable() : null;
      this.output = new Output({
        format: this.container.format(),
        target: this.writable ? new StreamTarget(this.writable, { chunked: true })
          : new BufferTarget(),
      });
      this.video = new CanvasSource(this.canvas, {
        codec: this.container.codec, bitrate, latencyMode: 'quality', keyFrameInterval: 2,
      });
      this.output.addVideoTrack(this.video, { frameRate: fps });
      this.audio = new AudioSampleSource({ codec: 'opus', bitrate: kSoundBitrate });
      this.output.addAudioTrack(this.audio);
      // Sample i of the sound lies at the range's start plus i / 48000 s.
      this.soundCount = Math.round(seconds * kSoundRate);
      this.soundData = await soundOfRange(this.sound.bytes, this.sound.volume, anchorMs, startMs,
        this.soundCount);
      this.soundDone = 0;
      await this.output.start();
      return !this.cancelled;
    } catch (error) {
      this.failure = error;
      return false;
    }
  }

  async frame(n) {
    try {
      if (this.cancelled) {
        return false;
      }
      const { width, height } = this.canvas;
      this.drawing.fillStyle = '#000';
      this.drawing.fillRect(0, 0, width, height);
      this.drawing.drawImage(this.shown, this.picture.x, this.picture.y);
      await this.video.add(this.frameS(n), this.frameS(n + 1) - this.frameS(n));
      await this.addSound(Math.round(this.frameS(n + 1) * kSoundRate), kSoundChunkS * kSoundRate);
      this.onProgress(n + 1, this.frames);
      return !this.cancelled;
    } catch (error) {
      this.failure = error;
      return false;
    }
  }

  // The sound up to sample `until`, in pieces of at least `least` samples.
  async addSound(until, least) {
    const end = Math.min(until, this.soundCount);
    if (end - this.soundDone < least) {
      return;
    }
    const count = end - this.soundDone;
    const planar = new Float32Array(2 * count);
    planar.set(this.soundData.subarray(this.soundDone, end));
    planar.set(this.soundData.subarray(this.soundCount + this.soundDone, this.soundCount + end),
      count);
    const sample = new AudioSample({ data: planar, format: 'f32-planar', numberOfChannels: 2,
      sampleRate: kSoundRate, timestamp: this.soundDone / kSoundRate });
    await this.audio.add(sample);
    sample.close();
    this.soundDone = end;
  }

  async ends(complete) {
    try {
      if (complete && !this.cancelled && !this.failure) {
        await this.addSound(this.soundCount, 1);
        await this.output.finalize();
        const blob = this.writable ? await this.file.getFile()
          : new Blob([this.output.target.buffer], { type: this.container.type });
        this.resolve({ blob, file: this.container.file, says: this.container.says });
        return true;
      }
    } catch (error) {
      this.failure = error;
    }
    await this.discard();
    this.reject(this.cancelled ? new Error('record: cancelled')
      : new Error(this.failure?.message.startsWith('record:') ? this.failure.message
        : `record: the file could not be made (${this.failure?.message ?? 'stopped'})`));
    return false;
  }

  // Nothing of a stopped recording stays: the output, a picked file.
  async discard() {
    this.soundData = null;
    await this.output?.cancel().catch(() => {});
    if (this.file) {
      await this.writable?.abort().catch(() => {});
      await this.file.remove?.().catch(() => {});
    }
  }
}
