#include "tools/sound/dsp.h"

#include <cmath>

namespace dsp {

// Only floor, ldexp and the four operations are used from here on: all of
// them are exact or correctly rounded, so every machine gets the same bits.

double sine(double x) {
    double r = x - TWO_PI * std::floor(x / TWO_PI + 0.5); // [-pi, pi]
    if (r > PI / 2) r = PI - r;
    else if (r < -PI / 2) r = -PI - r;
    const double r2 = r * r;
    // Taylor series to r^17: the error at pi/2 is below 1e-13.
    return r *
           (1 -
            r2 / 6 *
                (1 - r2 / 20 *
                         (1 - r2 / 42 *
                                  (1 - r2 / 72 * (1 - r2 / 110 * (1 - r2 / 156 * (1 - r2 / 210 * (1 - r2 / 272))))))));
}

double cosine(double x) { return sine(x + PI / 2); }

double expo(double x) {
    if (x < -700) return 0.0;
    if (x > 700) x = 700;
    const double k = std::floor(x / LN2 + 0.5);
    const double r = x - k * LN2; // |r| <= ln 2 / 2
    double p = 1.0;
    for (int n = 13; n >= 1; --n) p = 1.0 + p * r / n;
    return std::ldexp(p, static_cast<int>(k));
}

double exp2_of(double x) { return expo(x * LN2); }

double note(double semitones_from_a4) { return 440.0 * exp2_of(semitones_from_a4 / 12.0); }

double soft_clip(double x) {
    if (x > 20) return 1.0;
    if (x < -20) return -1.0;
    return 1.0 - 2.0 / (expo(2.0 * x) + 1.0);
}

uint64_t Noise::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Noise::unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

void Biquad::set(double b0, double b1, double b2, double a0, double a1, double a2) {
    b0_ = b0 / a0;
    b1_ = b1 / a0;
    b2_ = b2 / a0;
    a1_ = a1 / a0;
    a2_ = a2 / a0;
}

void Biquad::lowpass(double freq, double q) {
    const double w = TWO_PI * freq / RATE, c = cosine(w), alpha = sine(w) / (2 * q);
    set((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::highpass(double freq, double q) {
    const double w = TWO_PI * freq / RATE, c = cosine(w), alpha = sine(w) / (2 * q);
    set((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::bandpass(double freq, double q) {
    const double w = TWO_PI * freq / RATE, c = cosine(w), alpha = sine(w) / (2 * q);
    set(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

double Biquad::run(double x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

void OnePole::cutoff(double freq) { a_ = 1.0 - expo(-TWO_PI * freq / RATE); }

double OnePole::run(double x) { return y_ += a_ * (x - y_); }

double Phase::step(double freq) {
    const double p = phase_;
    phase_ += TWO_PI * freq / RATE;
    while (phase_ >= TWO_PI) phase_ -= TWO_PI;
    return p;
}

double saw_at(double phase, double freq, double ceiling, double tilt) {
    const int harmonics = freq > 0 ? static_cast<int>(ceiling / freq) : 0;
    if (harmonics < 1) return 0.0;
    // sin(k p) by the Chebyshev recurrence: one sine and one cosine per call.
    const double s1 = sine(phase), c2 = 2.0 * cosine(phase), fall = expo(-tilt);
    double prev = 0.0, cur = s1, weight = 1.0, sum = 0.0;
    for (int k = 1; k <= harmonics; ++k) {
        sum += weight * cur / k;
        const double next = c2 * cur - prev;
        prev = cur;
        cur = next;
        weight *= fall;
    }
    return sum;
}

double strike(double t, double attack, double decay) {
    if (t < 0) return 0.0;
    if (t < attack) return 0.5 - 0.5 * cosine(PI * t / attack);
    return expo(-(t - attack) / decay);
}

double gate(double t, double length, double rise, double fall) {
    if (t < 0 || t > length) return 0.0;
    if (t < rise) return 0.5 - 0.5 * cosine(PI * t / rise);
    if (t > length - fall) return 0.5 - 0.5 * cosine(PI * (length - t) / fall);
    return 1.0;
}

Buffer::Buffer(double seconds) : samples(static_cast<size_t>(at(seconds)), 0.0) {}

void Buffer::add(int i, double x) {
    if (i >= 0 && i < size()) samples[static_cast<size_t>(i)] += x;
}

void Buffer::normalise(double peak) {
    double most = 0.0;
    for (double s : samples) most = std::fabs(s) > most ? std::fabs(s) : most;
    if (most <= 0.0) return;
    const double scale = peak / most;
    for (double& s : samples) s *= scale;
}

void Buffer::fade_tail(double seconds) {
    const int n = at(seconds);
    for (int i = 0; i < n && i < size(); ++i) {
        const double g = 0.5 - 0.5 * cosine(PI * i / n);
        samples[static_cast<size_t>(size() - 1 - i)] *= g;
    }
}

} // namespace dsp
