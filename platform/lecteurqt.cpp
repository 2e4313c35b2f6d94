// The sound module: Qt Multimedia and the sound server client it pulls in are
// loaded with it, at the first sound, never at start-up.
#include "lecteur.h"

#include <QAudioSink>
#include <QFile>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QtEndian>

#include <atomic>
#include <cstring>
#include <memory>
#include <optional>

namespace {

struct Echantillons
{
    QAudioFormat format;
    QByteArray pcm;
};

// Plain PCM and float WAV files, as the game's own sounds are; anything else
// reads as nothing, so that the chime takes its place.
std::optional<Echantillons> litWav(const QString &chemin)
{
    QFile fichier(chemin);
    if (chemin.isEmpty() || !fichier.open(QIODevice::ReadOnly))
        return {};
    const QByteArray wav = fichier.readAll();
    if (!wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE")
        return {};
    QAudioFormat format;
    for (qsizetype p = 12; p + 8 <= wav.size();) {
        const quint32 taille = qFromLittleEndian<quint32>(wav.constData() + p + 4);
        const QByteArray bloc = wav.mid(p + 8, taille);
        if (wav.mid(p, 4) == "fmt " && bloc.size() >= 16) {
            const auto mot = [&](int i) { return qFromLittleEndian<quint16>(bloc.constData() + i); };
            const int code = mot(0), bits = mot(14);
            const quint32 taux = qFromLittleEndian<quint32>(bloc.constData() + 4);
            format.setChannelCount(mot(2) <= 8 ? mot(2) : 0);
            format.setSampleRate(taux >= 1000 && taux <= 192000 ? int(taux) : 0);
            format.setSampleFormat(code == 3 && bits == 32 ? QAudioFormat::Float
                                   : code != 1         ? QAudioFormat::Unknown
                                   : bits == 8         ? QAudioFormat::UInt8
                                   : bits == 16        ? QAudioFormat::Int16
                                   : bits == 32        ? QAudioFormat::Int32
                                                       : QAudioFormat::Unknown);
        } else if (wav.mid(p, 4) == "data" && format.isValid()) {
            const qsizetype trames = bloc.size() / format.bytesPerFrame();
            if (trames == 0)
                return {};
            return Echantillons{format, bloc.left(trames * format.bytesPerFrame())};
        }
        p += 8 + qsizetype(taille) + (taille & 1);
    }
    return {};
}

// The same samples over and over, for as long as they are read. Unbuffered:
// a read-ahead buffer would keep up to 16 KB of this sound, a quarter of a
// second, for whoever reads next.
class Boucle : public QIODevice
{
public:
    explicit Boucle(const QByteArray &pcm)
        : m_pcm(pcm)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *donnees, qint64 taille) override
    {
        for (qint64 lus = 0; lus < taille;) {
            const qint64 n = std::min(taille - lus, m_pcm.size() - m_position);
            std::memcpy(donnees + lus, m_pcm.constData() + m_position, n);
            lus += n;
            m_position = (m_position + n) % m_pcm.size();
        }
        return taille;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    const QByteArray m_pcm;
    qint64 m_position = 0;
};

// Qt's sound backend reports a sound server that goes away mid-sound on
// stderr, from its own thread, in words a player could take for a crash; the
// game says it once, plainly. A message handler is a plain function, hence
// these two module-wide values.
QtMessageHandler avantLeLecteur = nullptr;
std::atomic_bool coupureDite = false;

void filtreMessages(QtMsgType type, const QMessageLogContext &contexte, const QString &message)
{
    if (type != QtWarningMsg || !message.contains(QLatin1String("Stream error: ")))
        avantLeLecteur(type, contexte, message);
    else if (!coupureDite.exchange(true))
        avantLeLecteur(type, contexte, QStringLiteral("Gibetto : la sortie son s'est interrompue ; le jeu continue sans son."));
}

class LecteurQt : public Lecteur
{
public:
    LecteurQt() { avantLeLecteur = qInstallMessageHandler(filtreMessages); }
    ~LecteurQt() override
    {
        arrete();
        qInstallMessageHandler(avantLeLecteur);
    }

    void joue(const QString &chemin) override
    {
        arrete();
        std::optional<Echantillons> son = litWav(chemin);
        if (!son)
            son = litWav(QStringLiteral(":/assets/carillon.wav"));
        const QAudioDevice sortie = sortieSon();
        if (!son || sortie.isNull())
            return;
        // A sink and a loop of its own for every sound: nothing of the last
        // one is left in them to play first.
        m_boucle = std::make_unique<Boucle>(son->pcm);
        m_sortie = std::make_unique<QAudioSink>(sortie, son->format);
        m_sortie->start(m_boucle.get());
    }

    void arrete() override
    {
        m_sortie.reset();
        m_boucle.reset();
    }

private:
    QAudioDevice sortieSon()
    {
        // Qt's sound backend reports a missing sound server on stderr in
        // words a player could take for a crash; the game says it once, plainly.
        QLoggingCategory *const defaut = QLoggingCategory::defaultCategory();
        const bool avertit = defaut->isWarningEnabled();
        defaut->setEnabled(QtWarningMsg, false);
        const QAudioDevice sortie = QMediaDevices::defaultAudioOutput();
        defaut->setEnabled(QtWarningMsg, avertit);
        if (sortie.isNull() && !m_muetDit) {
            m_muetDit = true;
            qWarning("Gibetto : aucune sortie son n'est disponible ; le jeu continue sans son.");
        }
        return sortie;
    }

    bool m_muetDit = false;
    // The sink reads from the loop: it goes first.
    std::unique_ptr<Boucle> m_boucle;
    std::unique_ptr<QAudioSink> m_sortie;
};

}

extern "C" Q_DECL_EXPORT Lecteur *gibettoLecteur()
{
    return new LecteurQt;
}
