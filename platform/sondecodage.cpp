#include "sondecodage.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

namespace {

// A teacher's recording, with room to spare: 16 MiB is a minute and a half of
// CD-quality stereo. A larger file plays the chime rather than fill memory.
constexpr qint64 octetsMax = 16 << 20;
// A compressed file unpacks to several times its size: at most three minutes
// at 48 kHz are kept.
constexpr sf_count_t tramesMax = 48000 * 180;

// libsndfile reads the whole file from memory, the built-in chime as any other.
struct Memoire
{
    QByteArrayView octets;
    sf_count_t position = 0;
};

Memoire &memoire(void *m)
{
    return *static_cast<Memoire *>(m);
}

SF_VIRTUAL_IO lectureEnMemoire = {
    [](void *m) -> sf_count_t { return memoire(m).octets.size(); },
    [](sf_count_t decalage, int depuis, void *m) -> sf_count_t {
        Memoire &l = memoire(m);
        const sf_count_t base = depuis == SEEK_SET ? 0 : depuis == SEEK_CUR ? l.position : l.octets.size();
        l.position = std::clamp<sf_count_t>(base + decalage, 0, l.octets.size());
        return l.position;
    },
    [](void *vers, sf_count_t n, void *m) -> sf_count_t {
        Memoire &l = memoire(m);
        n = std::min<sf_count_t>(n, l.octets.size() - l.position);
        std::memcpy(vers, l.octets.data() + l.position, n);
        l.position += n;
        return n;
    },
    [](const void *, sf_count_t, void *) -> sf_count_t { return 0; },
    [](void *m) -> sf_count_t { return memoire(m).position; },
};

short seizeBits(float x)
{
    return short(std::lround(std::clamp(x, -1.0f, 1.0f) * 32767));
}

}

// The file is mapped rather than read: its bytes are not copied.
std::optional<Echantillons> decodeFichier(const QString &chemin, const FonctionsSndfile &sf)
{
    QFile fichier(chemin);
    if (chemin.isEmpty() || !fichier.open(QIODevice::ReadOnly) || fichier.size() > octetsMax)
        return {};
    const uchar *carte = fichier.map(0, fichier.size());
    // A compressed resource, the chime, cannot be mapped.
    const QByteArray lus = carte ? QByteArray() : fichier.readAll();
    Memoire lu{carte ? QByteArrayView(carte, fichier.size()) : QByteArrayView(lus)};
    if (lu.octets.isEmpty())
        return {};
    SF_INFO info{};
    SNDFILE *son = sf.sf_open_virtual(&lectureEnMemoire, SFM_READ, &info, &lu);
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
