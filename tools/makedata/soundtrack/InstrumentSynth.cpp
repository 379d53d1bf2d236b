// Every sound is computed from time in seconds and a fixed-seed noise source;
// nothing reads the clock or the machine, so the samples are the same on every build.
#include "tools/makedata/soundtrack/InstrumentSynth.h"

#include "tools/makedata/SeededRandom.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kBaseRateHz = 8363.0; // what C-4 plays at with no relative note

std::vector<double> Silence(double sampleRate, double seconds) {
    return std::vector<double>(static_cast<std::size_t>(sampleRate * seconds), 0.0);
}

// A click-free start: 1 ms rising from zero.
double Attack(double t) {
    return std::min(1.0, t / 0.001);
}

// One-pole high-pass: keeps the hiss and sizzle of cymbals, drops the rumble.
void HighPass(std::vector<double>& signal, double sampleRate, double cutoffHz) {
    const double rc = 1.0 / (kTwoPi * cutoffHz);
    const double a = rc / (rc + 1.0 / sampleRate);
    double previousIn = 0.0;
    double previousOut = 0.0;
    for (double& x : signal) {
        const double out = a * (previousOut + x - previousIn);
        previousIn = x;
        previousOut = out;
        x = out;
    }
}

// Six detuned square waves: the metallic ring of hats and cymbals.
double Metal(double t, double scale) {
    static constexpr double kHz[] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
    double sum = 0.0;
    for (const double hz : kHz) {
        sum += std::sin(kTwoPi * hz * scale * t) >= 0.0 ? 1.0 : -1.0;
    }
    return sum / 6.0;
}

std::vector<double> Cymbal(double sampleRate, double seconds, double decaySeconds,
                           double metalScale, double cutoffHz, std::uint32_t seed) {
    SeededRandom random(seed);
    std::vector<double> signal = Silence(sampleRate, seconds);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double body = 0.55 * random.Bipolar() + 0.45 * Metal(t, metalScale);
        signal[i] = body * Attack(t) * std::exp(-t / decaySeconds);
    }
    HighPass(signal, sampleRate, cutoffHz);
    HighPass(signal, sampleRate, cutoffHz);
    return signal;
}

// One cycle of `numFrames` frames: partials with the given amplitude per harmonic.
template <typename Amplitude>
std::vector<double> SingleCycle(int numFrames, int numHarmonics, Amplitude amplitude) {
    std::vector<double> cycle(static_cast<std::size_t>(numFrames), 0.0);
    for (int k = 1; k <= numHarmonics; ++k) {
        const double a = amplitude(k);
        for (int i = 0; i < numFrames; ++i) {
            cycle[static_cast<std::size_t>(i)] += a * std::sin(kTwoPi * k * i / numFrames);
        }
    }
    return cycle;
}

// Soft clipping after scaling to a peak of 1: more body for the same peak.
// Applied frame by frame, so a signal that loops still loops.
std::vector<double> Saturate(std::vector<double> signal, double drive) {
    double largest = 0.0;
    for (const double x : signal) {
        largest = std::max(largest, std::abs(x));
    }
    for (double& x : signal) {
        x = std::tanh(drive * x / largest);
    }
    return signal;
}

double SoftRolloff(int k, double cornerHarmonic) {
    const double x = k / cornerHarmonic;
    return 1.0 / (1.0 + x * x);
}

XmEnvelope Envelope(std::vector<XmEnvelopePoint> points, int sustainPoint) {
    XmEnvelope envelope;
    envelope.points = std::move(points);
    envelope.sustainPoint = sustainPoint;
    return envelope;
}

// Panning 128 is the middle; hats and plucks sit right, bells and the crash left.
XmInstrument OneShot(const char* name, std::vector<double> signal, double sampleRate, double rootHz,
                     int volume, int panning = 128) {
    XmInstrument instrument;
    instrument.name = name;
    instrument.sample.name = name;
    instrument.sample.frames = ToFrames(signal, 0.9);
    instrument.sample.volume = volume;
    instrument.sample.panning = panning;
    TuneSample(instrument.sample, sampleRate, rootHz);
    return instrument;
}

XmInstrument Looped(const char* name, std::vector<double> cycle, double sampleRate, double rootHz,
                    int volume) {
    XmInstrument instrument = OneShot(name, std::move(cycle), sampleRate, rootHz, volume);
    instrument.sample.loop = XmLoop::Forward;
    instrument.sample.loopStart = 0;
    instrument.sample.loopLength = static_cast<std::uint32_t>(instrument.sample.frames.size());
    return instrument;
}

constexpr double kBassRateHz = 44100.0;
constexpr int kBassCycleFrames = 256;

std::vector<double> BassCycle(double cornerHarmonic) {
    return SingleCycle(kBassCycleFrames, 40, [cornerHarmonic](int k) {
        const double saw = SoftRolloff(k, cornerHarmonic) / k;
        return k == 1 ? saw + 0.6 : saw; // a sine underneath for weight
    });
}

// Three voices a cycle apart per loop beat slowly against each other over a
// sine an octave down; `cornerHarmonic` is where the partials start to fall
// away, `drive` how hard the saturation adds its own.
XmInstrument Pad(const char* name, double cornerHarmonic, double drive, int volume) {
    constexpr double kRate = 22050.0;
    constexpr int kLoopFrames = 32768;
    constexpr int kCycles = 384; // per loop; the detuned voices run one cycle more or less
    constexpr int kHarmonics = 18;
    std::vector<double> signal(kLoopFrames, 0.0);
    for (const int cycles : {kCycles - 1, kCycles, kCycles + 1}) {
        for (int k = 1; k <= kHarmonics; ++k) {
            const double a = SoftRolloff(k, cornerHarmonic) / k;
            const double step = kTwoPi * cycles * k / kLoopFrames;
            const double offset = 0.7 * k * cycles; // spread the voices' phases
            for (int i = 0; i < kLoopFrames; ++i) {
                signal[static_cast<std::size_t>(i)] += a * std::sin(step * i + offset);
            }
        }
    }
    for (int i = 0; i < kLoopFrames; ++i) {
        signal[static_cast<std::size_t>(i)] +=
            0.5 * std::sin(kTwoPi * (kCycles / 2) * i / kLoopFrames);
    }
    XmInstrument pad = Looped(name, Saturate(std::move(signal), drive), kRate,
                              kRate * kCycles / kLoopFrames, volume);
    pad.volumeEnvelope = Envelope({{0, 18}, {24, 64}, {72, 54}}, 2);
    pad.fadeout = 0x180;
    return pad;
}

} // namespace

void TuneSample(XmSample& sample, double sampleRate, double rootHz) {
    // NOTE: players honour the finetune in sixteenths of a semitone (steps of 8),
    // so tune to the nearest sixteenth: within 3.2 cents.
    const double semitones = 12.0 * std::log2(kMiddleCHz * sampleRate / (rootHz * kBaseRateHz));
    const long sixteenths = std::lround(semitones * 16.0);
    const long relative = sixteenths >= 0 ? sixteenths / 16 : -((-sixteenths + 15) / 16);
    sample.relativeNote = static_cast<int>(relative);
    sample.finetune = static_cast<int>((sixteenths - relative * 16) * 8);
}

std::vector<std::int16_t> ToFrames(const std::vector<double>& signal, double peak) {
    double largest = 0.0;
    for (const double x : signal) {
        largest = std::max(largest, std::abs(x));
    }
    const double scale = largest > 0.0 ? peak * 32767.0 / largest : 0.0;
    std::vector<std::int16_t> frames(signal.size());
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const long value = std::lround(signal[i] * scale);
        frames[i] = static_cast<std::int16_t>(std::clamp(value, -32767L, 32767L));
    }
    return frames;
}

XmInstrument MakeKick() {
    constexpr double kRate = 22050.0;
    SeededRandom random(0x4B1C);
    std::vector<double> signal = Silence(kRate, 0.36);
    double phase = 0.0;
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        // The pitch falls fast from a punch to a low thump.
        const double hz = 46.0 + 125.0 * std::exp(-t / 0.035);
        phase += kTwoPi * hz / kRate;
        const double body = std::sin(phase) * std::exp(-t / 0.13);
        const double click = 0.35 * random.Bipolar() * std::exp(-t / 0.003);
        signal[i] = std::tanh(2.2 * (body + click) * Attack(t));
    }
    return OneShot("kick", std::move(signal), kRate, kMiddleCHz, 64);
}

XmInstrument MakeSnare() {
    constexpr double kRate = 22050.0;
    SeededRandom random(0x5A4E);
    std::vector<double> signal = Silence(kRate, 0.3);
    double previousNoise = 0.0;
    double smooth = 0.0;
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double noise = random.Bipolar();
        smooth += 0.55 * ((noise - previousNoise) - smooth); // bright but not harsh
        previousNoise = noise;
        const double tone = 0.7 * std::sin(kTwoPi * 185.0 * t) * std::exp(-t / 0.045) +
                            0.35 * std::sin(kTwoPi * 330.0 * t) * std::exp(-t / 0.03);
        const double rattle = 0.9 * smooth * std::exp(-t / 0.085);
        signal[i] = std::tanh(2.0 * (tone + rattle) * Attack(t));
    }
    return OneShot("snare", std::move(signal), kRate, kMiddleCHz, 64);
}

XmInstrument MakeClosedHat() {
    constexpr double kRate = 44100.0;
    return OneShot("closed hat", Cymbal(kRate, 0.08, 0.016, 1.6, 7000.0, 0x4A7C), kRate, kMiddleCHz,
                   64, 156);
}

XmInstrument MakeOpenHat() {
    constexpr double kRate = 44100.0;
    return OneShot("open hat", Cymbal(kRate, 0.45, 0.12, 1.6, 7000.0, 0x09E4), kRate, kMiddleCHz,
                   56, 156);
}

XmInstrument MakeCrash() {
    constexpr double kRate = 32000.0;
    return OneShot("crash", Cymbal(kRate, 1.4, 0.45, 2.3, 3500.0, 0xC4A5), kRate, kMiddleCHz, 60,
                   104);
}

XmInstrument MakeBass() {
    XmInstrument bass = Looped("bass", Saturate(BassCycle(7.0), 1.5), kBassRateHz,
                               kBassRateHz / kBassCycleFrames, 54);
    bass.volumeEnvelope = Envelope({{0, 64}, {6, 50}, {30, 40}}, 2);
    bass.fadeout = 0x600;
    return bass;
}

XmInstrument MakeWobbleBass() {
    XmInstrument bass =
        Looped("wobble bass", BassCycle(16.0), kBassRateHz, kBassRateHz / kBassCycleFrames, 54);
    // One swell and dip per beat (18 ticks at speed 6), looping while the note holds.
    bass.volumeEnvelope = Envelope({{0, 64}, {5, 30}, {9, 10}, {14, 36}, {18, 64}}, -1);
    bass.volumeEnvelope.loopStart = 0;
    bass.volumeEnvelope.loopEnd = 4;
    bass.fadeout = 0x800;
    return bass;
}

XmInstrument MakePad() {
    return Pad("pad", 5.0, 1.8, 52);
}

XmInstrument MakeFilteredPad() {
    return Pad("filtered pad", 1.2, 1.1, 64);
}

XmInstrument MakeLead() {
    constexpr double kRate = 44100.0;
    constexpr int kCycleFrames = 128;
    // Square with a little saw: hollow but with some edge.
    XmInstrument lead = Looped("lead",
                               SingleCycle(kCycleFrames, 20,
                                           [](int k) {
                                               const double weight = k % 2 ? 1.0 : 0.35;
                                               return weight * SoftRolloff(k, 9.0) / k;
                                           }),
                               kRate, kRate / kCycleFrames, 60);
    lead.volumeEnvelope = Envelope({{0, 64}, {8, 54}, {48, 42}}, 2);
    lead.fadeout = 0x300;
    lead.vibratoSweep = 48;
    lead.vibratoDepth = 3;
    lead.vibratoRate = 10;
    return lead;
}

XmInstrument MakePluck() {
    constexpr double kRate = 22050.0;
    constexpr int kPeriod = 100;
    SeededRandom random(0x91C4);
    std::vector<double> signal = Silence(kRate, 0.9);
    // Plucked string: a burst of soft noise circulating through an averaging delay line.
    double smooth = 0.0;
    for (int i = 0; i < kPeriod; ++i) {
        smooth += 0.5 * (random.Bipolar() - smooth);
        signal[static_cast<std::size_t>(i)] = smooth;
    }
    for (std::size_t i = kPeriod + 1; i < signal.size(); ++i) {
        signal[i] = 0.996 * 0.5 * (signal[i - kPeriod] + signal[i - kPeriod - 1]);
    }
    XmInstrument pluck =
        OneShot("pluck", std::move(signal), kRate, kRate / (kPeriod + 0.5), 64, 168);
    pluck.fadeout = 0x400;
    return pluck;
}

XmInstrument MakeBell() {
    constexpr double kRate = 22050.0;
    constexpr double kRootHz = 440.0;
    std::vector<double> signal = Silence(kRate, 1.4);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        // Frequency modulation at 3.5 times the pitch gives the bell's clang, fading first.
        const double index = 2.2 * std::exp(-t / 0.25);
        const double modulator = index * std::sin(kTwoPi * 3.5 * kRootHz * t);
        const double body = std::sin(kTwoPi * kRootHz * t + modulator) * std::exp(-t / 0.55);
        const double octave = 0.25 * std::sin(kTwoPi * 2.0 * kRootHz * t) * std::exp(-t / 0.2);
        signal[i] = (body + octave) * Attack(t);
    }
    XmInstrument bell = OneShot("bell", std::move(signal), kRate, kRootHz, 60, 92);
    bell.fadeout = 0x200;
    return bell;
}
