// The song is written into one long sheet of rows (position * 48 + row), then
// cut into patterns, identical ones shared. Bars are 24 rows (two to a
// pattern); the kick only ever lands on multiples of 3 rows, the logo's beat.
// Parts are drawn from small tables: drum and bass rhythms as 24-character
// strings, melodies as note lists, chords per bar.
#include "tools/makedata/soundtrack/SoundtrackComposer.h"

#include "tools/makedata/SeededRandom.h"
#include "tools/makedata/soundtrack/InstrumentSynth.h"
#include "tools/makedata/soundtrack/XmWriter.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr int kRowsPerBar = 24;
constexpr int kBarsPerPattern = kSoundtrackRowsPerPattern / kRowsPerBar;
constexpr int kTotalRows = kSoundtrackPositions * kSoundtrackRowsPerPattern;

enum Channel : int {
    kKick,
    kSnare,
    kHats,
    kBass,
    kPadLow,
    kPadMid,
    kPadHigh,
    kLead,
    kArp,
    kCymbal,
    kLeadBelow // the lead doubled an octave down where the song is at its biggest
};
static_assert(kKick == kSoundtrackKickChannel && kLeadBelow + 1 == kSoundtrackChannels);

// Instrument numbers as the patterns name them, in the order they are made.
enum Instrument : std::uint8_t {
    kKickSound = 1,
    kSnareSound,
    kClosedHatSound,
    kOpenHatSound,
    kCrashSound,
    kBassSound,
    kWobbleSound,
    kPadSound,
    kLeadSound,
    kPluckSound,
    kBellSound,
    kFilteredPadSound,
};

constexpr std::uint8_t kEffectPanning = 0x08;
constexpr std::uint8_t kEffectGlobalVolumeSlide = 0x11;
constexpr int kNoteC4 = 49;

// "A-4", "C#5": note name, sharp or dash, octave; 1 is C-0.
constexpr int Note(std::string_view name) {
    constexpr int kSemitones[] = {9, 11, 0, 2, 4, 5, 7}; // A..G
    const int sharp = name[1] == '#' ? 1 : 0;
    return (name[2] - '0') * 12 + kSemitones[name[0] - 'A'] + sharp + 1;
}
static_assert(Note("C-4") == kNoteC4 && Note("A-4") == 58);

struct Chord {
    int bass;               // root, low octave
    std::array<int, 3> pad; // voicing, kept close from chord to chord
    std::array<int, 4> arp; // chord tones, rising
};

using Progression = std::array<Chord, 4>; // one chord a bar, two patterns

const Progression kMainProgression = {{
    {Note("A-1"),
     {Note("A-3"), Note("C-4"), Note("E-4")},
     {Note("A-4"), Note("C-5"), Note("E-5"), Note("A-5")}},
    {Note("F-1"),
     {Note("A-3"), Note("C-4"), Note("F-4")},
     {Note("F-4"), Note("A-4"), Note("C-5"), Note("F-5")}},
    {Note("C-2"),
     {Note("G-3"), Note("C-4"), Note("E-4")},
     {Note("G-4"), Note("C-5"), Note("E-5"), Note("G-5")}},
    {Note("G-1"),
     {Note("G-3"), Note("B-3"), Note("D-4")},
     {Note("G-4"), Note("B-4"), Note("D-5"), Note("G-5")}},
}};

const Progression kCalmProgression = {{
    {Note("F-1"),
     {Note("A-3"), Note("C-4"), Note("E-4")},
     {Note("F-4"), Note("A-4"), Note("C-5"), Note("E-5")}},
    {Note("G-1"),
     {Note("B-3"), Note("D-4"), Note("G-4")},
     {Note("G-4"), Note("B-4"), Note("D-5"), Note("E-5")}},
    {Note("E-1"),
     {Note("B-3"), Note("D-4"), Note("G-4")},
     {Note("E-4"), Note("G-4"), Note("B-4"), Note("D-5")}},
    {Note("A-1"),
     {Note("C-4"), Note("E-4"), Note("G-4")},
     {Note("A-4"), Note("B-4"), Note("C-5"), Note("E-5")}},
}};

const Progression kPlayfulProgression = {{
    {Note("C-2"),
     {Note("G-3"), Note("C-4"), Note("E-4")},
     {Note("C-5"), Note("E-5"), Note("G-5"), Note("C-6")}},
    {Note("G-1"),
     {Note("G-3"), Note("B-3"), Note("D-4")},
     {Note("B-4"), Note("D-5"), Note("G-5"), Note("B-5")}},
    {Note("A-1"),
     {Note("A-3"), Note("C-4"), Note("E-4")},
     {Note("C-5"), Note("E-5"), Note("A-5"), Note("C-6")}},
    {Note("F-1"),
     {Note("A-3"), Note("C-4"), Note("F-4")},
     {Note("C-5"), Note("F-5"), Note("A-5"), Note("C-6")}},
}};

const Progression kDarkProgression = {{
    {Note("D-2"),
     {Note("A-3"), Note("D-4"), Note("F-4")},
     {Note("D-4"), Note("F-4"), Note("A-4"), Note("D-5")}},
    {Note("A-1"),
     {Note("A-3"), Note("C-4"), Note("E-4")},
     {Note("C-4"), Note("E-4"), Note("A-4"), Note("C-5")}},
    {Note("A#1"),
     {Note("A#3"), Note("D-4"), Note("F-4")},
     {Note("A#3"), Note("D-4"), Note("F-4"), Note("A#4")}},
    {Note("E-1"),
     {Note("G#3"), Note("B-3"), Note("E-4")},
     {Note("E-4"), Note("G#4"), Note("B-4"), Note("E-5")}},
}};

// The last bar of the song resolves home instead of to the progression's G.
const Chord kFinalChord = kMainProgression[0];

// Drum rhythm for one bar, one character a row: 'X' accent, 'x' normal, 'o'
// ghost, 'O' open hat (hats only), '.' nothing.
struct DrumBar {
    std::string_view kick;
    std::string_view snare;
    std::string_view hats;
};

struct Groove {
    DrumBar first;
    DrumBar second; // the second bar of each pattern varies the first
};

constexpr std::string_view kNoDrums = "........................";

constexpr Groove kNoGroove = {{kNoDrums, kNoDrums, kNoDrums}, {kNoDrums, kNoDrums, kNoDrums}};
constexpr Groove kPulseGroove = {
    {"x.....x.....x.....x.....", kNoDrums, kNoDrums},
    {"x.....x.....x.....x.....", kNoDrums, kNoDrums},
};
constexpr Groove kBuildGroove = {
    {"X.....X.....X.....X.....", kNoDrums, "x..o..x..o..x..o..x..o.."},
    {"X.....X.....X.....X.....", kNoDrums, "x..o..x..o..x..o..x..o.o"},
};
constexpr Groove kBackbeatGroove = {
    {"X.....X..x..X.....X.....", "......X...........X.....", "x.ox.ox.ox.ox.ox.ox.ox.o"},
    {"X.....X..x..X.....X..x..", "......X...........X....o", "x.ox.ox.ox.ox.ox.ox.O..o"},
};
constexpr Groove kFullGroove = {
    {"X........x..X........x..", "......X.......o...X....o", "x.ox.ox.ox.ox.ox.ox.ox.o"},
    {"X........x..X.....x..x..", "......X.......o...X.o..o", "x.ox.ox.ox.ox.ox.ox.O..o"},
};
constexpr Groove kHalfTimeGroove = {
    {"X.................x..x..", "............X...........", "x..x..O..x..x..x..O..x.."},
    {"X.....x...........x.....", "............X........o.o", "x..x..O..x..x..x..O..x.o"},
};
constexpr Groove kBounceGroove = {
    {"X.....X.....X.....X.....", "......x...........x.....", "...x.o...x.o...x.o...x.o"},
    {"X.....X.....X.....X..x..", "......x.....o.....x.....", "...x.o...x.o...x.o...O.."},
};
constexpr Groove kSoftGroove = {
    {"x.................o.....", "............o...........", "o..o..o..o..o..o..o..o.."},
    {"x........o........o.....", "............o...........", "o..o..o..o..o..o..o..o.o"},
};
constexpr Groove kHatsGroove = {
    {kNoDrums, kNoDrums, "o..o..o..o..o..o..o..o.."},
    {kNoDrums, kNoDrums, "o..o..o..o..o..o..o..o.o"},
};
constexpr DrumBar kEndingBar = {"X.......................", kNoDrums, kNoDrums};

// Bass rhythm for one bar: 'R' root, 'O' octave up, 'F' fifth, 'N' the next
// bar's root played early, '^' key off, '.' nothing (the note holds).
constexpr std::string_view kBassNone = "........................";
constexpr std::string_view kBassPulse = "R....^R....^R....^R....^";
constexpr std::string_view kBassDrive = "R.^R.^O.^R.^R.^R.^O.^F.N";
constexpr std::string_view kBassGroove = "R....RO..R.^R....RF..ON.";
constexpr std::string_view kBassBounce = "R.^O.^R.^O.^R.^O.^F.^O.^";
constexpr std::string_view kBassLong = "R.................F.....";
constexpr std::string_view kBassEnding = "R.......................";

enum class Arp { None, Bell, PluckEighths, PluckSwung, PlayfulMelody };
// Fills end a block. Breath: the kick and hats rest for the last bar while the
// snare rolls up into the next block.
enum class Fill { None, SoftRoll, Roll, Toms, Breath };

// A melody two patterns (96 rows) long.
struct MelodyNote {
    int row;
    std::string_view note;
    int lengthRows;
};
using Melody = std::vector<MelodyNote>;

const Melody kThemeCall = {
    {0, "E-5", 6},  {6, "C-5", 3},  {9, "D-5", 3},  {12, "E-5", 6}, {18, "G-5", 3}, {21, "E-5", 3},
    {24, "A-5", 9}, {33, "G-5", 3}, {36, "F-5", 6}, {42, "E-5", 3}, {45, "C-5", 3}, {48, "G-5", 6},
    {54, "E-5", 3}, {57, "C-5", 3}, {60, "D-5", 3}, {63, "E-5", 3}, {66, "G-5", 6}, {72, "D-5", 9},
    {81, "B-4", 3}, {84, "D-5", 6}, {90, "E-5", 6},
};
const Melody kThemeAnswer = {
    {0, "E-5", 6},  {6, "C-5", 3},  {9, "D-5", 3},  {12, "E-5", 6}, {18, "A-5", 3},  {21, "B-5", 3},
    {24, "C-6", 9}, {33, "B-5", 3}, {36, "A-5", 6}, {42, "G-5", 3}, {45, "F-5", 3},  {48, "G-5", 6},
    {54, "A-5", 3}, {57, "G-5", 3}, {60, "E-5", 6}, {66, "D-5", 6}, {72, "E-5", 18},
};
const Melody kRunCall = {
    {0, "A-5", 3},  {3, "A-5", 2},  {5, "G-5", 1},  {6, "A-5", 3},  {9, "C-6", 3},  {12, "B-5", 3},
    {15, "A-5", 3}, {18, "E-5", 6}, {24, "F-5", 3}, {27, "A-5", 3}, {30, "C-6", 3}, {33, "A-5", 3},
    {36, "G-5", 3}, {39, "F-5", 3}, {42, "E-5", 3}, {45, "C-5", 3}, {48, "E-5", 3}, {51, "G-5", 2},
    {53, "A-5", 1}, {54, "G-5", 6}, {60, "E-5", 3}, {63, "G-5", 3}, {66, "C-6", 6}, {72, "B-5", 6},
    {78, "A-5", 3}, {81, "G-5", 3}, {84, "D-5", 6}, {90, "B-4", 3}, {93, "D-5", 3},
};
const Melody kRunAnswer = {
    {0, "E-6", 6},  {6, "D-6", 3},  {9, "C-6", 3},  {12, "B-5", 6},  {18, "A-5", 6},
    {24, "C-6", 6}, {30, "A-5", 3}, {33, "F-5", 3}, {36, "A-5", 6},  {42, "C-6", 6},
    {48, "E-6", 6}, {54, "D-6", 3}, {57, "C-6", 3}, {60, "G-5", 6},  {66, "E-5", 6},
    {72, "D-5", 6}, {78, "E-5", 3}, {81, "G-5", 3}, {84, "A-5", 12},
};
const Melody kCalmCall = {
    {0, "E-5", 12},  {12, "C-5", 6},  {18, "A-4", 6}, {24, "B-4", 12},
    {36, "D-5", 12}, {48, "G-5", 18}, {66, "E-5", 6}, {72, "A-4", 18},
};
const Melody kCalmAnswer = {
    {0, "C-5", 6},   {6, "E-5", 6},  {12, "A-5", 12}, {24, "G-5", 12}, {36, "D-5", 12},
    {48, "E-5", 12}, {60, "G-5", 6}, {66, "B-5", 6},  {72, "A-5", 22},
};
const Melody kPlayfulTune = {
    {0, "C-5", 3},  {3, "E-5", 3},  {6, "G-5", 3},  {9, "C-6", 2},  {11, "G-5", 1}, {12, "E-5", 3},
    {15, "G-5", 3}, {18, "C-6", 3}, {21, "E-6", 3}, {24, "D-6", 3}, {27, "B-5", 3}, {30, "G-5", 3},
    {33, "D-5", 3}, {36, "G-5", 3}, {39, "B-5", 3}, {42, "D-6", 2}, {44, "B-5", 1}, {45, "G-5", 3},
    {48, "A-5", 3}, {51, "C-6", 3}, {54, "E-6", 3}, {57, "C-6", 3}, {60, "A-5", 3}, {63, "E-5", 3},
    {66, "A-5", 2}, {68, "B-5", 1}, {69, "C-6", 3}, {72, "F-5", 3}, {75, "A-5", 3}, {78, "C-6", 3},
    {81, "F-6", 3}, {84, "E-6", 3}, {87, "C-6", 3}, {90, "A-5", 3}, {93, "G-5", 3},
};

// A stretch of positions arranged one way; the show's sections are one or more.
// The song's shape comes from which parts play: a filtered pad and few parts
// where it is quiet, the bright pad, the full kit and a doubled lead at its peak.
struct Block {
    int firstPosition;
    int numPositions;
    const Progression* progression;
    const Groove* groove;
    std::string_view bass = kBassNone;
    Instrument bassSound = kBassSound;
    int bassVolume = 64; // on the beat; the notes between play at four fifths of it
    Arp arp = Arp::None;
    std::vector<const Melody*> lead = {}; // one melody per two positions, repeating
    Instrument padSound = kPadSound;
    int padVolume = 40;
    int leadVolume = 44;
    bool leadOctaveBelow = false;
    bool crash = false;
    Fill fill = Fill::None;
};

std::vector<Block> Arrangement() {
    return {
        // 0:00 opening: the logo pulses on black to a soft kick under dark chords.
        {.firstPosition = 0,
         .numPositions = 2,
         .progression = &kMainProgression,
         .groove = &kPulseGroove,
         .arp = Arp::Bell,
         .padSound = kFilteredPadSound,
         .padVolume = 30,
         .fill = Fill::SoftRoll},
        // 0:09 interference warp: the band comes in bit by bit, the pad opening up.
        {.firstPosition = 2,
         .numPositions = 2,
         .progression = &kMainProgression,
         .groove = &kBuildGroove,
         .bass = kBassPulse,
         .padSound = kFilteredPadSound,
         .padVolume = 40,
         .crash = true},
        {.firstPosition = 4,
         .numPositions = 2,
         .progression = &kMainProgression,
         .groove = &kBackbeatGroove,
         .bass = kBassDrive,
         .arp = Arp::PluckEighths,
         .padVolume = 36,
         .fill = Fill::Roll},
        // 0:27 planes: everything, the theme on the lead.
        {.firstPosition = 6,
         .numPositions = 4,
         .progression = &kMainProgression,
         .groove = &kFullGroove,
         .bass = kBassGroove,
         .arp = Arp::PluckEighths,
         .lead = {&kThemeCall, &kThemeAnswer},
         .crash = true,
         .fill = Fill::Toms},
        // 0:45 wobble: darker chords over a bass that swells on the beat.
        {.firstPosition = 10,
         .numPositions = 2,
         .progression = &kDarkProgression,
         .groove = &kHalfTimeGroove,
         .bass = kBassLong,
         .bassSound = kWobbleSound,
         .arp = Arp::Bell,
         .crash = true,
         .fill = Fill::Roll},
        // 0:54 spinning carrots: bouncy, major, a plucked tune.
        {.firstPosition = 12,
         .numPositions = 2,
         .progression = &kPlayfulProgression,
         .groove = &kBounceGroove,
         .bass = kBassBounce,
         .arp = Arp::PlayfulMelody,
         .padVolume = 32,
         .crash = true,
         .fill = Fill::Toms},
        // 1:03 greetings, read rather than watched: the kick drops out under dark
        // chords and bells, a slow lead comes in, the hats alone, and the kick
        // returns for the way back up.
        {.firstPosition = 14,
         .numPositions = 2,
         .progression = &kCalmProgression,
         .groove = &kNoGroove,
         .bass = kBassLong,
         .bassVolume = 40,
         .arp = Arp::Bell,
         .padSound = kFilteredPadSound,
         .padVolume = 28},
        {.firstPosition = 16,
         .numPositions = 4,
         .progression = &kCalmProgression,
         .groove = &kSoftGroove,
         .bass = kBassLong,
         .bassVolume = 44,
         .arp = Arp::Bell,
         .lead = {&kCalmCall, &kCalmAnswer},
         .padSound = kFilteredPadSound,
         .padVolume = 28,
         .leadVolume = 30},
        {.firstPosition = 20,
         .numPositions = 2,
         .progression = &kCalmProgression,
         .groove = &kHatsGroove,
         .bass = kBassLong,
         .bassVolume = 44,
         .arp = Arp::PluckEighths,
         .lead = {&kCalmCall},
         .padSound = kFilteredPadSound,
         .padVolume = 28,
         .leadVolume = 30},
        {.firstPosition = 22,
         .numPositions = 2,
         .progression = &kCalmProgression,
         .groove = &kBuildGroove,
         .bass = kBassDrive,
         .bassVolume = 56,
         .arp = Arp::PluckEighths,
         .padSound = kFilteredPadSound,
         .padVolume = 36,
         .fill = Fill::Roll},
        // 1:48 tunnel: full again, a faster tune and busier plucks; the kick
        // holds its breath for the last bar.
        {.firstPosition = 24,
         .numPositions = 4,
         .progression = &kMainProgression,
         .groove = &kFullGroove,
         .bass = kBassGroove,
         .arp = Arp::PluckSwung,
         .lead = {&kRunCall, &kRunAnswer},
         .crash = true,
         .fill = Fill::Breath},
        // 2:06 finale, the biggest: the lead doubled, the theme's answer, the
        // run's answer, and home.
        {.firstPosition = 28,
         .numPositions = 4,
         .progression = &kMainProgression,
         .groove = &kFullGroove,
         .bass = kBassGroove,
         .arp = Arp::PluckEighths,
         .lead = {&kThemeAnswer, &kRunAnswer},
         .padVolume = 48,
         .leadVolume = 52,
         .leadOctaveBelow = true,
         .crash = true},
    };
}

// The whole song as one long pattern.
class Sheet {
  public:
    explicit Sheet(const std::vector<XmInstrument>& instruments)
        : cells_(static_cast<std::size_t>(kTotalRows) * kSoundtrackChannels) {
        for (const XmInstrument& instrument : instruments) {
            levels_.push_back(instrument.sample.volume);
        }
    }

    XmCell& At(int row, int channel) {
        return cells_[static_cast<std::size_t>(row) * kSoundtrackChannels + channel];
    }
    // NOTE: a volume column overrides the sample's own volume, so the velocity
    // (0..64) is scaled by it here: the samples' volumes stay the mix's levels.
    void Play(int row, int channel, int note, std::uint8_t instrument, int velocity) {
        XmCell& cell = At(row, channel);
        cell.note = static_cast<std::uint8_t>(note);
        cell.instrument = instrument;
        const int volume = (std::clamp(velocity, 0, 64) * levels_[instrument - 1] + 32) / 64;
        cell.volume = static_cast<std::uint8_t>(0x10 + volume);
    }
    void KeyOff(int row, int channel) {
        if (row < kTotalRows && At(row, channel).note == 0) {
            At(row, channel).note = kXmKeyOff;
        }
    }
    void Effect(int row, int channel, std::uint8_t effect, std::uint8_t param) {
        At(row, channel).effect = effect;
        At(row, channel).param = param;
    }

    // Cuts the sheet into patterns, sharing identical ones.
    void CutInto(XmModule& module) const {
        for (int position = 0; position < kSoundtrackPositions; ++position) {
            XmPattern pattern;
            pattern.numRows = kSoundtrackRowsPerPattern;
            const auto first = cells_.begin() + static_cast<std::ptrdiff_t>(position) *
                                                    kSoundtrackRowsPerPattern * kSoundtrackChannels;
            pattern.cells.assign(first, first + kSoundtrackRowsPerPattern * kSoundtrackChannels);
            std::size_t index = 0;
            while (index < module.patterns.size() && !SameCells(module.patterns[index], pattern)) {
                ++index;
            }
            if (index == module.patterns.size()) {
                module.patterns.push_back(std::move(pattern));
            }
            module.orders.push_back(static_cast<std::uint8_t>(index));
        }
    }

  private:
    static bool SameCells(const XmPattern& a, const XmPattern& b) {
        return std::equal(a.cells.begin(), a.cells.end(), b.cells.begin(), b.cells.end(),
                          [](const XmCell& x, const XmCell& y) {
                              return x.note == y.note && x.instrument == y.instrument &&
                                     x.volume == y.volume && x.effect == y.effect &&
                                     x.param == y.param;
                          });
    }

    std::vector<XmCell> cells_;
    std::vector<int> levels_; // per instrument, 0..64
};

int DrumVolume(char hit) {
    switch (hit) {
    case 'X':
    case 'O':
        return 64;
    case 'x':
        return 48;
    case 'o':
        return 24;
    default:
        return 0;
    }
}

class Composer {
  public:
    explicit Composer(Sheet& sheet) : sheet_(sheet), random_(0x0A8B5EED) {}

    void WriteBlock(const Block& block) {
        const int firstBar = block.firstPosition * kBarsPerPattern;
        const int numBars = block.numPositions * kBarsPerPattern;
        for (int bar = firstBar; bar < firstBar + numBars; ++bar) {
            const bool lastBarOfSong = bar == kSoundtrackPositions * kBarsPerPattern - 1;
            const int barInBlock = bar - firstBar;
            const Chord& chord = lastBarOfSong ? kFinalChord : (*block.progression)[barInBlock % 4];
            const bool lastBarOfBlock = barInBlock == numBars - 1;
            const Chord& next = lastBarOfBlock ? chord : (*block.progression)[(barInBlock + 1) % 4];
            const DrumBar& drums = lastBarOfSong         ? kEndingBar
                                   : barInBlock % 2 == 0 ? block.groove->first
                                                         : block.groove->second;
            const int row = bar * kRowsPerBar;
            WriteDrums(row, drums);
            WriteBass(row, lastBarOfSong ? kBassEnding : block.bass, block.bassSound,
                      block.bassVolume, chord, next);
            WritePad(row, chord, block.padSound, block.padVolume);
            if (!lastBarOfSong) {
                WriteArp(row, block.arp, chord, barInBlock);
            }
        }
        const int firstRow = firstBar * kRowsPerBar;
        const int endRow = (firstBar + numBars) * kRowsPerBar;
        for (std::size_t i = 0; i < NumPhrases(block); ++i) {
            const Melody& melody = *block.lead[i % block.lead.size()];
            const int row = firstRow + static_cast<int>(i) * 2 * kSoundtrackRowsPerPattern;
            WriteMelody(row, melody, 0, kLead, kLeadSound, block.leadVolume);
            if (block.leadOctaveBelow) {
                WriteMelody(row, melody, -12, kLeadBelow, kLeadSound, block.leadVolume - 12);
            }
        }
        if (block.arp == Arp::PlayfulMelody) {
            for (int start = firstRow; start < endRow; start += 2 * kSoundtrackRowsPerPattern) {
                WriteMelody(start, kPlayfulTune, 0, kArp, kPluckSound, 50);
            }
        }
        if (block.crash) {
            sheet_.Play(firstRow, kCymbal, kNoteC4, kCrashSound, 56);
        }
        WriteFill(endRow - kSoundtrackRowsPerPattern / 4, block.fill);
    }

    // The last bar rings out: the whole mix fades over its second half.
    void WriteEnding() {
        const int fadeRow = kTotalRows - kRowsPerBar + 9;
        for (int row = fadeRow; row < kTotalRows; ++row) {
            sheet_.Effect(row, kCymbal, kEffectGlobalVolumeSlide, 0x01);
        }
    }

  private:
    static std::size_t NumPhrases(const Block& block) {
        return block.lead.empty() ? 0 : static_cast<std::size_t>(block.numPositions / 2);
    }

    // A little life in repeated hits: volumes wander by a few steps.
    int Humanise(int volume) { return volume == 0 ? 0 : volume - random_.Below(5); }

    void WriteDrums(int row, const DrumBar& drums) {
        for (int i = 0; i < kRowsPerBar; ++i) {
            if (const int volume = DrumVolume(drums.kick[i])) {
                sheet_.Play(row + i, kKick, kNoteC4, kKickSound, volume);
            }
            if (const int volume = DrumVolume(drums.snare[i])) {
                sheet_.Play(row + i, kSnare, kNoteC4, kSnareSound, Humanise(volume));
            }
            if (drums.hats[i] == 'O') {
                sheet_.Play(row + i, kHats, kNoteC4, kOpenHatSound, Humanise(52));
            } else if (const int volume = DrumVolume(drums.hats[i])) {
                sheet_.Play(row + i, kHats, kNoteC4, kClosedHatSound, Humanise(volume));
            }
        }
    }

    void WriteBass(int row, std::string_view rhythm, std::uint8_t sound, int volume,
                   const Chord& chord, const Chord& next) {
        for (int i = 0; i < kRowsPerBar; ++i) {
            int note = 0;
            switch (rhythm[i]) {
            case 'R':
                note = chord.bass;
                break;
            case 'O':
                note = chord.bass + 12;
                break;
            case 'F':
                note = chord.bass + 7;
                break;
            case 'N':
                note = next.bass;
                break;
            case '^':
                sheet_.KeyOff(row + i, kBass);
                break;
            default:
                break;
            }
            if (note) {
                sheet_.Play(row + i, kBass, note, sound, i % 6 == 0 ? volume : volume * 4 / 5);
            }
        }
    }

    void WritePad(int row, const Chord& chord, std::uint8_t sound, int volume) {
        static constexpr std::array<Channel, 3> kChannels = {kPadLow, kPadMid, kPadHigh};
        static constexpr std::array<std::uint8_t, 3> kPanning = {0x48, 0x80, 0xB8};
        for (std::size_t voice = 0; voice < kChannels.size(); ++voice) {
            sheet_.Play(row, kChannels[voice], chord.pad[voice], sound, volume);
            sheet_.Effect(row, kChannels[voice], kEffectPanning, kPanning[voice]);
        }
    }

    void WriteArp(int row, Arp arp, const Chord& chord, int barInBlock) {
        static constexpr int kEighthsOrder[] = {0, 1, 2, 3, 2, 1, 2, 3};
        static constexpr int kBellOrder[] = {0, 2, 1, 3};
        switch (arp) {
        case Arp::Bell:
            for (int i = 0; i < 4; ++i) {
                const int tone = chord.arp[kBellOrder[(i + barInBlock) % 4]];
                sheet_.Play(row + i * 6, kArp, tone, kBellSound, i == 0 ? 48 : 34);
            }
            break;
        case Arp::PluckEighths:
            for (int i = 0; i < 8; ++i) {
                sheet_.Play(row + i * 3, kArp, chord.arp[kEighthsOrder[i]], kPluckSound,
                            Humanise(i % 2 == 0 ? 44 : 34));
            }
            break;
        case Arp::PluckSwung:
            for (int i = 0; i < 16; ++i) {
                const int offset = (i / 2) * 3 + (i % 2) * 2; // the swung sixteenth comes late
                const int tone = chord.arp[(i + (i / 4)) % 4] + (i % 8 >= 6 ? 12 : 0);
                sheet_.Play(row + offset, kArp, tone, kPluckSound, Humanise(i % 2 ? 30 : 42));
            }
            break;
        case Arp::None:
        case Arp::PlayfulMelody:
            break;
        }
    }

    void WriteMelody(int row, const Melody& melody, int transpose, Channel channel,
                     std::uint8_t sound, int volume) {
        for (const MelodyNote& note : melody) {
            const int start = row + note.row;
            // Longer notes sing a little louder; the key off leaves a breath before the next.
            sheet_.Play(start, channel, Note(note.note) + transpose, sound,
                        note.lengthRows >= 6 ? volume : volume - 6);
            sheet_.KeyOff(start + note.lengthRows - 1, channel);
        }
    }

    void WriteFill(int row, Fill fill) {
        constexpr int kFillRows = kSoundtrackRowsPerPattern / 4;
        switch (fill) {
        case Fill::SoftRoll:
            // A crescendo of snare hits into the first groove.
            for (int i = 0; i < kFillRows; ++i) {
                sheet_.Play(row + i, kSnare, kNoteC4, kSnareSound, 8 + i * 4);
            }
            break;
        case Fill::Roll:
            for (const int i : {0, 3, 6, 8, 9, 10, 11}) {
                sheet_.Play(row + i, kSnare, kNoteC4, kSnareSound, 36 + i * 2);
            }
            Clear(kHats, row, kFillRows);
            break;
        case Fill::Toms: {
            // The snare tuned down by steps sounds like toms falling round the kit.
            static constexpr int kRows[] = {0, 2, 3, 5, 6, 8, 9, 11};
            static constexpr std::string_view kNotes[] = {"G-4", "G-4", "E-4", "E-4",
                                                          "C-4", "C-4", "A-3", "A-3"};
            for (std::size_t i = 0; i < std::size(kRows); ++i) {
                sheet_.Play(row + kRows[i], kSnare, Note(kNotes[i]), kSnareSound, 56);
            }
            Clear(kHats, row, kFillRows);
            break;
        }
        case Fill::Breath: {
            const int barRow = row + kFillRows - kRowsPerBar;
            for (const Channel drum : {kKick, kSnare, kHats}) {
                Clear(drum, barRow, kRowsPerBar);
            }
            // Quarters, then eighths, then every row, rising.
            for (int i = 0; i < kRowsPerBar; i += i < 12 ? 6 : (i < 18 ? 3 : 1)) {
                sheet_.Play(barRow + i, kSnare, kNoteC4, kSnareSound, 20 + i * 2);
            }
            break;
        }
        case Fill::None:
            break;
        }
    }

    void Clear(Channel channel, int row, int numRows) {
        for (int i = 0; i < numRows; ++i) {
            sheet_.At(row + i, channel) = XmCell{};
        }
    }

    Sheet& sheet_;
    SeededRandom random_;
};

} // namespace

XmModule ComposeSoundtrackModule() {
    XmModule module;
    module.name = "quorvel 8";
    module.trackerName = "quorvel makedata";
    module.numChannels = kSoundtrackChannels;
    module.speed = kSoundtrackSpeed;
    module.bpm = kSoundtrackBpm;
    module.instruments = {MakeKick(),  MakeSnare(), MakeClosedHat(),  MakeOpenHat(),
                          MakeCrash(), MakeBass(),  MakeWobbleBass(), MakePad(),
                          MakeLead(),  MakePluck(), MakeBell(),       MakeFilteredPad()};
    Sheet sheet(module.instruments);
    Composer composer(sheet);
    for (const Block& block : Arrangement()) {
        composer.WriteBlock(block);
    }
    composer.WriteEnding();
    sheet.CutInto(module);
    return module;
}

std::vector<unsigned char> ComposeSoundtrack() {
    return WriteXm(ComposeSoundtrackModule());
}
