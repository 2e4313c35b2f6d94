// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sondecodage.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// A teacher's recording, with room to spare: 16 MiB is a minute and a half of
// CD-quality stereo. A larger file plays the chime rather than fill memory.
constexpr qint64 octetsMax = 16 << 20;
// A compressed file unpacks to several times its size: at most three minutes
// at 48 kHz are kept.
constexpr sf_count_t tramesMax = 48000 * 180;

// libsndfile reads the file as it decodes it, a block at a time, through
// Qt: the game keeps no copy of its bytes. A file cut meanwhile, as a copy
// over it does first, ends there: mapped, the file faulted (SIGBUS) on the
// first page past its new end.
QIODevice &fichierLu(void *f)
{
    return *static_cast<QIODevice *>(f);
}

SF_VIRTUAL_IO lectureParQt = {
    [](void *f) -> sf_count_t { return fichierLu(f).size(); },
    [](sf_count_t decalage, int depuis, void *f) -> sf_count_t {
        QIODevice &lu = fichierLu(f);
        const sf_count_t base = depuis == SEEK_SET ? 0 : depuis == SEEK_CUR ? lu.pos() : lu.size();
        lu.seek(std::clamp<sf_count_t>(base + decalage, 0, lu.size()));
        return lu.pos();
    },
    [](void *vers, sf_count_t n, void *f) -> sf_count_t {
        return std::max<qint64>(fichierLu(f).read(static_cast<char *>(vers), n), 0);
    },
    [](const void *, sf_count_t, void *) -> sf_count_t { return 0; },
    [](void *f) -> sf_count_t { return fichierLu(f).pos(); },
};

short seizeBits(float x)
{
    return short(std::lround(std::clamp(x, -1.0f, 1.0f) * 32767));
}

}

std::optional<Echantillons> decode(QIODevice &fichier, const FonctionsSndfile &sf)
{
    if (fichier.size() <= 0 || fichier.size() > octetsMax)
        return {};
    SF_INFO info{};
    SNDFILE *son = sf.sf_open_virtual(&lectureParQt, SFM_READ, &info, &fichier);
    if (!son)
        return {};
    Echantillons e;
    e.taux = info.samplerate;
    e.canaux = info.channels == 2 ? 2 : 1;
    e.pcm.reserve(std::clamp<sf_count_t>(info.frames, 0, tramesMax) * e.canaux);
    // Read as floats from -1 to 1, whatever the file holds: libsndfile's
    // 16-bit reading leaves floating-point samples silent.
    std::vector<float> bloc(4096 * info.channels);
    sf_count_t trames = 0, n = 0;
    while (trames < tramesMax && (n = sf.sf_readf_float(son, bloc.data(), 4096)) > 0) {
        trames += n;
        for (sf_count_t t = 0; t < n; ++t) {
            const float *trame = bloc.data() + t * info.channels;
            if (info.channels > 2) {
                e.pcm.push_back(seizeBits(std::accumulate(trame, trame + info.channels, 0.0f) / info.channels));
                continue;
            }
            for (int c = 0; c < info.channels; ++c)
                e.pcm.push_back(seizeBits(trame[c]));
        }
    }
    sf.sf_close(son);
    if (e.pcm.empty() || e.taux <= 0)
        return {};
    return e;
}

std::optional<Echantillons> decodeFichier(const QString &chemin, const FonctionsSndfile &sf)
{
    QFile fichier(chemin);
    if (chemin.isEmpty() || !fichier.open(QIODevice::ReadOnly))
        return {};
    return decode(fichier, sf);
}
