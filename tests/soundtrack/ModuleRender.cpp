#include "tests/soundtrack/ModuleRender.h"

#include <libopenmpt/libopenmpt_ext.hpp>

#include <cmath>

std::vector<float> RenderModule(const std::vector<unsigned char>& bytes, int onlyChannel,
                                int sampleRate) {
    openmpt::module_ext module(bytes);
    if (onlyChannel >= 0) {
        auto* interactive = static_cast<openmpt::ext::interactive*>(
            module.get_interface(openmpt::ext::interactive_id));
        for (int channel = 0; channel < module.get_num_channels(); ++channel) {
            interactive->set_channel_mute_status(channel, channel != onlyChannel);
        }
    }
    std::vector<float> stereo;
    std::vector<float> block(2 * 4096);
    while (const std::size_t frames =
               module.read_interleaved_stereo(sampleRate, 4096, block.data())) {
        stereo.insert(stereo.end(), block.begin(), block.begin() + 2 * static_cast<long>(frames));
    }
    return stereo;
}

std::vector<float> ToMono(const std::vector<float>& stereo) {
    std::vector<float> mono(stereo.size() / 2);
    for (std::size_t i = 0; i < mono.size(); ++i) {
        mono[i] = 0.5f * (stereo[2 * i] + stereo[2 * i + 1]);
    }
    return mono;
}

double Rms(const std::vector<float>& mono, std::size_t first, std::size_t count) {
    double sum = 0.0;
    for (std::size_t i = first; i < first + count && i < mono.size(); ++i) {
        sum += static_cast<double>(mono[i]) * mono[i];
    }
    return count ? std::sqrt(sum / static_cast<double>(count)) : 0.0;
}

std::vector<float> KWeighted(const std::vector<float>& stereo) {
    struct Biquad {
        double b0, b1, b2, a1, a2;
    };
    // The standard's coefficients at 48 kHz.
    static constexpr Biquad kStages[] = {
        {1.53512485958697, -2.69169618940638, 1.19839281085285, -1.69065929318241,
         0.73248077421585},
        {1.0, -2.0, 1.0, -1.99004745483398, 0.99007225036621},
    };
    std::vector<float> weighted(stereo);
    for (const Biquad& stage : kStages) {
        for (std::size_t channel = 0; channel < 2; ++channel) {
            double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
            for (std::size_t i = channel; i < weighted.size(); i += 2) {
                const double x = weighted[i];
                const double y =
                    stage.b0 * x + stage.b1 * x1 + stage.b2 * x2 - stage.a1 * y1 - stage.a2 * y2;
                x2 = x1;
                x1 = x;
                y2 = y1;
                y1 = y;
                weighted[i] = static_cast<float>(y);
            }
        }
    }
    return weighted;
}

XmModule OneNoteModule(const XmInstrument& instrument, int note, int row) {
    XmModule module;
    module.name = "one note";
    module.numChannels = 1;
    module.speed = 6;
    module.bpm = 125;
    module.orders = {0};
    XmPattern pattern;
    pattern.numRows = 32;
    pattern.cells.resize(32);
    pattern.cells[static_cast<std::size_t>(row)].note = static_cast<std::uint8_t>(note);
    pattern.cells[static_cast<std::size_t>(row)].instrument = 1;
    module.patterns = {pattern};
    module.instruments = {instrument};
    return module;
}

double StrongestPeriod(const std::vector<float>& mono, std::size_t first, std::size_t count,
                       int minFrames, int maxFrames) {
    auto scoreAt = [&](int lag) {
        double score = 0.0;
        for (std::size_t i = first; i < first + count; ++i) {
            score += static_cast<double>(mono[i]) * mono[i + static_cast<std::size_t>(lag)];
        }
        return score;
    };
    int best = minFrames;
    double bestScore = scoreAt(minFrames);
    for (int lag = minFrames + 1; lag <= maxFrames; ++lag) {
        if (const double score = scoreAt(lag); score > bestScore) {
            bestScore = score;
            best = lag;
        }
    }
    // Between frames: the vertex of a parabola through the peak and its neighbours.
    const double left = scoreAt(best - 1);
    const double right = scoreAt(best + 1);
    const double denominator = left - 2.0 * bestScore + right;
    return denominator != 0.0 ? best + 0.5 * (left - right) / denominator : best;
}
