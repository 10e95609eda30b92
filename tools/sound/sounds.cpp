// The recipes of the eleven sounds. Each one is a few voices mixed into a
// buffer, then normalised to its own peak (the soft chime and the click
// stay quieter than the events) and faded at the tail.
#include "tools/sound/sounds.h"

using namespace dsp;

namespace {

double seconds_of(int i) { return static_cast<double>(i) / RATE; }

// --- shared voices -------------------------------------------------------

// A struck bar or bell: partials at the given frequency ratios, each with
// its own level and decay time.
struct Partial {
    double ratio, level, decay;
};

template <size_t N>
void strike_partials(Buffer& b, double start, double freq, double level, const Partial (&p)[N], double attack = 0.002) {
    const int first = at(start);
    double longest = 0;
    for (const Partial& q : p) longest = q.decay > longest ? q.decay : longest;
    const int length = at(attack + 7 * longest);
    for (int i = 0; i < length; ++i) {
        const double t = seconds_of(i);
        double x = 0;
        for (const Partial& q : p) {
            if (freq * q.ratio < RATE / 2 - 500)
                x += q.level * sine(TWO_PI * freq * q.ratio * t) * strike(t, attack, q.decay);
        }
        b.add(first + i, level * x);
    }
}

// Four resonances of a vowel, tuned afresh whenever the vowel glides.
struct Vowel {
    double f1, f2, f3, f4;
};
constexpr Vowel VOWEL_A = {780, 1250, 2600, 3400};
constexpr Vowel VOWEL_E = {450, 1950, 2650, 3450};
constexpr Vowel VOWEL_I = {290, 2250, 2950, 3500};
constexpr Vowel VOWEL_U = {340, 820, 2350, 3300};
constexpr Vowel VOWEL_O = {520, 900, 2450, 3300};

struct Formants {
    Biquad band[4];
    void tune(const Vowel& v) {
        band[0].bandpass(v.f1, v.f1 / 90);
        band[1].bandpass(v.f2, v.f2 / 110);
        band[2].bandpass(v.f3, v.f3 / 160);
        band[3].bandpass(v.f4, v.f4 / 220);
    }
    double run(double x) {
        return band[0].run(x) + 0.65 * band[1].run(x) + 0.4 * band[2].run(x) + 0.25 * band[3].run(x);
    }
};

// Moves a value toward a target with the given time constant, per sample.
struct Glide {
    double value;
    double run(double target, double seconds) {
        value += (target - value) * (1.0 - expo(-1.0 / (seconds * RATE)));
        return value;
    }
};

Vowel glide(Glide (&g)[4], const Vowel& to, double seconds) {
    return {g[0].run(to.f1, seconds), g[1].run(to.f2, seconds), g[2].run(to.f3, seconds), g[3].run(to.f4, seconds)};
}

// A brass note: a sawtooth whose upper harmonics open with the attack and
// close with the release, a small bend up into the pitch and, on long
// notes, a late vibrato.
void brass(Buffer& b, double start, double length, double freq, double level) {
    Phase phase;
    const double release = 0.09;
    const int first = at(start);
    const int count = at(length + release);
    for (int i = 0; i < count; ++i) {
        const double t = seconds_of(i);
        double env;
        if (t < 0.012) env = t / 0.012 * 1.15;
        else if (t < 0.05) env = 1.15 - 0.2 * (t - 0.012) / 0.038;
        else env = 0.95;
        if (t > length) env *= 0.5 + 0.5 * cosine(PI * (t - length) / release);
        const double open = env / 1.15; // brightness follows loudness
        const double tilt = 0.75 - 0.5 * open;
        double f = freq * (1.0 - 0.025 * expo(-t / 0.012));
        if (t > 0.18) f *= 1.0 + 0.005 * sine(TWO_PI * 5.5 * t) * (t - 0.18 < 0.2 ? (t - 0.18) / 0.2 : 1.0);
        const double x = saw_at(phase.step(f), f, 8000, tilt);
        b.add(first + i, level * env * soft_clip(1.3 * x));
    }
}

// --- the sounds ----------------------------------------------------------

// "Tit.wav": a dry click (new game asked, minimise, OK).
Buffer tit() {
    Buffer b(0.2);
    Noise noise(0x7171);
    Biquad snap, knock;
    snap.bandpass(3400, 1.4);
    knock.bandpass(1250, 7);
    const int first = at(0.004);
    for (int i = 0; i < at(0.08); ++i) {
        const double t = seconds_of(i);
        const double burst = noise.bipolar() * strike(t, 0.0003, 0.0012);
        const double tick = sine(TWO_PI * 2650 * t) * strike(t, 0.0004, 0.005);
        b.add(first + i, snap.run(burst) + 2.2 * knock.run(burst) + 0.35 * tick);
    }
    b.normalise(0.55);
    b.fade_tail(0.01);
    return b;
}

// "Dados.wav": two dice shaken in the hand, then thrown, bouncing and
// settling on the table.
void clack(Buffer& b, double start, double level, double tone, Noise& noise) {
    Biquad body, edge;
    body.bandpass(tone, 6);
    edge.bandpass(tone * 1.73, 9);
    const double ring = noise.range(0.003, 0.006);
    const int first = at(start);
    for (int i = 0; i < at(0.035); ++i) {
        const double t = seconds_of(i);
        const double x = noise.bipolar() * strike(t, 0.0002, 0.0018);
        const double ping = sine(TWO_PI * tone * 2.41 * t) * strike(t, 0.0002, ring);
        b.add(first + i, level * (body.run(x) * 1.6 + edge.run(x) + 0.12 * ping));
    }
}

void thud(Buffer& b, double start, double level) {
    const int first = at(start);
    for (int i = 0; i < at(0.09); ++i) {
        const double t = seconds_of(i);
        const double f = 140 + 90 * expo(-t / 0.01);
        b.add(first + i, level * sine(TWO_PI * f * t) * strike(t, 0.001, 0.018));
    }
}

Buffer dados() {
    Buffer b(1.1);
    Noise noise(0xDAD05);
    // In the hand: the dice knock against each other and the fingers, in
    // bursts that follow the shaking.
    for (int die = 0; die < 2; ++die) {
        for (double t = 0.01 + 0.012 * die; t < 0.5; t += noise.range(0.014, 0.045)) {
            const double shake = 0.45 + 0.55 * (0.5 + 0.5 * sine(TWO_PI * 6.5 * t));
            const double level = noise.range(0.25, 0.6) * shake;
            clack(b, t, level, noise.range(2100, 4300), noise);
        }
    }
    // On the table: each die lands, then bounces lower and sooner each time.
    const double lands[2] = {0.56, 0.61};
    for (int die = 0; die < 2; ++die) {
        double t = lands[die], gap = die == 0 ? 0.095 : 0.08, level = 1.0;
        const double tone = die == 0 ? 2600 : 3300;
        for (int bounce = 0; bounce < 7; ++bounce) {
            clack(b, t, level, tone * noise.range(0.93, 1.07), noise);
            thud(b, t, 0.5 * level);
            t += gap;
            gap *= 0.68;
            level *= 0.55;
        }
    }
    // A last short roll before both lie still.
    for (double t = 0.86; t < 0.97; t += noise.range(0.012, 0.02)) {
        const double level = noise.range(0.05, 0.12);
        clack(b, t, level, noise.range(2500, 3500), noise);
    }
    b.normalise(0.8);
    b.fade_tail(0.02);
    return b;
}

// "Perro.wav": a dog's double bark, for the throw of a 1 and a 2.
void bark(Buffer& b, double start, double length, double pitch, Noise& noise) {
    Phase phase, growl;
    Formants mouth;
    Biquad breath;
    breath.bandpass(1200, 1.5);
    OnePole dark;
    dark.cutoff(3000);
    Glide jitter{0};
    const int first = at(start);
    const int count = at(length);
    for (int i = 0; i < count; ++i) {
        const double t = seconds_of(i), u = t / length;
        // The pitch leaps up at the onset and falls through the bark.
        double f0 = u < 0.12 ? pitch * (0.8 + 0.35 * u / 0.12) : pitch * (1.15 - 0.6 * (u - 0.12));
        f0 *= 1.0 + 0.04 * jitter.run(noise.bipolar(), 0.004);
        // "wau": the mouth opens from u to a, then closes a little.
        const double open = u < 0.3 ? u / 0.3 : 1.0 - 0.5 * (u - 0.3) / 0.7;
        mouth.tune(
            {VOWEL_U.f1 + (VOWEL_A.f1 - VOWEL_U.f1) * open, VOWEL_U.f2 + (VOWEL_A.f2 - VOWEL_U.f2) * open, 2500, 3500});
        const double roughness = 1.0 + 0.6 * sine(growl.step(f0 * 0.5));
        const double voiced = saw_at(phase.step(f0), f0, 7000, 0.02) * roughness;
        const double x = mouth.run(voiced) + 0.12 * breath.run(noise.bipolar());
        double env = u < 0.06 ? u / 0.06 : expo(-(u - 0.06) / 0.4);
        env *= u > 0.85 ? (1.0 - u) / 0.15 : 1.0;
        b.add(first + i, env * dark.run(soft_clip(2.0 * x)));
    }
}

Buffer perro() {
    Buffer b(0.8);
    Noise noise(0xBA4C);
    bark(b, 0.02, 0.2, 520, noise);
    bark(b, 0.33, 0.24, 470, noise);
    b.normalise(0.85);
    b.fade_tail(0.02);
    return b;
}

// "Aleluya.wav": a choir sings "A-le-lu-ya" on a bright D major cadence,
// with a glockenspiel shining on the last chord.
struct Syllable {
    double start;
    Vowel onset, vowel; // the consonant's colour, then the vowel's
    double pitch[5];    // semitones from A4 for the five parts; 99 = silent
};

Buffer aleluya() {
    Buffer b(1.9);
    Noise noise(0xA1E1);
    const double SILENT = 99;
    const Syllable syllables[] = {
        {0.00, VOWEL_A, VOWEL_A, {-19, -12, -3, 5, SILENT}}, // A  (D major)
        {0.40, VOWEL_E, VOWEL_E, {-19, -12, -3, 0, SILENT}}, // le
        {0.58, VOWEL_U, VOWEL_U, {-19, -10, -2, 2, SILENT}}, // lu (G over D)
        {0.94, VOWEL_I, VOWEL_A, {-19, -12, -3, 5, 12}},     // ya (D major, high A)
    };
    const double end = 1.78;
    const double part_level[5] = {0.9, 0.75, 0.75, 0.85, 0.45};
    const double detune[3] = {-0.07, 0.0, 0.06}; // semitones between singers of a part
    Phase phase[5][3];
    Glide pitch[5] = {{-19}, {-12}, {-3}, {5}, {12}};
    double vibrato_phase[5][3];
    for (auto& part : vibrato_phase)
        for (double& v : part) v = noise.range(0, TWO_PI);
    Glide shape[4] = {{VOWEL_A.f1}, {VOWEL_A.f2}, {VOWEL_A.f3}, {VOWEL_A.f4}};
    Glide descant{0};
    Formants mouth;
    Biquad breath;
    breath.bandpass(1600, 0.7);
    for (int i = 0; i < b.size(); ++i) {
        const double t = seconds_of(i);
        int s = 0;
        while (s + 1 < 4 && t >= syllables[s + 1].start) ++s;
        const Syllable& syl = syllables[s];
        const double into = t - syl.start;
        const double next = s + 1 < 4 ? syllables[s + 1].start : end;
        // The "l" and "y" are short dips in loudness with the consonant's
        // colour; the vowel follows within a few hundredths of a second.
        const Vowel& target = into < 0.045 ? syl.onset : syl.vowel;
        mouth.tune(glide(shape, target, into < 0.045 ? 0.012 : 0.035));
        double loud = 1.0;
        if (s > 0 && into < 0.05) loud = 0.45 + 0.55 * (0.5 - 0.5 * cosine(PI * into / 0.05));
        if (next - t < 0.03 && s < 3) loud *= 0.45 + 0.55 * (next - t) / 0.03;
        loud *= gate(t, end, 0.06, 0.38);
        double source = 0;
        for (int p = 0; p < 5; ++p) {
            double level = part_level[p];
            if (p == 4) {
                level *= descant.run(syl.pitch[4] == SILENT ? 0.0 : 1.0, 0.08);
                if (level < 1e-4) continue;
            }
            const double semis = pitch[p].run(syl.pitch[p] == SILENT ? 12 : syl.pitch[p], 0.018);
            for (int c = 0; c < 3; ++c) {
                const double depth = 0.12 * (t < 0.2 ? t / 0.2 : 1.0);
                const double vib = depth * sine(TWO_PI * (5.1 + 0.35 * c) * t + vibrato_phase[p][c]);
                const double f = note(semis + detune[c] + vib);
                source += level * saw_at(phase[p][c].step(f), f, 7500, 0.03);
            }
        }
        // A breath of "h" before the first vowel.
        const double h = t < 0.06 ? 0.6 * (1.0 - t / 0.06) * breath.run(noise.bipolar()) : 0.0;
        b.add(i, loud * (mouth.run(source) * 0.25 + h));
    }
    const Partial glock[] = {{1.0, 1.0, 0.35}, {2.76, 0.25, 0.12}, {5.4, 0.08, 0.05}};
    strike_partials(b, 0.95, note(17), 0.1, glock);  // D6
    strike_partials(b, 1.03, note(21), 0.09, glock); // F#6
    strike_partials(b, 1.11, note(24), 0.08, glock); // A6
    b.normalise(0.8);
    b.fade_tail(0.05);
    return b;
}

// "Libre.wav": a trumpet call rising through the chord, released tokens
// leaving the jail.
Buffer libre() {
    Buffer b(1.45);
    const double step = 0.125;
    // G4 C5 E5 up to a held G5, a second trumpet a third or sixth below and
    // a horn on the low C when the call arrives.
    const double lead[] = {-2, 3, 7};
    const double second[] = {-5, -2, 3};
    for (int n = 0; n < 3; ++n) {
        brass(b, 0.02 + n * step, step * 0.8, note(lead[n]), 0.8);
        brass(b, 0.02 + n * step, step * 0.8, note(second[n]), 0.5);
    }
    const double arrive = 0.02 + 3 * step;
    brass(b, arrive, 0.85, note(10), 0.5);  // G5
    brass(b, arrive, 0.85, note(7), 0.35);  // E5
    brass(b, arrive, 0.85, note(3), 0.3);   // C5
    brass(b, arrive, 0.85, note(-9), 0.35); // C4
    b.normalise(0.8);
    b.fade_tail(0.03);
    return b;
}

// "Ajiji.wav": a mocking "a-ji-ji-ji" laugh with a wobbling, falling
// pitch, for a throw that no token can use.
Buffer ajiji() {
    Buffer b(1.15);
    Noise noise(0xA11111);
    struct Sound {
        double start, length, pitch, fall; // pitch in semitones from A4
        bool fricative;                    // the Spanish "j" before the vowel
        Vowel vowel;
    };
    const Sound syllables[] = {
        {0.03, 0.19, -2, 0.8, false, VOWEL_A},
        {0.28, 0.14, 3, 1.5, true, VOWEL_I},
        {0.49, 0.14, 2, 1.5, true, VOWEL_I},
        {0.70, 0.38, 0, 4.0, true, VOWEL_I},
    };
    Phase phase[2];
    Formants mouth;
    Biquad hiss;
    hiss.bandpass(2300, 1.8);
    for (int i = 0; i < b.size(); ++i) {
        const double t = seconds_of(i);
        double x = 0;
        for (const Sound& s : syllables) {
            const double fric = s.fricative ? 0.055 : 0.0;
            const double into = t - s.start;
            if (into < 0 || into > s.length + fric) continue;
            if (into < fric) {
                x += 0.3 * hiss.run(noise.bipolar()) * gate(into, fric + 0.01, 0.015, 0.02);
                continue;
            }
            const double v = into - fric;
            mouth.tune(s.vowel);
            // The warble: a wide, fast vibrato on a pitch that sinks.
            const double wobble = 0.7 * sine(TWO_PI * 7.5 * v);
            const double semis = s.pitch - s.fall * v / s.length + wobble;
            const double f = note(semis - 12);
            const double src =
                saw_at(phase[0].step(f), f, 7000, 0.0) + 0.6 * saw_at(phase[1].step(f * 1.006), f * 1.006, 7000, 0.0);
            // A laugh pulses within each vowel.
            const double pulse = 0.75 + 0.25 * sine(TWO_PI * 11 * v);
            x += 0.3 * mouth.run(src) * pulse * gate(v, s.length, 0.02, 0.06);
        }
        b.add(i, x);
    }
    b.normalise(0.8);
    b.fade_tail(0.02);
    return b;
}

// "Turn.wav": a soft two-note chime as the turn passes.
Buffer turn() {
    Buffer b(1.3);
    // A vibraphone-like bar: the fundamental rings, the overtones fade fast.
    const Partial bar[] = {{1.0, 1.0, 0.38}, {2.0, 0.1, 0.2}, {4.0, 0.08, 0.1}, {10.0, 0.015, 0.03}};
    strike_partials(b, 0.01, note(10), 1.0, bar, 0.005); // G5
    strike_partials(b, 0.17, note(17), 0.9, bar, 0.005); // D6
    b.normalise(0.45);
    b.fade_tail(0.15);
    return b;
}

// "Jail.wav": an iron door slamming shut, then its bolt clanking home.
Buffer jail() {
    Buffer b(1.2);
    Noise noise(0x1A11);
    const Partial door[] = {
        {1.0, 0.5, 0.45},  {2.17, 1.0, 0.5},   {3.58, 0.8, 0.38},  {5.39, 0.7, 0.3},
        {7.95, 0.6, 0.25}, {10.8, 0.5, 0.2},   {14.4, 0.35, 0.15}, {19.2, 0.3, 0.12},
        {25.9, 0.2, 0.09}, {33.9, 0.12, 0.06}, {2.185, 0.6, 0.5},  {5.42, 0.4, 0.3},
    };
    strike_partials(b, 0.02, 97, 0.35, door, 0.001);
    // The impact itself: a burst of noise and a heavy thump.
    Biquad crash;
    crash.bandpass(1500, 0.7);
    const int first = at(0.02);
    for (int i = 0; i < at(0.4); ++i) {
        const double t = seconds_of(i);
        const double f = 55 + 40 * expo(-t / 0.02);
        b.add(first + i, 1.4 * crash.run(noise.bipolar()) * strike(t, 0.0005, 0.012) +
                             0.7 * sine(TWO_PI * f * t) * strike(t, 0.001, 0.07));
    }
    const Partial bolt[] = {{1.0, 1.0, 0.06}, {1.67, 0.7, 0.05}, {2.63, 0.5, 0.04}, {3.65, 0.3, 0.03}};
    strike_partials(b, 0.42, 1320, 0.3, bolt, 0.0005);
    strike_partials(b, 0.49, 1580, 0.22, bolt, 0.0005);
    for (double t : {0.42, 0.49}) {
        Biquad tick;
        tick.bandpass(4200, 2);
        for (int i = 0; i < at(0.02); ++i)
            b.add(at(t) + i, 0.5 * tick.run(noise.bipolar()) * strike(seconds_of(i), 0.0002, 0.003));
    }
    b.normalise(0.9);
    b.fade_tail(0.1);
    return b;
}

// "No.wav": a short, rough buzz for a refused drop.
Buffer no() {
    Buffer b(0.4);
    Phase low, high;
    OnePole dark;
    dark.cutoff(3500);
    const double start = 0.01, length = 0.3;
    for (int i = 0; i < b.size(); ++i) {
        const double t = seconds_of(i) - start;
        const double g = gate(t, length, 0.006, 0.035);
        if (g <= 0) continue;
        const double f = 118 - 10 * t / length;
        // Two tones a semitone apart beat against each other: harsh on purpose.
        const double x = saw_at(low.step(f), f, 6000) + 0.8 * saw_at(high.step(f * 1.06), f * 1.06, 6000);
        b.add(i, g * dark.run(soft_clip(1.8 * x)));
    }
    b.normalise(0.6);
    b.fade_tail(0.01);
    return b;
}

// "Ficha.wav": a round pop and a small sparkle as a token reaches home.
Buffer ficha() {
    Buffer b(0.45);
    Noise noise(0xF1C4A);
    Biquad snap;
    snap.bandpass(2200, 1.2);
    Phase phase;
    const int first = at(0.005);
    for (int i = 0; i < at(0.15); ++i) {
        const double t = seconds_of(i);
        const double f = 420 + 1100 * expo(-t / 0.009);
        const double body = sine(phase.step(f)) * strike(t, 0.0008, 0.022);
        const double click = snap.run(noise.bipolar()) * strike(t, 0.0002, 0.0015);
        b.add(first + i, body + 0.8 * click);
    }
    const Partial bell[] = {{1.0, 1.0, 0.09}, {2.0, 0.2, 0.05}, {3.0, 0.08, 0.03}};
    strike_partials(b, 0.06, note(19), 0.22, bell); // E6
    strike_partials(b, 0.10, note(26), 0.16, bell); // B6
    b.normalise(0.75);
    b.fade_tail(0.03);
    return b;
}

// "Bravo.wav": a victory fanfare over a crowd's applause.
void clap(Buffer& b, double start, double level, double tone, double q, double decay, Noise& noise) {
    Biquad hands;
    hands.bandpass(tone, q);
    const int first = at(start);
    for (int i = 0; i < at(decay * 6); ++i) {
        const double t = seconds_of(i);
        b.add(first + i, level * hands.run(noise.bipolar()) * strike(t, 0.0006, decay));
    }
}

Buffer bravo() {
    Buffer b(2.0);
    Noise noise(0xB4A70);
    // Fourteen people clapping, each at a slightly different pace; the
    // crowd swells in and dies away.
    for (int person = 0; person < 14; ++person) {
        const double pace = noise.range(3.8, 5.6);
        const double loudness = noise.range(0.5, 1.0);
        const double tone = noise.range(900, 2400);
        for (double t = 0.05 + noise.range(0, 0.3); t < 1.85; t += noise.range(0.85, 1.15) / pace) {
            const double crowd = (t < 0.45 ? t / 0.45 : 1.0) * (t > 1.35 ? (1.95 - t) / 0.6 : 1.0);
            const double level = 0.9 * loudness * crowd * noise.range(0.7, 1.0);
            const double pitch = tone * noise.range(0.9, 1.1);
            const double q = noise.range(1.2, 2.4);
            clap(b, t, level, pitch, q, noise.range(0.004, 0.009), noise);
        }
    }
    // Ta-ta-ta taaa, ta taaaa.
    struct Note {
        double start, length, lead, under;
    };
    const Note call[] = {
        {0.03, 0.08, -2, -5}, {0.14, 0.08, 3, -2}, {0.25, 0.08, 7, 3},
        {0.36, 0.3, 10, 7},   {0.7, 0.1, 7, 3},    {0.84, 0.6, 15, 10},
    };
    for (const Note& n : call) {
        brass(b, n.start, n.length, note(n.lead), 0.3);
        brass(b, n.start, n.length, note(n.under), 0.2);
    }
    brass(b, 0.84, 0.6, note(3), 0.15); // C5
    brass(b, 0.84, 0.6, note(-9), 0.2); // C4
    b.normalise(0.85);
    b.fade_tail(0.05);
    return b;
}

} // namespace

std::vector<SoundFile> make_all_sounds() {
    struct Recipe {
        const char* name;
        Buffer (*make)();
    };
    const Recipe recipes[] = {
        {"Tit.wav", tit},     {"Dados.wav", dados}, {"Perro.wav", perro}, {"Aleluya.wav", aleluya},
        {"Libre.wav", libre}, {"Ajiji.wav", ajiji}, {"Turn.wav", turn},   {"Jail.wav", jail},
        {"No.wav", no},       {"Ficha.wav", ficha}, {"Bravo.wav", bravo},
    };
    std::vector<SoundFile> files;
    for (const Recipe& r : recipes) files.push_back({r.name, encode_wave(r.make())});
    return files;
}
