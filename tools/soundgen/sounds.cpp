#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace kvoro {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = kSampleRate;
// Peaks well below full scale; the sigh is meant to be soft.
constexpr double kRattlePeak = 0.70;
constexpr double kFanfarePeak = 0.60;
constexpr double kSighPeak = 0.45;

using Signal = std::vector<double>;

// xorshift32: small, fast and the same on every build machine.
class Random {
public:
    explicit Random(std::uint32_t seed) : state_(seed ? seed : 1) {}
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    double uniform() { return next() / 4294967296.0; }           // [0, 1)
    double between(double low, double high) { return low + (high - low) * uniform(); }
    double noise() { return 2 * uniform() - 1; }

private:
    std::uint32_t state_;
};

// A two-pole resonator: rings at `frequency`, dying away by 60 dB in `decay` seconds.
class Resonator {
public:
    Resonator(double frequency, double decay) {
        const double r = std::pow(0.001, 1 / (decay * kRate));
        a1_ = 2 * r * std::cos(2 * kPi * frequency / kRate);
        a2_ = -r * r;
        gain_ = 1 - r;
    }
    double step(double in) {
        const double out = gain_ * in + a1_ * y1_ + a2_ * y2_;
        y2_ = y1_;
        y1_ = out;
        return out;
    }

private:
    double a1_, a2_, gain_;
    double y1_ = 0, y2_ = 0;
};

struct Mode {
    double frequency, decay, level;
};

// One die striking something: a very short noise burst rings the die's own
// modes and those of what it hits.
void addImpact(Signal& out, double time, double amplitude, const std::vector<Mode>& modes, Random& random) {
    const auto start = static_cast<std::size_t>(time * kRate);
    if (start >= out.size()) return;
    std::vector<Resonator> resonators;
    for (const Mode& m : modes) resonators.emplace_back(m.frequency * random.between(0.94, 1.06), m.decay);
    const double burst = random.between(0.0006, 0.0015);
    const std::size_t length = std::min(out.size() - start, static_cast<std::size_t>(0.12 * kRate));
    for (std::size_t i = 0; i < length; ++i) {
        const double t = i / kRate;
        const double excitation = random.noise() * std::exp(-t / burst);
        double ring = 0;
        for (std::size_t m = 0; m < modes.size(); ++m) ring += modes[m].level * resonators[m].step(excitation);
        out[start + i] += amplitude * (ring + 0.04 * excitation);
    }
}

// Plastic dice on wood: the die's sharp clicks and the table's duller knock.
const std::vector<Mode> kTableModes{{2300, 0.018, 1.0}, {3400, 0.012, 0.8}, {4600, 0.008, 0.6}, {750, 0.03, 0.5}};
// Inside a leather cup the clicks are softer and the cup booms a little.
const std::vector<Mode> kCupModes{{1900, 0.012, 0.8}, {2900, 0.008, 0.5}, {420, 0.06, 0.9}, {650, 0.04, 0.6}};

// A handful of impacts around `time`, as several dice hit within a few milliseconds.
void addCluster(Signal& out, double time, double spread, int count, double amplitude, const std::vector<Mode>& modes,
                Random& random) {
    for (int i = 0; i < count; ++i)
        addImpact(out, time + random.uniform() * spread, amplitude * random.between(0.4, 1.0), modes, random);
}

// Dice thrown on the table: each die bounces with shrinking gaps and
// strength, then tips over a few times before it lies still.
void addThrow(Signal& out, double start, int dice, Random& random) {
    for (int die = 0; die < dice; ++die) {
        double time = start + random.between(0.0, 0.1);
        double gap = random.between(0.09, 0.14);
        double amplitude = random.between(0.8, 1.0);
        while (gap > 0.012) {
            addImpact(out, time, amplitude, kTableModes, random);
            time += gap * random.between(0.85, 1.15);
            gap *= random.between(0.62, 0.75);
            amplitude *= 0.72;
        }
        amplitude = random.between(0.15, 0.3);
        for (int tip = static_cast<int>(random.between(2, 5)); tip > 0; --tip) {
            time += random.between(0.04, 0.1);
            addImpact(out, time, amplitude, kTableModes, random);
            amplitude *= 0.7;
        }
    }
}

// Gentle reflections, so the rattle sounds like a room rather than a box.
void addRoom(Signal& signal, double delay, double feedback) {
    const auto d = static_cast<std::size_t>(delay * kRate);
    for (std::size_t i = d; i < signal.size(); ++i) signal[i] += feedback * signal[i - d];
}

// Removes what lies below the ear's interest (rumble, offset).
void highPass(Signal& signal, double cutoff) {
    const double a = std::exp(-2 * kPi * cutoff / kRate);
    double previousIn = 0, previousOut = 0;
    for (double& s : signal) {
        const double out = a * (previousOut + s - previousIn);
        previousIn = s;
        previousOut = out;
        s = out;
    }
}

// Short fades so that no sound starts or ends with a click.
void fadeEdges(Signal& signal, double fadeIn, double fadeOut) {
    const auto in = std::min(signal.size(), static_cast<std::size_t>(fadeIn * kRate));
    const auto out = std::min(signal.size(), static_cast<std::size_t>(fadeOut * kRate));
    for (std::size_t i = 0; i < in; ++i) signal[i] *= static_cast<double>(i) / in;
    for (std::size_t i = 0; i < out; ++i) signal[signal.size() - 1 - i] *= static_cast<double>(i) / out;
}

// Takes the edge off the clicks: a gentle one-pole low-pass.
void lowPass(Signal& signal, double cutoff) {
    const double a = 1 - std::exp(-2 * kPi * cutoff / kRate);
    double state = 0;
    for (double& s : signal) s = state += a * (s - state);
}

void filterFormants(Signal& signal, const std::vector<Mode>& formants) {
    std::vector<Resonator> resonators;
    for (const Mode& f : formants) resonators.emplace_back(f.frequency, f.decay);
    for (double& s : signal) {
        double out = 0.15 * s;
        for (std::size_t i = 0; i < formants.size(); ++i) out += formants[i].level * resonators[i].step(s);
        s = out;
    }
}

std::vector<std::int16_t> toPcm(const Signal& signal, double targetPeak) {
    double peak = 0;
    for (double s : signal) peak = std::max(peak, std::abs(s));
    const double scale = peak > 0 ? targetPeak / peak : 0;
    std::vector<std::int16_t> pcm;
    pcm.reserve(signal.size());
    for (double s : signal) pcm.push_back(static_cast<std::int16_t>(std::lround(s * scale * 32767)));
    return pcm;
}

// A voice of a few harmonics whose pitch follows `frequencyAt`.
template <typename Frequency, typename Envelope>
void addVoice(Signal& out, std::size_t start, std::size_t length, const std::vector<double>& harmonics,
              Frequency frequencyAt, Envelope envelopeAt) {
    double phase = 0;
    for (std::size_t i = 0; i < length && start + i < out.size(); ++i) {
        const double t = i / kRate;
        phase += 2 * kPi * frequencyAt(t) / kRate;
        double s = 0;
        for (std::size_t h = 0; h < harmonics.size(); ++h) s += harmonics[h] * std::sin((h + 1) * phase);
        out[start + i] += envelopeAt(t) * s;
    }
}

}  // namespace

std::size_t samplesFor(double seconds) { return static_cast<std::size_t>(std::lround(seconds * kRate)); }

std::vector<std::int16_t> cupRattle() {
    Signal out(samplesFor(0.85), 0.0);
    Random random(0x5EED0001u);
    // Three shakes of the cup, the dice knocking about inside at each turn.
    const double shakes[] = {0.02, 0.26, 0.50};
    for (double shake : shakes) {
        addCluster(out, shake, 0.09, 9, 1.0, kCupModes, random);
        addCluster(out, shake + 0.11, 0.05, 4, 0.45, kCupModes, random);
    }
    addRoom(out, 0.023, 0.25);
    highPass(out, 150);
    lowPass(out, 4000);
    fadeEdges(out, 0.002, 0.06);
    return toPcm(out, kRattlePeak);
}

std::vector<std::int16_t> tableRattle() {
    Signal out(samplesFor(0.83), 0.0);
    Random random(0x5EED0002u);
    addThrow(out, 0.01, 5, random);
    addRoom(out, 0.031, 0.2);
    highPass(out, 200);
    lowPass(out, 4000);
    fadeEdges(out, 0.002, 0.06);
    return toPcm(out, kRattlePeak);
}

std::vector<std::int16_t> pourRattle() {
    Signal out(samplesFor(1.11), 0.0);
    Random random(0x5EED0003u);
    // Two quick shakes, then the dice tumble out of the cup onto the table.
    addCluster(out, 0.02, 0.08, 8, 0.8, kCupModes, random);
    addCluster(out, 0.22, 0.08, 8, 0.8, kCupModes, random);
    addThrow(out, 0.38, 5, random);
    addRoom(out, 0.027, 0.22);
    highPass(out, 180);
    lowPass(out, 4000);
    fadeEdges(out, 0.002, 0.08);
    return toPcm(out, kRattlePeak);
}

std::vector<std::int16_t> zeroSigh() {
    const std::size_t length = samplesFor(0.51);
    Signal out(length, 0.0);
    // A soft, falling "aww": a voice-like tone, rich in harmonics, that sags
    // from G4 to D4 with a slow vibrato, shaped by the formants of the vowel.
    const double duration = length / kRate;
    std::vector<double> harmonics;
    for (int h = 1; h <= 10; ++h) harmonics.push_back(1.0 / h);
    addVoice(out, 0, length, harmonics,
             [duration](double t) {
                 const double fall = std::pow(t / duration, 1.3);
                 return 392.0 * std::pow(294.0 / 392.0, fall) * (1 + 0.012 * std::sin(2 * kPi * 5.5 * t));
             },
             [duration](double t) {
                 const double attack = std::min(1.0, t / 0.06);
                 const double release = std::min(1.0, (duration - t) / 0.18);
                 return attack * std::max(0.0, release) * (1 - 0.3 * t / duration);
             });
    filterFormants(out, {{650, 0.012, 1.0}, {1000, 0.010, 0.7}, {2600, 0.006, 0.15}});
    lowPass(out, 3000);
    fadeEdges(out, 0.002, 0.01);
    return toPcm(out, kSighPeak);
}

std::vector<std::int16_t> kvoroFanfare() {
    const std::size_t length = samplesFor(0.73);
    Signal out(length, 0.0);
    // C5 E5 G5 C6, each note ringing on under the next like a plucked bell;
    // the top note holds, with a touch of vibrato.
    const double notes[] = {523.25, 659.25, 783.99, 1046.5};
    const double step = 0.1;
    for (int n = 0; n < 4; ++n) {
        const bool last = n == 3;
        const auto start = static_cast<std::size_t>(n * step * kRate);
        const double frequency = notes[n];
        const double decay = last ? 0.28 : 0.16;
        addVoice(out, start, length - start, {1.0, 0.5, 0.25, 0.12},
                 [frequency, last](double t) {
                     return frequency * (last ? 1 + 0.006 * std::sin(2 * kPi * 6 * t) : 1.0);
                 },
                 [decay](double t) { return std::min(1.0, t / 0.005) * std::exp(-t / decay); });
    }
    fadeEdges(out, 0.002, 0.08);
    return toPcm(out, kFanfarePeak);
}

}  // namespace kvoro
