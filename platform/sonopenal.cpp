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

Q_LOGGING_CATEGORY(lcSon, "gibetto.son")

namespace {

// A teacher's recording, with room to spare: 16 MiB is a minute and a half of
// CD-quality stereo. A larger file plays the chime rather than fill memory.
constexpr qint64 octetsMax = 16 << 20;
// A compressed file unpacks to several times its size: at most three minutes
// at 48 kHz are kept.
constexpr sf_count_t tramesMax = 48000 * 180;

struct Echantillons
{
    std::vector<short> pcm;
    int canaux = 0;
    int taux = 0;
};

// libsndfile reads the whole file from memory, the built-in chime as any other.
struct Memoire
{
    const QByteArray &octets;
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
        std::memcpy(vers, l.octets.constData() + l.position, n);
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
// are mixed down to one. Nothing when the file holds no sound.
std::optional<Echantillons> decode(const QString &chemin)
{
    QFile fichier(chemin);
    if (chemin.isEmpty() || !fichier.open(QIODevice::ReadOnly) || fichier.size() > octetsMax)
        return {};
    const QByteArray octets = fichier.readAll();
    Memoire lu{octets};
    SF_INFO info{};
    SNDFILE *sf = sf_open_virtual(&lectureEnMemoire, SFM_READ, &info, &lu);
    if (!sf)
        return {};
    Echantillons son;
    son.taux = info.samplerate;
    son.canaux = info.channels == 2 ? 2 : 1;
    // Read as floats from -1 to 1, whatever the file holds: libsndfile's
    // 16-bit reading leaves floating-point samples silent.
    std::vector<float> bloc(4096 * info.channels);
    sf_count_t trames = 0, n = 0;
    while (trames < tramesMax && (n = sf_readf_float(sf, bloc.data(), 4096)) > 0) {
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
    sf_close(sf);
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
// its configuration from the environment only. Set as the program loads,
// before any thread starts: glibc's setenv is unsafe against a getenv on
// another thread.
void regleOpenAL()
{
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    // OpenAL Soft 1.24 tries PipeWire first. Where libpipewire lies without
    // its configuration (pipewire-bin), as beside a PulseAudio server, it
    // says so in two lines at every device opened before OpenAL Soft moves
    // on; this keeps PipeWire's log off and its choice as it is.
    setenv("PIPEWIRE_DEBUG", "0", 0);
    // OpenAL Soft mixes three periods of 1024 frames ahead of the sound
    // server: a stop was heard 55 ms late. Its ALC_REFRESH attribute does
    // not change that; its configuration, read from a file the environment
    // names, does: periods of 10 ms bring the stop to 30 ms. This file lives
    // in memory.
    if (getenv("ALSOFT_CONF"))
        return;
    const int fichier = memfd_create("alsoft.conf", MFD_CLOEXEC);
    const QByteArray reglages = "period_size = 441\nperiods = 3\n";
    if (fichier >= 0 && write(fichier, reglages.constData(), reglages.size()) == reglages.size())
        setenv("ALSOFT_CONF", qPrintable("/proc/self/fd/" + QString::number(fichier)), 0);
}
Q_CONSTRUCTOR_FUNCTION(regleOpenAL)

// A file's sound, kept while the file is unchanged.
struct Decode
{
    qint64 taille = -1;
    QDateTime date;
    std::optional<Echantillons> son;
};

}

struct SonOpenAL::Fil
{
    enum Ordre { Rien, Ouvre, Joue, Arrete, Pause, Ferme, Fin };

    std::mutex verrou;
    std::condition_variable reveil;
    // Only the last order counts: a sound asked for while the sound system
    // is slow takes the place of the one still waiting.
    Ordre ordre = Rien;
    QString chemin;
    bool fini = false;

    // The thread's own.
    ALCdevice *appareil = nullptr;
    ALCcontext *contexte = nullptr;
    ALuint source = 0;
    ALuint tampon = 0;
    // Once a sound has stopped, the device runs until the sound server has
    // played out what it held ("Vide"), then pauses, then closes.
    enum Etat { Eteint, Sonne, Vide, EnPause } etat = Eteint;
    std::map<QString, Decode> decodes;
    bool muetDit = false;

    void tourne()
    {
        taisAlsa();
        std::unique_lock verrouille(verrou);
        // OpenAL Soft loads its sound systems' libraries and lists their
        // devices at its first device: a device opened a second after the
        // program starts, its window up, brings the first game's sound from
        // 21-45 ms to 12-21 ms after the call. Opened at once, the device
        // slowed the start-up from 1.07 to 1.57 times a bare window's.
        if (!reveil.wait_for(verrouille, std::chrono::seconds(1), [this] { return ordre != Rien; }))
            ordre = Ouvre;
        const auto attend = [this] { return ordre != Rien; };
        using namespace std::chrono_literals;
        for (;;) {
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
            const Ordre o = std::exchange(ordre, Rien);
            const QString c = chemin;
            verrouille.unlock();
            if (o == Fin)
                break;
            if (o == Joue)
                joue(c);
            else if (o == Arrete)
                arrete();
            else if (o == Pause)
                pause();
            else if (o == Ferme)
                ferme();
            else
                ouvre();
            verifie();
            verrouille.lock();
        }
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
        if (alGetError() == AL_NO_ERROR)
            return true;
        dit("la sortie son a refusé un son");
        return false;
    }

    bool ouvre()
    {
        if (contexte)
            return true;
        appareil = alcOpenDevice(nullptr);
        // Paused until the sound is ready: otherwise 70 ms of silence are
        // mixed ahead of it, one time in two.
        if (appareil)
            alcDevicePauseSOFT(appareil);
        contexte = appareil ? alcCreateContext(appareil, nullptr) : nullptr;
        if (!contexte || !alcSetThreadContext(contexte)) {
            ferme();
            dit("aucune sortie son n'est disponible");
            return false;
        }
        alGenSources(1, &source);
        alGenBuffers(1, &tampon);
        if (!reussi()) {
            ferme();
            return false;
        }
        etat = EnPause;
        return true;
    }

    // The file's sound, decoded at its first play and again only once it
    // has changed.
    const std::optional<Echantillons> &son(const QString &c)
    {
        const QFileInfo fichier(c);
        Decode &d = decodes[c];
        if (d.taille != fichier.size() || d.date != fichier.lastModified())
            d = Decode{fichier.size(), fichier.lastModified(), decode(c)};
        return d.son;
    }

    // The device runs only while a sound plays: OpenAL Soft mixes silence
    // as long as it runs, 1 to 2.8 % of a core and 246 to 610 wake-ups a
    // second.
    void joue(const QString &c)
    {
        if (contexte) {
            alSourceStop(source);
            alSourcei(source, AL_BUFFER, 0);
        }
        const std::optional<Echantillons> *s = &son(c);
        if (!*s)
            s = &son(QStringLiteral(":/assets/carillon.wav"));
        if (!*s || !ouvre() || ordreEnAttente())
            return;
        const Echantillons &e = **s;
        alBufferData(tampon, e.canaux == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, e.pcm.data(),
                     ALsizei(e.pcm.size() * sizeof(short)), e.taux);
        alSourcei(source, AL_BUFFER, ALint(tampon));
        alSourcei(source, AL_LOOPING, AL_TRUE);
        alSourcePlay(source);
        if (etat == EnPause)
            alcDeviceResumeSOFT(appareil);
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
        alSourceStop(source);
        etat = Vide;
    }

    void pause()
    {
        alcDevicePauseSOFT(appareil);
        etat = EnPause;
    }

    // A sound server that goes away mid-sound: said once, and the next sound
    // tries the machine again.
    void verifie()
    {
        ALCint branche = ALC_TRUE;
        if (appareil)
            alcGetIntegerv(appareil, ALC_CONNECTED, 1, &branche);
        if (!branche) {
            ferme();
            dit("la sortie son s'est interrompue");
        }
    }

    void ferme()
    {
        if (contexte) {
            alDeleteSources(1, &source);
            alDeleteBuffers(1, &tampon);
            alcSetThreadContext(nullptr);
            alcDestroyContext(contexte);
        }
        if (appareil)
            alcCloseDevice(appareil);
        appareil = nullptr;
        contexte = nullptr;
        source = tampon = 0;
        etat = Eteint;
    }
};

namespace {
// A sound server that still holds the thread when the program ends: the
// libraries' own destructors, OpenAL Soft's unloading libpulse among them,
// would run under it. The program ends there, its output written, with the
// status it had.
void quitteSiBloque(int statut, void *f)
{
    const std::unique_ptr<std::shared_ptr<SonOpenAL::Fil>> fil(static_cast<std::shared_ptr<SonOpenAL::Fil> *>(f));
    const std::lock_guard verrouille((*fil)->verrou);
    if (!(*fil)->fini) {
        std::fflush(nullptr);
        std::_Exit(statut);
    }
}
}

SonOpenAL::SonOpenAL()
    : m_fil(std::make_shared<Fil>())
    , m_tache([fil = m_fil] { fil->tourne(); })
{
}

// The thread ends and is joined within half a second; one that a hung sound
// server holds longer is left to it, and the program's end waits for it no
// more.
SonOpenAL::~SonOpenAL()
{
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
    m_tache.detach();
    on_exit(quitteSiBloque, new std::shared_ptr<Fil>(m_fil));
}

void SonOpenAL::joue(const QString &fichier)
{
    const QString chemin = trouveFichier(fichier);
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
