// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
// Synthesises the game's sounds: the "Bravo" fanfare, the "Echec" motif and
// the chime played in place of a missing sound.
// Usage: gibetto_sons jeu|integres DIR

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const int sampleRate = 22050;

struct Note
{
    double start;
    double length;
    double frequency;
    double volume;
};

using Timbre = std::vector<double>;

double noteFrequency(int semitonesFromA4)
{
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

void addNote(std::vector<double> &samples, const Note &note, const Timbre &harmonics,
             double attack, double release, double vibrato)
{
    const int first = int(note.start * sampleRate);
    const int count = int((note.length + release) * sampleRate);
    if (first + count > int(samples.size()))
        samples.resize(first + count, 0.0);
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / sampleRate;
        double envelope = std::min(1.0, t / attack) * (1.0 - 0.25 * std::min(1.0, t / note.length));
        if (t > note.length)
            envelope *= std::max(0.0, 1.0 - (t - note.length) / release);
        const double wobble = 1.0 + vibrato * std::sin(2 * M_PI * 5.5 * t) * std::min(1.0, t / 0.2);
        phase += 2 * M_PI * note.frequency * wobble / sampleRate;
        double value = 0.0;
        for (size_t h = 0; h < harmonics.size(); ++h)
            value += harmonics[h] * std::sin((h + 1) * phase);
        samples[first + i] += note.volume * envelope * value;
    }
}

// Bell partials are inharmonic and each dies away at its own pace.
void addBell(std::vector<double> &samples, double start, double frequency, double volume)
{
    const struct { double ratio, level, decay; } partials[] = {
        {1.0, 1.0, 5.0}, {2.0, 0.45, 8.0}, {2.76, 0.25, 11.0}, {5.4, 0.08, 18.0},
    };
    const int first = int(start * sampleRate);
    for (int i = first; i < int(samples.size()); ++i) {
        const double t = double(i - first) / sampleRate;
        const double attack = std::min(1.0, t / 0.004);
        double value = 0.0;
        for (const auto &p : partials)
            value += p.level * std::exp(-p.decay * t) * std::sin(2 * M_PI * frequency * p.ratio * t);
        samples[i] += volume * attack * value;
    }
}

// Scales to a comfortable peak, softens both ends and pads with silence, so
// that a looping player goes from the last sample to the first without a click.
std::vector<double> finish(std::vector<double> samples, double fadeIn, double fadeOut, double silence)
{
    double peak = 0.0;
    for (double s : samples)
        peak = std::max(peak, std::abs(s));
    if (peak > 0.0) {
        for (double &s : samples)
            s *= 0.7 / peak;
    }
    const int in = std::max(1, int(fadeIn * sampleRate));
    const int out = std::max(1, int(fadeOut * sampleRate));
    const int n = int(samples.size());
    for (int i = 0; i < std::min(in, n); ++i)
        samples[i] *= 0.5 - 0.5 * std::cos(M_PI * i / in);
    for (int i = 0; i < std::min(out, n); ++i)
        samples[n - 1 - i] *= 0.5 - 0.5 * std::cos(M_PI * i / out);
    samples.resize(n + int(silence * sampleRate), 0.0);
    return samples;
}

std::vector<double> bravo()
{
    const Timbre brass{1.0, 0.55, 0.4, 0.25, 0.15, 0.08};
    std::vector<double> samples;
    const int g4 = -2, c5 = 3, e5 = 7, g5 = 10, c6 = 15;
    const Note fanfare[] = {
        {0.00, 0.11, noteFrequency(g4), 0.8}, {0.13, 0.11, noteFrequency(c5), 0.8},
        {0.26, 0.11, noteFrequency(e5), 0.8}, {0.39, 0.24, noteFrequency(g5), 0.9},
        {0.66, 0.10, noteFrequency(e5), 0.8}, {0.78, 0.70, noteFrequency(c6), 1.0},
        {0.78, 0.70, noteFrequency(g5), 0.5}, {0.78, 0.70, noteFrequency(e5), 0.4},
    };
    for (const Note &note : fanfare)
        addNote(samples, note, brass, 0.012, 0.06, note.start > 0.7 ? 0.004 : 0.0);
    return finish(samples, 0.004, 0.25, 0.45);
}

std::vector<double> echec()
{
    const Timbre soft{1.0, 0.3, 0.12, 0.05};
    std::vector<double> samples;
    const int g4 = -2, fSharp4 = -3, f4 = -4, e4 = -5;
    const Note motif[] = {
        {0.00, 0.30, noteFrequency(g4), 0.9}, {0.38, 0.30, noteFrequency(fSharp4), 0.85},
        {0.76, 0.30, noteFrequency(f4), 0.8}, {1.14, 0.75, noteFrequency(e4), 0.8},
    };
    for (const Note &note : motif)
        addNote(samples, note, soft, 0.03, 0.08, note.length > 0.5 ? 0.012 : 0.0);
    return finish(samples, 0.01, 0.35, 0.45);
}

std::vector<double> chime()
{
    std::vector<double> samples(int(0.7 * sampleRate), 0.0);
    addBell(samples, 0.0, noteFrequency(10), 0.8);
    addBell(samples, 0.14, noteFrequency(15), 0.7);
    return finish(samples, 0.002, 0.25, 0.05);
}

bool write(const std::vector<double> &samples, const std::filesystem::path &path)
{
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), sf_strerror(nullptr));
        return false;
    }
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    const sf_count_t written = sf_write_double(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
    return written == sf_count_t(samples.size());
}

} // namespace

int main(int argc, char *argv[])
{
    const std::string kind = argc == 3 ? argv[1] : "";
    if (kind != "jeu" && kind != "integres") {
        std::fprintf(stderr, "usage: gibetto_sons jeu|integres DIR\n");
        return 2;
    }
    const std::filesystem::path dir(argv[2]);
    std::filesystem::create_directories(dir);
    bool ok = true;
    if (kind == "jeu") {
        ok = write(bravo(), dir / "Bravo.wav") && ok;
        ok = write(echec(), dir / "Echec.wav") && ok;
    } else {
        ok = write(chime(), dir / "carillon.wav");
    }
    return ok ? 0 : 1;
}
