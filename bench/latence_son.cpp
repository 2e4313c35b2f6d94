// How soon the game's sound is heard once a game ends, and how soon it falls
// silent once the player clicks "Suite": Bravo.wav played through the game's
// own sound class on a private PulseAudio server and recorded from its
// monitor. The recording runs all along; the samples received when a call is
// made mark its moment, so each figure may be a few milliseconds high, never
// low. Prints one line a measure, judges nothing.
// usage: latence_son [times]
#include "sonopenal.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
constexpr int taux = 8000; // samples a second in the recording
constexpr int seuil = 300; // louder than this is sound

QProcess micro;
QByteArray enregistre;

qsizetype echantillons()
{
    enregistre += micro.readAllStandardOutput();
    return enregistre.size() / 2;
}

// Records for that long.
void ecoute(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        micro.waitForReadyRead(ms - int(t.elapsed()) + 1), echantillons();
}

bool fort(qsizetype i)
{
    return std::abs(reinterpret_cast<const qint16 *>(enregistre.constData())[i]) > seuil;
}

double mediane(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

[[noreturn]] void echoue(const char *message)
{
    std::fprintf(stderr, "latence_son: %s\n", message);
    std::exit(2);
}
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int fois = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    QTemporaryDir dossier;
    for (const char *nom : {"HOME", "XDG_RUNTIME_DIR"})
        qputenv(nom, dossier.path().toUtf8());
    QDir::setCurrent(GIBETTO_RUNTIME_DIR);
    const QString socket = dossier.filePath("serveur");
    QProcess serveur;
    serveur.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "-L",
                                 "module-null-sink sink_name=gibetto", "-L",
                                 "module-native-protocol-unix auth-anonymous=1 socket=" + socket});
    for (int i = 0; i < 200 && !QFile::exists(socket); ++i)
        QThread::msleep(50);
    if (!QFile::exists(socket))
        echoue("pulseaudio is missing or does not start");
    qputenv("PULSE_SERVER", "unix:" + socket.toUtf8());
    micro.start("parec", {"-d", "gibetto.monitor", "--rate=8000", "--channels=1", "--format=s16le", "--latency-msec=5"});
    if (!micro.waitForReadyRead(20000))
        echoue("parec is missing: install pulseaudio-utils");

    std::vector<double> debuts, arrets;
    {
        SonOpenAL son;
        ecoute(1500); // the sound device opens a second after the start
        for (int n = 0; n < fois; ++n) {
            const qsizetype appel = echantillons();
            son.joue(QStringLiteral("Bravo.wav"));
            ecoute(1000);
            const qsizetype arret = echantillons();
            son.arrete();
            ecoute(500);
            qsizetype debut = appel, fin = enregistre.size() / 2 - 1;
            while (debut < arret && !fort(debut))
                ++debut;
            while (fin > arret && !fort(fin))
                --fin;
            if (debut == arret)
                echoue("no sound heard");
            debuts.push_back(1000.0 * (debut - appel) / taux);
            arrets.push_back(1000.0 * std::max<qsizetype>(0, fin - arret) / taux);
        }
    }
    micro.kill();
    micro.waitForFinished();
    serveur.kill();
    serveur.waitForFinished();
    std::printf("sound heard after the call to play: %.1f ms (median of %d), %.1f ms at most\n",
                mediane(debuts), fois, *std::max_element(debuts.begin(), debuts.end()));
    std::printf("silence after the call to stop: %.1f ms (median of %d), %.1f ms at most\n",
                mediane(arrets), fois, *std::max_element(arrets.begin(), arrets.end()));
}
