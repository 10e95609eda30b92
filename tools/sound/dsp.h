// Building blocks of the sound generator: math, noise, filters, envelopes
// and a mono buffer that voices are mixed into.
//
// The committed wave files must come out byte for byte the same on every
// machine that builds the generator, so nothing here calls the C library's
// transcendental functions (their last bits differ between library
// versions): sine and exponential are our own series over +, -, *, /,
// which IEEE 754 rounds the same everywhere, and the noise is our own
// generator with fixed seeds.
#pragma once

#include <cstdint>
#include <vector>

namespace dsp {

constexpr int RATE = 22050;
constexpr double PI = 3.14159265358979323846;
constexpr double TWO_PI = 2.0 * PI;
constexpr double LN2 = 0.69314718055994530942;

double sine(double x);
double cosine(double x);
double expo(double x);
// 2 to the power x.
double exp2_of(double x);
// Frequency of a note, in semitones from A4 (440 Hz).
double note(double semitones_from_a4);
// tanh, for soft saturation.
double soft_clip(double x);

// Deterministic noise (SplitMix64). Never draw twice within one call's
// arguments: their order of evaluation differs between compilers.
class Noise {
  public:
    explicit Noise(uint64_t seed) : state_(seed) {}
    uint64_t next();
    // Uniform in [0, 1).
    double unit();
    // Uniform in [-1, 1).
    double bipolar() { return 2.0 * unit() - 1.0; }
    // Uniform in [lo, hi).
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }

  private:
    uint64_t state_;
};

// Second-order section, coefficients after the Audio EQ Cookbook; the
// coefficients may be changed between samples (formant glides).
class Biquad {
  public:
    void lowpass(double freq, double q);
    void highpass(double freq, double q);
    // Constant 0 dB peak gain band-pass.
    void bandpass(double freq, double q);
    double run(double x);

  private:
    void set(double b0, double b1, double b2, double a0, double a1, double a2);
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// One-pole low-pass, for smoothing and darkening.
class OnePole {
  public:
    void cutoff(double freq);
    double run(double x);

  private:
    double a_ = 1, y_ = 0;
};

// A phase accumulator for oscillators whose pitch moves.
class Phase {
  public:
    // Advances by one sample at the given frequency; returns the phase
    // before the step, in radians within [0, 2 pi).
    double step(double freq);

  private:
    double phase_ = 0;
};

// A sawtooth as a sum of harmonics below a ceiling, so it never aliases;
// `tilt` > 0 darkens it (harmonic k weighted by exp(-tilt * (k - 1))).
double saw_at(double phase, double freq, double ceiling, double tilt = 0.0);

// Attack-then-exponential-decay envelope of a struck sound.
double strike(double t, double attack, double decay);
// Raised-cosine fade in over `rise`, hold, fade out over `fall`, for a
// sound lasting `length` seconds.
double gate(double t, double length, double rise, double fall);

// Mono mix buffer at RATE.
struct Buffer {
    explicit Buffer(double seconds);
    int size() const { return static_cast<int>(samples.size()); }
    double seconds() const { return static_cast<double>(samples.size()) / RATE; }
    // Adds x at sample index i if it lies inside the buffer.
    void add(int i, double x);
    // Scales the whole buffer so that its largest magnitude is `peak`.
    void normalise(double peak);
    // Fades the last `seconds` out, so the file never ends on a click.
    void fade_tail(double seconds);
    std::vector<double> samples;
};

inline int at(double seconds) { return static_cast<int>(seconds * RATE + 0.5); }

} // namespace dsp
