#include "sonopenal.h"

#include "fichiers.h"

#define AL_ALEXT_PROTOTYPES
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <sndfile.h>

#include <QFile>
#include <QLoggingCategory>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdarg>
#include <cstring>
#include <dlfcn.h>
#include <mutex>
#include <optional>
#include <sys/mman.h>
#include <thread>
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
    std::vector<short> bloc(4096 * std::max(info.channels, 1));
    sf_count_t trames = 0, n = 0;
    while (trames < tramesMax && (n = sf_readf_short(sf, bloc.data(), 4096)) > 0) {
        trames += n;
        if (info.channels <= 2) {
            son.pcm.insert(son.pcm.end(), bloc.begin(), bloc.begin() + n * info.channels);
            continue;
        }
        for (sf_count_t t = 0; t < n; ++t) {
            int somme = 0;
            for (int c = 0; c < info.channels; ++c)
                somme += bloc[t * info.channels + c];
            son.pcm.push_back(short(somme / info.channels));
        }
    }
    sf_close(sf);
    if (son.pcm.empty() || son.taux <= 0)
        return {};
    return son;
}

// libasound reports a machine without a sound card in eight lines on stderr
// when OpenAL Soft tries it. Its error handler for one thread keeps them off
// this one, and leaves the rest of the program alone.
void taisAlsa()
{
    using Rapport = void (*)(const char *, int, const char *, int, const char *, va_list);
    using Pose = Rapport (*)(Rapport);
    if (const auto pose = reinterpret_cast<Pose>(dlsym(RTLD_DEFAULT, "snd_lib_error_set_local")))
        pose([](const char *, int, const char *, int, const char *, va_list) {});
}

// OpenAL Soft 1.19 reports every device it fails to open on stderr ("AL lib:
// (EE) ..."), and it mixes three periods of 1024 frames ahead of the sound
// server: a stop was heard 55 ms late. Its ALC_REFRESH attribute changes neither;
// its configuration, read from a file the environment names, does: periods
// of 10 ms bring the stop to 30 ms. This file lives in memory.
void regleOpenAL()
{
    if (!qEnvironmentVariableIsSet("ALSOFT_LOGLEVEL"))
        qputenv("ALSOFT_LOGLEVEL", "0");
    if (qEnvironmentVariableIsSet("ALSOFT_CONF"))
        return;
    const int fichier = memfd_create("alsoft.conf", MFD_CLOEXEC);
    const QByteArray reglages = "period_size = 441\nperiods = 3\n";
    if (fichier >= 0 && write(fichier, reglages.constData(), reglages.size()) == reglages.size())
        qputenv("ALSOFT_CONF", "/proc/self/fd/" + QByteArray::number(fichier));
}

}

struct SonOpenAL::Fil
{
    enum Ordre { Rien, Ouvre, Joue, Arrete, Fin };

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
    bool muetDit = false;

    void tourne()
    {
        taisAlsa();
        std::unique_lock verrouille(verrou);
        // The device opens a second after the program starts, its window up:
        // opened at once, it slowed the start-up from 1.07 to 1.57 times a
        // bare window's. The first game's end finds it ready.
        if (!reveil.wait_for(verrouille, std::chrono::seconds(1), [this] { return ordre != Rien; }))
            ordre = Ouvre;
        for (;;) {
            reveil.wait(verrouille, [this] { return ordre != Rien; });
            const Ordre o = std::exchange(ordre, Rien);
            const QString c = chemin;
            verrouille.unlock();
            if (o == Fin)
                break;
            if (o == Ouvre)
                ouvre();
            else if (o == Joue)
                joue(c);
            else
                arrete();
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

    bool ouvre()
    {
        if (contexte)
            return true;
        appareil = alcOpenDevice(nullptr);
        contexte = appareil ? alcCreateContext(appareil, nullptr) : nullptr;
        if (!contexte || !alcSetThreadContext(contexte)) {
            ferme();
            dit("aucune sortie son n'est disponible");
            return false;
        }
        alGenSources(1, &source);
        return true;
    }

    void joue(const QString &c)
    {
        // The sound before ends first: nothing of it is heard while this one
        // is read.
        arrete();
        std::optional<Echantillons> son = decode(c);
        if (!son)
            son = decode(QStringLiteral(":/assets/carillon.wav"));
        if (!son || !ouvre())
            return;
        alSourcei(source, AL_BUFFER, 0);
        alDeleteBuffers(1, &tampon);
        alGenBuffers(1, &tampon);
        alBufferData(tampon, son->canaux == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, son->pcm.data(),
                     ALsizei(son->pcm.size() * sizeof(short)), son->taux);
        alSourcei(source, AL_BUFFER, ALint(tampon));
        alSourcei(source, AL_LOOPING, AL_TRUE);
        alSourcePlay(source);
    }

    void arrete()
    {
        if (contexte)
            alSourceStop(source);
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
    }
};

SonOpenAL::SonOpenAL()
    : m_fil(std::make_shared<Fil>())
{
    regleOpenAL();
    std::thread([fil = m_fil] { fil->tourne(); }).detach();
}

SonOpenAL::~SonOpenAL()
{
    std::unique_lock verrouille(m_fil->verrou);
    m_fil->ordre = Fil::Fin;
    m_fil->reveil.notify_all();
    // A sound server that hangs keeps the thread, never the program.
    using namespace std::chrono_literals;
    m_fil->reveil.wait_for(verrouille, 500ms, [this] { return m_fil->fini; });
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
