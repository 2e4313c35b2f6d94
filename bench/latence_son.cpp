// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
// The game's sound: how soon it is heard once a game ends, and how soon it
// falls silent once the player clicks "Suite"; and what the game costs at
// rest beside a bare Qt window, with a sound server running.
// The delays: Bravo.wav played through the game's own sound class on a
// private PulseAudio server and recorded from its monitor. The recording runs
// all along; the samples received when a call is made mark its moment, so
// each figure may be a few milliseconds high, never low.
// A teacher's 16 MiB file: the resident memory it adds while it plays, and
// once the device has closed.
// The end with the sound server frozen: from the sound object's destruction
// to the end of the program, in a copy of this program.
// At rest: the game and bench/plancher on their first screen (offscreen), a
// few seconds after their start, over that many seconds: processor time
// (/proc/<pid>/stat) and wake-ups, the context switches of all their threads
// (/proc/<pid>/task/*/status).
// Prints one line a measure, judges nothing.
// usage: latence_son [times] [seconds at rest]
#include "sonopenal.h"

#include <sndfile.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
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
void enregistrePendant(int ms)
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

// Processor time in clock ticks, and context switches, of all the threads
// of that process so far.
std::pair<qint64, qint64> compteurs(qint64 pid)
{
    QFile stat(QString("/proc/%1/stat").arg(pid));
    const QByteArray champs = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
    // After the command's name, which may hold spaces: utime and stime are
    // the 12th and 13th fields.
    const QList<QByteArray> apres = champs.mid(champs.lastIndexOf(')') + 2).split(' ');
    const qint64 temps = apres.value(11).toLongLong() + apres.value(12).toLongLong();
    qint64 changements = 0;
    const QDir taches(QString("/proc/%1/task").arg(pid));
    for (const QString &t : taches.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile etat(taches.filePath(t + "/status"));
        const QString texte = etat.open(QIODevice::ReadOnly) ? etat.readAll() : QString();
        for (const QRegularExpressionMatch &m : QRegularExpression("ctxt_switches:\\s+(\\d+)").globalMatch(texte))
            changements += m.captured(1).toLongLong();
    }
    return {temps, changements};
}

// That program on its first screen, left alone.
void repos(const char *nom, const QString &programme, int secondes)
{
    QProcess p;
    p.setWorkingDirectory(GIBETTO_RUNTIME_DIR);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(programme, {});
    if (!p.waitForStarted())
        echoue("a program does not start: build it first");
    // Past the start-up, which the figures leave out.
    QThread::sleep(5);
    const auto [temps, changements] = compteurs(p.processId());
    QThread::sleep(secondes);
    const auto [temps2, changements2] = compteurs(p.processId());
    const double tic = sysconf(_SC_CLK_TCK);
    QFile etat(QString("/proc/%1/status").arg(p.processId()));
    const QString memoire = etat.open(QIODevice::ReadOnly) ? QRegularExpression("VmRSS:\\s+(\\d+)").match(etat.readAll()).captured(1) : "";
    std::printf("%s at rest over %d s: %.2f %% of a core, %.1f wake-ups a second, %.1f MB resident\n", nom, secondes,
                100.0 * (temps2 - temps) / tic / secondes, double(changements2 - changements) / secondes,
                memoire.toDouble() / 1024);
    p.kill();
    p.waitForFinished();
}

// Resident memory and its peak so far, in MB.
std::pair<double, double> memoire()
{
    QFile etat(QStringLiteral("/proc/self/status"));
    const QString texte = etat.open(QIODevice::ReadOnly) ? etat.readAll() : QString();
    return {QRegularExpression("VmRSS:\\s+(\\d+)").match(texte).captured(1).toDouble() / 1024,
            QRegularExpression("VmHWM:\\s+(\\d+)").match(texte).captured(1).toDouble() / 1024};
}

// A 16 MiB WAV, CD-quality stereo: the largest file a teacher's sound may be.
void fichierDeMaitre(const QString &chemin)
{
    SF_INFO info{0, 44100, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0, 0};
    SNDFILE *sf = sf_open(qPrintable(chemin), SFM_WRITE, &info);
    std::vector<short> trames(2 * 44100);
    for (size_t i = 0; i < trames.size(); ++i)
        trames[i] = short(8000 * std::sin(2 * M_PI * 440 * double(i / 2) / 44100));
    for (sf_count_t ecrites = 0; sf && ecrites < ((16 << 20) - 44) / 4; ecrites += 44100)
        sf_writef_short(sf, trames.data(), std::min<sf_count_t>(44100, ((16 << 20) - 44) / 4 - ecrites));
    sf_close(sf);
}

double maintenant()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The copy: plays, and ends with the moment its sound object goes.
int fin()
{
    SonOpenAL son;
    son.joue(QStringLiteral("Bravo.wav"));
    QThread::msleep(300);
    std::printf("%.3f\n", maintenant());
    std::fflush(stdout);
    return 0;
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().value(1) == "fin")
        return fin();
    const int fois = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const int secondes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
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
        // The first sound loads the sound libraries and opens the device, as
        // a game's first end does.
        enregistrePendant(3500);
        for (int n = 0; n < fois; ++n) {
            const qsizetype appel = echantillons();
            son.joue(QStringLiteral("Bravo.wav"));
            enregistrePendant(1000);
            const qsizetype arret = echantillons();
            son.arrete();
            enregistrePendant(500);
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
    std::pair<double, double> avant, pendant, apres;
    {
        SonOpenAL son;
        son.joue(QStringLiteral("Echec.wav"));
        QThread::msleep(1000);
        avant = memoire();
        fichierDeMaitre(dossier.filePath("Bravo.wav"));
        QDir::setCurrent(dossier.path());
        son.joue(QStringLiteral("Bravo.wav"));
        QThread::msleep(1500);
        pendant = memoire();
        son.arrete();
        QThread::sleep(3);
        apres = memoire();
        QDir::setCurrent(GIBETTO_RUNTIME_DIR);
    }
    ::kill(serveur.processId(), SIGSTOP);
    QProcess copie;
    copie.start(QCoreApplication::applicationFilePath(), {"fin"});
    copie.waitForFinished(20000);
    const double sortie = maintenant() - copie.readAllStandardOutput().toDouble();
    ::kill(serveur.processId(), SIGCONT);
    repos("the game", QDir(GIBETTO_RUNTIME_DIR).filePath("gibetto"), secondes);
    repos("a bare Qt window", QDir(QCoreApplication::applicationDirPath()).filePath("plancher"), secondes);
    micro.kill();
    micro.waitForFinished();
    serveur.kill();
    serveur.waitForFinished();
    std::printf("first sound heard after the call to play, the device closed: %.1f ms\n", debuts.front());
    std::printf("sound heard after the call to play: %.1f ms (median of %d), %.1f ms at most\n",
                mediane(debuts), fois, *std::max_element(debuts.begin(), debuts.end()));
    std::printf("silence after the call to stop: %.1f ms (median of %d), %.1f ms at most\n",
                mediane(arrets), fois, *std::max_element(arrets.begin(), arrets.end()));
    std::printf("a 16 MiB teacher's file: %.1f MB more resident while it plays, %.1f MB once the device has closed,"
                " %.1f MB more at the peak\n", pendant.first - avant.first, apres.first - avant.first, pendant.second - avant.second);
    std::printf("end of the program with the sound server frozen: %.0f ms after the sound object's destruction began\n", sortie);
}
