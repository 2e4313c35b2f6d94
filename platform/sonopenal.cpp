// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sonopenal.h"

#include "fichiers.h"

#define AL_ALEXT_PROTOTYPES
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <sndfile.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <algorithm>
#include <cmath>
#include <chrono>
#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <map>
#include <mutex>
#include <numeric>
#include <optional>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

extern char **environ;

Q_LOGGING_CATEGORY(lcSon, "gibetto.son")

namespace {

// A teacher's recording, with room to spare: 16 MiB is a minute and a half of
// CD-quality stereo. A larger file plays the chime rather than fill memory.
constexpr qint64 octetsMax = 16 << 20;
// A compressed file unpacks to several times its size: at most three minutes
// at 48 kHz are kept.
constexpr sf_count_t tramesMax = 48000 * 180;

// OpenAL Soft and libsndfile, with the eleven libraries they bring (ALSA,
// sndio, FLAC, Ogg, Vorbis, Opus, MP3...), are loaded by the sound thread at
// the first sound rather than by the program's loader: linked, they cost the
// start-up 2 to 3 ms of processor time, and with the thread started at once
// 1.5 MB resident (33.4 against 31.9 MB). Their names are those the packages
// link against.
struct Bibliotheques
{
    decltype(&::alcOpenDevice) alcOpenDevice;
    decltype(&::alcCloseDevice) alcCloseDevice;
    decltype(&::alcCreateContext) alcCreateContext;
    decltype(&::alcDestroyContext) alcDestroyContext;
    decltype(&::alcSetThreadContext) alcSetThreadContext;
    decltype(&::alcGetIntegerv) alcGetIntegerv;
    decltype(&::alcDevicePauseSOFT) alcDevicePauseSOFT;
    decltype(&::alcDeviceResumeSOFT) alcDeviceResumeSOFT;
    decltype(&::alGetError) alGetError;
    decltype(&::alGenSources) alGenSources;
    decltype(&::alDeleteSources) alDeleteSources;
    decltype(&::alGenBuffers) alGenBuffers;
    decltype(&::alDeleteBuffers) alDeleteBuffers;
    decltype(&::alBufferData) alBufferData;
    decltype(&::alSourcei) alSourcei;
    decltype(&::alSourcef) alSourcef;
    decltype(&::alSourcePlay) alSourcePlay;
    decltype(&::alSourceStop) alSourceStop;
    decltype(&::sf_open_virtual) sf_open_virtual;
    decltype(&::sf_readf_float) sf_readf_float;
    decltype(&::sf_close) sf_close;
};
Bibliotheques al;

#define GIBETTO_CHERCHE(bibliotheque, fonction) \
    (al.fonction = reinterpret_cast<decltype(al.fonction)>(dlsym(bibliotheque, #fonction)))

bool charge()
{
    void *openal = dlopen("libopenal.so.1", RTLD_LAZY);
    void *sndfile = dlopen("libsndfile.so.1", RTLD_LAZY);
    return openal && sndfile && GIBETTO_CHERCHE(openal, alcOpenDevice) && GIBETTO_CHERCHE(openal, alcCloseDevice)
            && GIBETTO_CHERCHE(openal, alcCreateContext) && GIBETTO_CHERCHE(openal, alcDestroyContext)
            && GIBETTO_CHERCHE(openal, alcSetThreadContext) && GIBETTO_CHERCHE(openal, alcGetIntegerv)
            && GIBETTO_CHERCHE(openal, alcDevicePauseSOFT) && GIBETTO_CHERCHE(openal, alcDeviceResumeSOFT)
            && GIBETTO_CHERCHE(openal, alGetError) && GIBETTO_CHERCHE(openal, alGenSources)
            && GIBETTO_CHERCHE(openal, alDeleteSources) && GIBETTO_CHERCHE(openal, alGenBuffers)
            && GIBETTO_CHERCHE(openal, alDeleteBuffers) && GIBETTO_CHERCHE(openal, alBufferData)
            && GIBETTO_CHERCHE(openal, alSourcei) && GIBETTO_CHERCHE(openal, alSourcef)
            && GIBETTO_CHERCHE(openal, alSourcePlay) && GIBETTO_CHERCHE(openal, alSourceStop)
            && GIBETTO_CHERCHE(sndfile, sf_open_virtual) && GIBETTO_CHERCHE(sndfile, sf_readf_float)
            && GIBETTO_CHERCHE(sndfile, sf_close);
}

// Once for the program, whatever sound objects come and go.
bool charges()
{
    static std::once_flag une;
    static bool reussi = false;
    std::call_once(une, [] { reussi = charge(); });
    return reussi;
}

struct Echantillons
{
    std::vector<short> pcm;
    int canaux = 0;
    int taux = 0;
};

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

// Any file libsndfile reads, whatever its name says; more than two channels
// are mixed down to one. Nothing when the file holds no sound. The file is
// mapped rather than read: its bytes are not copied.
std::optional<Echantillons> decode(const QString &chemin)
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
    SNDFILE *sf = al.sf_open_virtual(&lectureEnMemoire, SFM_READ, &info, &lu);
    if (!sf)
        return {};
    Echantillons son;
    son.taux = info.samplerate;
    son.canaux = info.channels == 2 ? 2 : 1;
    son.pcm.reserve(std::clamp<sf_count_t>(info.frames, 0, tramesMax) * son.canaux);
    // Read as floats from -1 to 1, whatever the file holds: libsndfile's
    // 16-bit reading leaves floating-point samples silent.
    std::vector<float> bloc(4096 * info.channels);
    sf_count_t trames = 0, n = 0;
    while (trames < tramesMax && (n = al.sf_readf_float(sf, bloc.data(), 4096)) > 0) {
        trames += n;
        for (sf_count_t t = 0; t < n; ++t) {
            const float *trame = bloc.data() + t * info.channels;
            if (info.channels > 2) {
                son.pcm.push_back(seizeBits(std::accumulate(trame, trame + info.channels, 0.0f) / info.channels));
                continue;
            }
            for (int c = 0; c < info.channels; ++c)
                son.pcm.push_back(seizeBits(trame[c]));
        }
    }
    al.sf_close(sf);
    if (son.pcm.empty() || son.taux <= 0)
        return {};
    return son;
}

// libasound reports a machine without a sound card in eight lines on stderr
// when OpenAL Soft tries it. Its error handler for one thread keeps them off
// this one, and leaves the rest of the program alone. OpenAL Soft loads it by
// this name; so does the game.
void taisAlsa()
{
    using Rapport = void (*)(const char *, int, const char *, int, const char *, va_list);
    using Pose = Rapport (*)(Rapport);
    void *alsa = dlopen("libasound.so.2", RTLD_LAZY);
    if (const auto pose = alsa ? reinterpret_cast<Pose>(dlsym(alsa, "snd_lib_error_set_local")) : nullptr)
        pose([](const char *, int, const char *, int, const char *, va_list) {});
}

// OpenAL Soft 1.19 reports every device it fails to open on stderr ("AL lib:
// (EE) ..."), six lines without a sound server, and reads its log level and
// its configuration from the environment only, once, as its first device
// opens. They are handed to it in an environment of that moment, each unless
// set: the whole environment is swapped for a copy that holds them, and back,
// so that no process the game starts inherits them (a test's copy of the
// game sets its own), and a getenv() on another thread reads the one or the
// other whole, where setenv() would be unsafe against it.
ALCdevice *premierAppareil()
{
    // OpenAL Soft mixes three periods of 1024 frames ahead of the sound
    // server: a stop was heard 55 ms late. Its ALC_REFRESH attribute does
    // not change that; its configuration, read from a file the environment
    // names, does: periods of 10 ms bring the stop to 30 ms. This file lives
    // in memory. OpenAL Soft tries JACK before PulseAudio (or PipeWire's),
    // and its first device took 13 to 92 ms without a JACK server, 7 to 23 ms
    // with PulseAudio tried first; the others follow it as before.
    const int fichier = memfd_create("alsoft.conf", MFD_CLOEXEC);
    const QByteArray reglages = "period_size = 441\nperiods = 3\ndrivers = pulse,\n";
    // Read by any thread until the program ends.
    static QByteArray niveau = "ALSOFT_LOGLEVEL=0";
    // OpenAL Soft 1.24 tries PipeWire. Where libpipewire lies without its
    // configuration (pipewire-bin), as beside a PulseAudio server or with no
    // server, it says so in two lines on stderr; its log off, its choice
    // stays as it is.
    static QByteArray pipewire = "PIPEWIRE_DEBUG=0";
    static QByteArray conf = "ALSOFT_CONF=/proc/self/fd/" + QByteArray::number(fichier);
    static std::vector<char *> avec;
    char **sans = environ;
    for (char **v = sans; *v; ++v)
        avec.push_back(*v);
    if (!getenv("ALSOFT_LOGLEVEL"))
        avec.push_back(niveau.data());
    if (!getenv("PIPEWIRE_DEBUG"))
        avec.push_back(pipewire.data());
    if (!getenv("ALSOFT_CONF") && fichier >= 0 && write(fichier, reglages.constData(), reglages.size()) == reglages.size())
        avec.push_back(conf.data());
    avec.push_back(nullptr);
    environ = avec.data();
    ALCdevice *appareil = al.alcOpenDevice(nullptr);
    environ = sans;
    if (fichier >= 0)
        close(fichier);
    return appareil;
}

ALCdevice *ouvreAppareil()
{
    static std::once_flag premier;
    bool ouvert = false;
    ALCdevice *appareil = nullptr;
    std::call_once(premier, [&] {
        appareil = premierAppareil();
        ouvert = true;
    });
    return ouvert ? appareil : al.alcOpenDevice(nullptr);
}

}

struct SonOpenAL::Fil
{
    enum Ordre { Rien, Joue, Arrete, Pause, Ferme, Fin };

    std::mutex verrou;
    std::condition_variable reveil;
    // Only the last order counts: a sound asked for while the sound system
    // is slow takes the place of the one still waiting.
    Ordre ordre = Rien;
    QString chemin;
    bool attenue = false;
    bool fini = false;

    // The thread's own.
    ALCdevice *appareil = nullptr;
    ALCcontext *contexte = nullptr;
    ALuint source = 0;
    bool attenuee = false;
    // Once a sound has stopped, the device runs until the sound server has
    // played out what it held ("Vide"), then pauses, then closes.
    enum Etat { Eteint, Sonne, Vide, EnPause } etat = Eteint;
    // A file's sound in its OpenAL buffer (0 when it holds none), kept while
    // the file is unchanged. The buffers belong to the device, and go with it.
    struct Decode
    {
        qint64 taille = -1;
        QDateTime date;
        ALuint tampon = 0;
    };
    std::map<QString, Decode> decodes;
    bool muetDit = false;

    void tourne()
    {
        taisAlsa();
        std::unique_lock verrouille(verrou);
        const auto attend = [this] { return ordre != Rien || attenue != attenuee; };
        using namespace std::chrono_literals;
        for (Ordre o = Rien; o != Fin;) {
            // Paused at once, the device kept the end of the sound in the
            // sound server, heard before the next one: it pauses once 100 ms
            // of silence have followed the sound. Paused, it still woke the
            // game 1.4 times a second: it closes after two seconds. Closed at
            // every stop, it made the next sound wait for the sound server,
            // over 300 ms under the sanitizers on a busy machine.
            if (etat == Vide && !reveil.wait_for(verrouille, 100ms, attend))
                ordre = Pause;
            else if (etat == EnPause && !reveil.wait_for(verrouille, 2s, attend))
                ordre = Ferme;
            reveil.wait(verrouille, attend);
            o = std::exchange(ordre, Rien);
            const QString c = chemin;
            const bool a = attenue;
            verrouille.unlock();
            regleNiveau(a);
            switch (o) {
            case Rien:
            case Fin:
                break;
            case Joue:
                joue(c);
                break;
            case Arrete:
                arrete();
                break;
            case Pause:
                pause();
                break;
            case Ferme:
                ferme();
                break;
            }
            verifie();
            verrouille.lock();
        }
        verrouille.unlock();
        ferme();
        verrouille.lock();
        fini = true;
        reveil.notify_all();
    }

    void dit(const char *quoi)
    {
        if (!std::exchange(muetDit, true))
            qCWarning(lcSon, "Gibetto : %s ; le jeu continue sans son.", quoi);
    }

    // An OpenAL call that failed (no memory for a sound, a source refused)
    // costs that sound, not the game.
    bool reussi()
    {
        if (al.alGetError() == AL_NO_ERROR)
            return true;
        dit("la sortie son a refusé un son");
        return false;
    }

    bool ouvre()
    {
        if (contexte)
            return true;
        appareil = charges() ? ouvreAppareil() : nullptr;
        // Paused until the sound is ready: otherwise 70 ms of silence are
        // mixed ahead of it, one time in two.
        if (appareil)
            al.alcDevicePauseSOFT(appareil);
        contexte = appareil ? al.alcCreateContext(appareil, nullptr) : nullptr;
        if (!contexte || !al.alcSetThreadContext(contexte)) {
            ferme();
            dit("aucune sortie son n'est disponible");
            return false;
        }
        al.alGenSources(1, &source);
        if (!reussi()) {
            ferme();
            return false;
        }
        regleNiveau(attenuee);
        etat = EnPause;
        return true;
    }

    // A screen reader's speech stays above the sound: a quarter of its level.
    void regleNiveau(bool a)
    {
        attenuee = a;
        if (contexte)
            al.alSourcef(source, AL_GAIN, a ? 0.25f : 1.0f);
    }

    // The file's sound, decoded at its first play and again only once it
    // has changed.
    ALuint son(const QString &c)
    {
        const QFileInfo fichier(c);
        Decode &d = decodes[c];
        if (d.taille != fichier.size() || d.date != fichier.lastModified()) {
            al.alDeleteBuffers(1, &d.tampon);
            d = Decode{fichier.size(), fichier.lastModified(), enTampon(decode(c))};
        }
        return d.tampon;
    }

    // The samples are copied into OpenAL's buffer, and the program keeps
    // none.
    ALuint enTampon(const std::optional<Echantillons> &e)
    {
        ALuint tampon = 0;
        if (!e)
            return 0;
        al.alGenBuffers(1, &tampon);
        al.alBufferData(tampon, e->canaux == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, e->pcm.data(),
                        ALsizei(e->pcm.size() * sizeof(short)), e->taux);
        if (reussi())
            return tampon;
        al.alDeleteBuffers(1, &tampon);
        return 0;
    }

    // The device runs only while a sound plays: OpenAL Soft mixes silence
    // as long as it runs, 1 to 2.8 % of a core and 246 to 610 wake-ups a
    // second.
    void joue(const QString &c)
    {
        if (contexte) {
            al.alSourceStop(source);
            al.alSourcei(source, AL_BUFFER, 0);
        }
        if (!ouvre())
            return;
        ALuint tampon = son(c);
        if (!tampon)
            tampon = son(QStringLiteral(":/assets/carillon.wav"));
        if (!tampon || ordreEnAttente())
            return;
        al.alSourcei(source, AL_BUFFER, ALint(tampon));
        al.alSourcei(source, AL_LOOPING, AL_TRUE);
        al.alSourcePlay(source);
        if (etat == EnPause)
            al.alcDeviceResumeSOFT(appareil);
        etat = Sonne;
        reussi();
    }

    // Opening the device waits for the sound server, which may hang: an
    // order given meanwhile, a stop or another sound, wins over this sound,
    // which the player would otherwise hear a moment of.
    bool ordreEnAttente()
    {
        const std::lock_guard verrouille(verrou);
        return ordre != Rien;
    }

    void arrete()
    {
        if (etat != Sonne)
            return;
        al.alSourceStop(source);
        etat = Vide;
    }

    void pause()
    {
        al.alcDevicePauseSOFT(appareil);
        etat = EnPause;
    }

    // A sound server that goes away mid-sound: said once, and the next sound
    // tries the machine again.
    void verifie()
    {
        ALCint branche = ALC_TRUE;
        if (appareil)
            al.alcGetIntegerv(appareil, ALC_CONNECTED, 1, &branche);
        if (!branche) {
            ferme();
            dit("la sortie son s'est interrompue");
        }
    }

    void ferme()
    {
        if (contexte) {
            al.alDeleteSources(1, &source);
            for (const auto &[chemin, d] : decodes)
                al.alDeleteBuffers(1, &d.tampon);
            al.alcSetThreadContext(nullptr);
            al.alcDestroyContext(contexte);
        }
        if (appareil)
            al.alcCloseDevice(appareil);
        decodes.clear();
        appareil = nullptr;
        contexte = nullptr;
        source = 0;
        etat = Eteint;
    }
};

namespace {
// What the program's end finds of a thread the destructor could not join.
struct Reste
{
    std::shared_ptr<SonOpenAL::Fil> fil;
    std::thread tache;
};

// A sound server that still holds the thread when the program ends: the
// libraries' own destructors, OpenAL Soft's unloading libpulse among them,
// would run under it. The program ends there, its output written, with the
// status it had. A thread that has just finished is joined: it still
// releases its own, OpenAL Soft's per-thread state among them.
void quitteSiBloque(int statut, void *r)
{
    const std::unique_ptr<Reste> reste(static_cast<Reste *>(r));
    std::unique_lock verrouille(reste->fil->verrou);
    if (!reste->fil->fini) {
        std::fflush(nullptr);
        std::_Exit(statut);
    }
    verrouille.unlock();
    reste->tache.join();
}
}

SonOpenAL::SonOpenAL()
    : m_fil(std::make_shared<Fil>())
{
}

// The thread ends and is joined within half a second; one that a hung sound
// server holds longer is left to it, and the program's end waits for it no
// more.
SonOpenAL::~SonOpenAL()
{
    if (!m_tache.joinable())
        return;
    std::unique_lock verrouille(m_fil->verrou);
    m_fil->ordre = Fil::Fin;
    m_fil->reveil.notify_all();
    using namespace std::chrono_literals;
    const bool fini = m_fil->reveil.wait_for(verrouille, 500ms, [this] { return m_fil->fini; });
    verrouille.unlock();
    if (fini) {
        m_tache.join();
        return;
    }
    on_exit(quitteSiBloque, new Reste{m_fil, std::move(m_tache)});
}

// The thread starts with the first sound: a game that is never won nor lost
// runs none.
void SonOpenAL::joue(const QString &fichier)
{
    const QString chemin = trouveFichier(fichier);
    if (!m_tache.joinable())
        m_tache = std::thread([fil = m_fil] { fil->tourne(); });
    const std::lock_guard verrouille(m_fil->verrou);
    m_fil->ordre = Fil::Joue;
    m_fil->chemin = chemin;
    m_fil->reveil.notify_all();
}

void SonOpenAL::arrete()
{
    const std::lock_guard verrouille(m_fil->verrou);
    m_fil->ordre = Fil::Arrete;
    m_fil->reveil.notify_all();
}

void SonOpenAL::attenue(bool oui)
{
    const std::lock_guard verrouille(m_fil->verrou);
    m_fil->attenue = oui;
    m_fil->reveil.notify_all();
}
