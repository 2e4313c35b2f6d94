// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sonopenal.h"

#include "fichiers.h"
#include "sonappareil.h"
#include "sonsortie.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLoggingCategory>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>

Q_LOGGING_CATEGORY(lcSon, "gibetto.son")

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
    bool signale = false;
    // Loaded as the first device opens.
    const FonctionsOpenAL *al = nullptr;
    const FonctionsSndfile *sf = nullptr;

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

    void signaleUneFois(const char *panne)
    {
        if (!std::exchange(signale, true))
            qCWarning(lcSon, "Gibetto : %s ; le jeu continue sans son.", panne);
    }

    // An OpenAL call that failed (no memory for a sound, a source refused)
    // costs that sound, not the game.
    bool reussi()
    {
        if (al->alGetError() == AL_NO_ERROR)
            return true;
        signaleUneFois("la sortie son a refusé un son");
        return false;
    }

    bool ouvre()
    {
        if (contexte)
            return true;
        const BibliothequesSon *b = chargeBibliothequesSon();
        al = b ? &b->al : nullptr;
        sf = b ? &b->sf : nullptr;
        appareil = al ? ouvreAppareil(*al) : nullptr;
        // Paused until the sound is ready: otherwise 70 ms of silence are
        // mixed ahead of it, one time in two.
        if (appareil)
            al->alcDevicePauseSOFT(appareil);
        contexte = appareil ? al->alcCreateContext(appareil, nullptr) : nullptr;
        if (!contexte || !al->alcSetThreadContext(contexte)) {
            ferme();
            signaleUneFois("aucune sortie son n'est disponible");
            return false;
        }
        al->alGenSources(1, &source);
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
            al->alSourcef(source, AL_GAIN, a ? 0.25f : 1.0f);
    }

    // The file's sound, decoded at its first play and again only once it
    // has changed.
    ALuint tamponDuFichier(const QString &c)
    {
        const QFileInfo fichier(c);
        Decode &d = decodes[c];
        if (d.taille != fichier.size() || d.date != fichier.lastModified()) {
            al->alDeleteBuffers(1, &d.tampon);
            d = Decode{fichier.size(), fichier.lastModified(), enTampon(decodeFichier(c, *sf))};
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
        al->alGenBuffers(1, &tampon);
        al->alBufferData(tampon, e->canaux == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, e->pcm.data(),
                        ALsizei(e->pcm.size() * sizeof(short)), e->taux);
        if (reussi())
            return tampon;
        al->alDeleteBuffers(1, &tampon);
        return 0;
    }

    // The device runs only while a sound plays: OpenAL Soft mixes silence
    // as long as it runs, 1 to 2.8 % of a core and 246 to 610 wake-ups a
    // second.
    void joue(const QString &c)
    {
        if (contexte) {
            al->alSourceStop(source);
            al->alSourcei(source, AL_BUFFER, 0);
        }
        if (!ouvre())
            return;
        ALuint tampon = tamponDuFichier(c);
        if (!tampon)
            tampon = tamponDuFichier(QStringLiteral(":/assets/carillon.wav"));
        if (!tampon || ordreEnAttente())
            return;
        al->alSourcei(source, AL_BUFFER, ALint(tampon));
        al->alSourcei(source, AL_LOOPING, AL_TRUE);
        al->alSourcePlay(source);
        if (etat == EnPause)
            al->alcDeviceResumeSOFT(appareil);
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
        al->alSourceStop(source);
        etat = Vide;
    }

    void pause()
    {
        al->alcDevicePauseSOFT(appareil);
        etat = EnPause;
    }

    // A sound server that goes away mid-sound: said once, and the next sound
    // tries the machine again.
    void verifie()
    {
        ALCint branche = ALC_TRUE;
        if (appareil)
            al->alcGetIntegerv(appareil, ALC_CONNECTED, 1, &branche);
        if (!branche) {
            ferme();
            signaleUneFois("la sortie son s'est interrompue");
        }
    }

    void ferme()
    {
        if (contexte) {
            al->alDeleteSources(1, &source);
            for (const auto &[chemin, d] : decodes)
                al->alDeleteBuffers(1, &d.tampon);
            al->alcSetThreadContext(nullptr);
            al->alcDestroyContext(contexte);
        }
        if (appareil)
            al->alcCloseDevice(appareil);
        decodes.clear();
        appareil = nullptr;
        contexte = nullptr;
        source = 0;
        etat = Eteint;
    }
};

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
    joinsOuQuitteALaFin(std::move(m_tache), [fil = m_fil] {
        const std::lock_guard verrouille(fil->verrou);
        return fil->fini;
    });
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
