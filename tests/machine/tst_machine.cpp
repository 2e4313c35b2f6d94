// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
// The game on a real machine: whole games with files, sound server or folders
// in trouble, each in a copy of this test in a fresh folder; and the sound as
// a player hears it, recorded from a private sound server and told by its tones.
#include "etatlecteuratspi.h"
#include "hasard.h"
#include "imagesqt.h"
#include "jeu.h"
#include "pilote.h"
#include "sonopenal.h"
#include "ton.h"

#include <QtWidgets>

#include <sndfile.h>
#include <sys/resource.h>

#include <complex>
#include <csignal>
#include <numeric>

namespace {
const QStringList images = {"0.bmp", "1.bmp", "2.bmp", "3.bmp", "4.bmp", "5.bmp", "6.bmp", "7.bmp", "victoire.bmp"};
const int taux = 8000, tranche = 200; // the recording's rate, and 25 ms slices
// Bravo.wav and Echec.wav as written here, and the built-in chime's first bell.
const double tons[] = {440, 1000, 784};
const char lettres[] = "BEC";

// A sound server of its own, its socket "serveur" in that folder, and what it
// plays recorded, for tonsEntendus(); both stopped by ~QProcess, by their process id.
bool demarreServeur(QProcess &serveur, QProcess &micro, const QString &dossier)
{
    const QString socket = QDir(dossier).filePath("serveur");
    serveur.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "-L",
                                 "module-null-sink sink_name=gibetto", "-L",
                                 "module-native-protocol-unix auth-anonymous=1 socket=" + socket});
    if (!QTest::qWaitFor([&socket] { return QFile::exists(socket); }, 20000))
        return false;
    micro.start("parec", {"-s", "unix:" + socket, "-d", "gibetto.monitor", "--rate=8000", "--channels=1",
                          "--format=s16le", "--latency-msec=20"});
    return micro.waitForReadyRead(20000);
}

// Spoils a copy of a game file as a row says: "absent(e)" gone, "vide" empty,
// "tronquee" cut in half, "brouille(e)" random bytes, "enorme" a 50 MB sound;
// "bon(ne)" leaves it.
bool abime(const QString &chemin, const QString &quoi)
{
    QFile f(chemin);
    if (quoi.startsWith("absent"))
        return !f.exists() || f.remove();
    QByteArray ajout(quoi.startsWith("brouille") ? 1 << 14 : 0, 0);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(ajout.data()), ajout.size() / 4);
    if (quoi == "enorme")
        ajout = QByteArray("RIFF\xff\xff\xff\x7fWAVEfmt \x10\0\0\0\1\0\1\0\x22\x56\0\0\x44\xac\0\0\2\0\x10\0data\0\0\x20\x03", 44) + QByteArray(50 << 20, 1);
    return quoi.startsWith("bon")
            || (f.resize(quoi == "tronquee" ? f.size() / 2 : 0) && f.open(QIODevice::Append) && f.write(ajout) >= 0);
}

double energie(const QByteArray &pcm, qsizetype d)
{
    const auto *x = reinterpret_cast<const qint16 *>(pcm.constData());
    return std::inner_product(x + d, x + d + tranche, x + d, 0.0);
}

// One letter a slice: the tone that fills it, '?' another sound, ' ' silence.
QString tonsEntendus(const QByteArray &pcm)
{
    const auto *x = reinterpret_cast<const qint16 *>(pcm.constData());
    QString lu;
    for (qsizetype d = 0; d + tranche <= pcm.size() / 2; d += tranche) {
        const double energie = ::energie(pcm, d);
        std::complex<double> s[3];
        for (int i = 0; i < tranche; ++i) {
            for (int k = 0; k < 3; ++k)
                s[k] += double(x[d + i]) * std::polar(1.0, 2 * M_PI * tons[k] * i / taux);
        }
        lu += energie < tranche * 330.0 * 330.0 ? ' ' : '?';
        for (int k = 0; k < 3; ++k)
            lu.back() = lu.back() != ' ' && 2 * std::norm(s[k]) > 0.5 * tranche * energie ? lettres[k] : lu.back();
    }
    return lu;
}

// Processor time, in microseconds, of this process's threads but this one.
qint64 tempsDesAutresFils()
{
    rusage tous{}, celuiCi{};
    getrusage(RUSAGE_SELF, &tous);
    getrusage(RUSAGE_THREAD, &celuiCi);
    const auto us = [](const timeval &t) { return t.tv_sec * 1000000LL + t.tv_usec; };
    return us(tous.ru_utime) + us(tous.ru_stime) - us(celuiCi.ru_utime) - us(celuiCi.ru_stime);
}

// Whether the sound server holds no stream of the game's by then, its
// device closed, and the sound thread then sleeps for half a second: less
// than a millisecond of processor time, where waking each millisecond took 10.
bool repose(const QDeadlineTimer &limite)
{
    const bool ferme = QTest::qWaitFor([] {
        QProcess pactl;
        pactl.start("pactl", {"list", "short", "sink-inputs"});
        return pactl.waitForFinished() && pactl.exitCode() == 0 && pactl.readAllStandardOutput().isEmpty();
    }, int(limite.remainingTime()));
    const qint64 avant = tempsDesAutresFils();
    QTest::qWait(500);
    return ferme && tempsDesAutresFils() - avant < 1000;
}
}

class TstMachine : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dossier;
    QProcess m_serveur, m_micro; // stopped by their process id as the test ends, by ~QProcess

private Q_SLOTS:
    // The sound server that records what the game plays; not in a copy.
    void initTestCase()
    {
        if (qEnvironmentVariableIsSet("GIBETTO_SERVEUR"))
            return;
        // The sounds lie in the data folder, away from the current one.
        for (const char *nom : {"HOME", "XDG_RUNTIME_DIR", "XDG_DATA_HOME"})
            qputenv(nom, m_dossier.path().toUtf8());
        QVERIFY(QDir::setCurrent(m_dossier.path()));
        QVERIFY2(demarreServeur(m_serveur, m_micro, m_dossier.path()), "pulseaudio or parec is missing: install pulseaudio and pulseaudio-utils");
        qputenv("PULSE_SERVER", "unix:" + m_dossier.filePath("serveur").toUtf8());
    }

    // A row: the pictures in the current folder and beside the program, the
    // sounds beside it, and the machine. Two functions, which ctest runs side
    // by side: each row waits seconds for its copy of the game.
    void desImagesAbimees_data() { lignesDePanne(true); }
    void desImagesAbimees() { vaJusquAuBout(); }
    void desSonsEtUneMachineEnPanne_data() { lignesDePanne(false); }
    void desSonsEtUneMachineEnPanne() { vaJusquAuBout(); }

    // In the copy whose server answers just after the sound object's
    // half-second, the program ends once its sound thread has.
    void cleanupTestCase()
    {
        if (QCoreApplication::arguments().join(' ').contains("serveur-lent"))
            QTest::qWait(300);
    }

    void ceQuOnEntend_data()
    {
        QTest::addColumn<QByteArray>("bravo");
        // "Name.wav:ms" plays and waits, "-:ms" stops, "+fige:ms" and "+reprend:ms" the server, "=:ms" Bravo.wav
        // becomes Echec.wav's tone, "*1:ms" and "*0:ms" set and end the attenuation, "~:ms" waits for the
        // device to close, which it does within 3 s of a stop
        QTest::addColumn<QString>("pas");
        QTest::addColumn<QString>("entendu"); // stretches of sound
        QTest::newRow("attenue pendant un son, avant un autre, puis plus") << ton(tons[0])
            << "Bravo.wav:1000 *1:1000 *0:1000 -:700 *1:0 Bravo.wav:1000 -:0 ~:0 Bravo.wav:1000 -:0 ~:0 *0:0 ~:0 Bravo.wav:1200 -:700"
            << "B|B|B|B";
        QTest::newRow("un fichier change entre deux sons") << ton(tons[0]) << "Bravo.wav:700 -:700 =:0 Bravo.wav:1500 -:700" << "B|E";
        QTest::newRow("un son en remplace un autre") << ton(tons[0]) << "Bravo.wav:500 Echec.wav:1000 -:700" << "BE";
        QTest::newRow("Ogg Vorbis") << ton(tons[0], SF_FORMAT_OGG | SF_FORMAT_VORBIS) << "Bravo.wav:1500 -:700" << "B";
        QTest::newRow("MP3") << ton(tons[0], SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III) << "Bravo.wav:1500 -:700" << "B";
        QTest::newRow("flottants") << ton(tons[0], SF_FORMAT_WAV | SF_FORMAT_FLOAT) << "Bravo.wav:1500 -:700" << "B";
        QTest::newRow("stereo a 48 kHz") << ton(tons[0], SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 48000) << "Bravo.wav:1500 -:700" << "B";
        QTest::newRow("quatre canaux") << ton(tons[0], SF_FORMAT_WAV | SF_FORMAT_PCM_16, 4) << "Bravo.wav:1500 -:700" << "B";
        QString arrets; // a stop at every moment of a sound's first half second, the last at once
        for (int ms = 500; ms >= 0; ms -= ms > 100 ? 10 : 1)
            arrets += QString("Echec.wav:%1 -:0 ").arg(ms);
        QTest::newRow("un arret a tout moment") << ton(tons[0]) << arrets + "-:700 Bravo.wav:1500 -:700" << "E|B";
        QTest::newRow("serveur fige") << ton(tons[0]) << "+fige:0 Bravo.wav:300 -:300 Echec.wav:300 +reprend:1500 -:700" << "E";
    }
    void ceQuOnEntend()
    {
        QFETCH(QByteArray, bravo);
        QFETCH(QString, pas);
        QDir jeu(m_dossier.filePath("gibetto"));
        QVERIFY(jeu.removeRecursively() && jeu.mkpath("."));
        QFile b(jeu.filePath("Bravo.wav")), e(jeu.filePath("Echec.wav"));
        const QByteArray echec = ton(tons[1]);
        QVERIFY(e.open(QIODevice::WriteOnly) && e.write(echec) > 0 && e.flush());
        QVERIFY(b.open(QIODevice::WriteOnly) && b.write(bravo) > 0 && b.flush());
        QTest::failOnWarning(QRegularExpression(".")); // not a word said

        SonOpenAL son;
        m_micro.readAllStandardOutput();
        QByteArray pcm;
        QList<std::pair<qsizetype, double>> niveaux = {{0, 0.0}}; // from that slice, the level meant, in dB
        QDeadlineTimer repos(3000);
        for (const QString &p : pas.split(' ')) {
            pcm += m_micro.readAllStandardOutput();
            if (p.startsWith('~')) {
                QVERIFY2(repose(repos), "the game does not rest 3 s after the sound stopped");
                continue;
            }
            const QDeadlineTimer limite(100);
            repos = p.startsWith('-') ? QDeadlineTimer(3000) : repos;
            if (p.startsWith('*')) {
                son.attenue(p[1] == '1');
                niveaux.append({pcm.size() / 2 / tranche, p[1] == '1' ? -12.0 : 0.0});
            } else if (p.startsWith('='))
                QVERIFY(b.seek(0) && b.write(echec) > 0 && b.flush());
            else if (p.startsWith('+'))
                ::kill(m_serveur.processId(), p.startsWith("+fige") ? SIGSTOP : SIGCONT);
            else
                p.startsWith('-') ? son.arrete() : son.joue(p.section(':', 0, 0));
            QVERIFY2(!limite.hasExpired(), "a call blocked");
            QTest::qWait(p.section(':', 1).toInt());
        }
        QVERIFY2(repose(repos), "the game does not rest 3 s after the sound stopped");
        // Stretches of sound parted by 300 ms of silence, and the tones in each.
        pcm += m_micro.readAllStandardOutput();
        const QString lu = tonsEntendus(pcm);
        const QStringList pieces = lu.trimmed().split(QRegularExpression(" {12,}"), Qt::SkipEmptyParts);
        QStringList morceaux;
        for (const QString &m : pieces)
            morceaux << QString(lettres).remove(QRegularExpression("[^" + m + "]"));
        QTEST(morceaux.join('|'), "entendu");
        // The last sound, meant to play 1.2 or 1.5 s, stops within 300 ms of
        // the end, and plays on for long enough to have looped.
        const qsizetype duree = pieces.value(pieces.size() - 1).size() * 25;
        QVERIFY2(duree <= 1800 && duree >= 750, qPrintable(QString("%1 ms heard: %2").arg(duree).arg(lu)));
        // The level of the tone from 100 ms after each change to the next, within 1 dB.
        QList<double> moyennes;
        for (qsizetype n = 0; niveaux.size() > 1 && n < niveaux.size(); ++n) {
            double somme = 0;
            int tranches = 0;
            for (qsizetype t = niveaux[n].first + 4; t < (n + 1 < niveaux.size() ? niveaux[n + 1].first : lu.size()); ++t) {
                somme += lu[t] == 'B' ? energie(pcm, t * tranche) : 0;
                tranches += lu[t] == 'B';
            }
            moyennes << somme / tranches;
            const double db = 10 * std::log10(moyennes[n] / moyennes[0]);
            QVERIFY2(std::abs(db - niveaux[n].second) <= 1, qPrintable(QString("%1 dB after change %2: %3").arg(db).arg(n).arg(lu)));
        }
    }

private:
    static void lignesDePanne(bool images)
    {
        QTest::addColumn<QStringList>("panne");
        QStringList lignes = {"absente bonne bon -", "absente absente bon -", "bonne brouillee bon -"};
        for (const QString a : {"vide", "tronquee", "brouillee"})
            lignes << "absente " + a + " bon -" << a + " absente bon -" << a + " " + a + " bon -";
        for (const QString s : {"absent -", "vide -", "brouille -", "enorme -", "bon sans-serveur", "bon serveur-tue",
                                "bon serveur-fige", "bon serveur-lent", "bon dossier-illisible", "bon dossier-efface",
                                "bon openal-refuse"})
            lignes << "bonne bonne " + s;
        for (const QString &l : lignes)
            if (l.startsWith("bonne bonne ") != images)
                QTest::newRow(qPrintable(l)) << l.split(' ');
    }
    void vaJusquAuBout()
    {
        QFETCH(QStringList, panne);
        if (qEnvironmentVariableIsSet("GIBETTO_SERVEUR")) // in the copy
            return joue(panne[3], (panne[0] == "absente" ? panne[1] : panne[0]) != "bonne");
        QTemporaryDir d;
        QCOMPARE(QProcess::execute("sh", {"-c", "cd \"$0\" && mkdir ici gibetto bin home && chmod 700 home"
                                                " && cp \"$1\" bin/jeu && cd \"$2\""
                                                " && cp [0-7].bmp victoire.bmp *.wav \"$0/bin\" && cp [0-3].bmp \"$0/ici\""
                                                " && cp [4-7].bmp victoire.bmp \"$0/gibetto\"",
                                          d.path(), QCoreApplication::applicationFilePath(), GIBETTO_JEU}), 0);
        for (const QString &f : images + QStringList{"Bravo.wav", "Echec.wav"}) {
            const bool son = f.endsWith("wav");
            // A teacher's pictures: half where the game starts, half in the user's data folder.
            QVERIFY(abime(d.filePath((f < "4" ? "ici/" : "gibetto/") + f), son ? "absent" : panne[0]));
            QVERIFY(abime(d.filePath("bin/" + f), son ? panne[2] : panne[1]));
        }
        QProcess serveur, micro, p;
        QVERIFY2(demarreServeur(serveur, micro, d.path()), "pulseaudio or parec fails");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PULSE_SERVER", "unix:" + d.filePath(panne[3] == "sans-serveur" ? "absent" : "serveur"));
        env.insert("GIBETTO_SERVEUR", QString::number(serveur.processId()));
        if (panne[3] == "openal-refuse")
            env.insert("LD_LIBRARY_PATH", GIBETTO_OPENAL_REFUSE);
        for (const char *nom : {"HOME", "XDG_RUNTIME_DIR"})
            env.insert(nom, d.filePath("home"));
        for (const char *nom : {"XDG_DATA_HOME", "XDG_DATA_DIRS"})
            env.insert(nom, d.path());
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(d.filePath("ici"));
        QStringList commande = {d.filePath("bin/jeu"), QString(QTest::currentTestFunction()) + ":" + QTest::currentDataTag()};
        if (panne[3] == "dossier-illisible") { // shut once the game stands in it; root reads it only with its powers dropped
            const QStringList sansPouvoirs = {"setpriv", "--inh-caps=-all", "--bounding-set=-all"};
            commande = QStringList{"sh", "-c", "chmod 0 . && exec \"$@\"", "sh"} + (getuid() ? QStringList() : sansPouvoirs) + commande;
        }
        p.start(commande[0], commande.mid(1));
        QVERIFY2(QTest::qWaitFor([&p] { return p.state() == QProcess::NotRunning; }, 90000), "the game hangs");
        const qint64 finie = QDeadlineTimer::current().deadline();
        QFile::setPermissions(d.filePath("ici"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); // to go with d
        // The first game's loss, on a machine in order: the chime for a spoilt sound.
        const QString entendu = tonsEntendus(micro.readAllStandardOutput());
        const QString attendu = panne[2] == "bon" ? "?" : "C";
        QVERIFY2(panne[3] != "-" || entendu.contains(attendu), qPrintable(entendu));
        for (QProcess *q : {&serveur, &micro}) { // by their process id
            q->kill();
            q->waitForFinished();
        }
        // Nothing on the terminal but the game's own warnings, each said once (QTest logs them as QWARN).
        // The offscreen screen's own complaint at fixed-size windows is left out: no real screen says it.
        const QString sortie = QString(p.readAllStandardOutput() + p.readAllStandardError())
                                       .remove(QRegularExpression("QWARN[^\n]*propagateSizeHints\\(\\)\n"));
        const QStringList dits = sortie.split('\n').filter(QRegularExpression("^(?!PASS|FAIL|Totals|Config|\\*|   Loc|Fin |$)"));
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 && sortie.contains("\nTotals: "), qPrintable(sortie));
        // From the last click to the program's end, its windows closed, within a second, the sound server hung or
        // not; the copy whose server answers late waits 300 ms more at its end.
        const qint64 sortieMs = finie - QRegularExpression("\nFin (\\d+)\n").match(sortie).captured(1).toLongLong();
        QVERIFY2(sortieMs <= (panne[3] == "serveur-lent" ? 1300 : 1000),
                 qPrintable(QString("the program ended %1 ms after its last click").arg(sortieMs)));
        // What is said once: a server killed mid-game is found gone mid-sound or as the next sound opens.
        const QMap<QString, QString> ditUneFois = {{"sans-serveur", "aucune sortie son n'est disponible"},
                                                   {"serveur-tue", ""},
                                                   {"openal-refuse", "la sortie son a refusé un son"}};
        const QString dit = "\\) gibetto\\.son: Gibetto : " + ditUneFois.value(panne[3]);
        QVERIFY2(dits.size() == ditUneFois.count(panne[3]) && dits.filter(QRegularExpression("^QWARN  : .+" + dit)) == dits,
                 qPrintable(dits.join('\n')));
    }

    // Six games as a player clicks them, the first lost.
    void joue(const QString &machine, bool perdues)
    {
        ImagesQt images;
        SonOpenAL son;
        HasardHorloge hasard;
        if (machine == "serveur-fige" || machine == "serveur-lent") // the sound device does not open
            QProcess::execute("kill", {"-STOP", qgetenv("GIBETTO_SERVEUR")});
        EtatLecteurAtSpi lecteur;
        Jeu jeu(Services{images, son, hasard, lecteur});
        jeu.ouvrePendu("Léa");
        QVERIFY(machine != "dossier-efface" || QDir::current().removeRecursively());
        QVERIFY(machine != "dossier-illisible" || QDir::current().entryList().isEmpty());
        QStringList alertes, attendues;
        const auto clique = [&alertes](const char *nom) {
            const QDeadlineTimer limite(5000); // a few seconds, even in the slower sanitizer build
            seuleFenetre()->findChild<QAbstractButton *>(nom)->click();
            QTest::qWait(20);
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (auto *b = qobject_cast<QMessageBox *>(w); b && b->isVisible())
                    alertes << b->text(), b->close();
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY2(!limite.hasExpired(), nom);
        };
        // Left empty, naming the picture lost.
        const QString vide = !perdues ? "" : "vide Image « victoire.bmp » absente : Le bonhomme est sauvé !";
        qsizetype apres2 = 0;
        for (int n = 1; n <= 6; ++n) {
            for (const QString &nom : QString(n == 1 ? "Entree Check7 Perso op B C D E F G H" : "Entree Check7 Perso op A").split(' '))
                nom == "Perso" ? saisit(seuleFenetre(), nom, "A") : clique(qPrintable(nom));
            const QLabel *ecran = seuleFenetre()->findChild<QLabel *>("Ecran");
            QCOMPARE((ecran->pixmap().isNull() ? "vide " : "") + ecran->accessibleDescription(),
                     n > 1 || !perdues ? vide : "vide Image « 7.bmp » absente : Le pendu, étape 7 sur 7");
            QTest::qWait(n > 1 ? 20 : 300); // the sound plays on, and the sound server may go away
            if (n == 1 && machine == "serveur-tue") {
                QProcess::execute("kill", {"-9", qgetenv("GIBETTO_SERVEUR")});
                QTest::qWait(500);
            }
            clique("SF");
            clique("oui");
            apres2 = n == 2 ? QApplication::allWidgets().size() : apres2;
        }
        QVERIFY2(QApplication::allWidgets().size() == apres2,
                 qPrintable(QString("%1 widgets live after game 2, %2 after 6").arg(apres2).arg(QApplication::allWidgets().size())));
        // The player is told once of each picture lost.
        for (const QString &f : perdues ? ::images : QStringList())
            attendues << ImagesQt::messageAbsente(f);
        std::sort(alertes.begin(), alertes.end());
        QCOMPARE(alertes, attendues);
        // The server answers as the sound object's half-second wait ends.
        if (machine == "serveur-lent")
            QProcess::startDetached("sh", {"-c", "sleep 0.52 && kill -CONT \"$0\"", qgetenv("GIBETTO_SERVEUR")});
        std::printf("Fin %lld\n", QDeadlineTimer::current().deadline());
    }
};

QTEST_MAIN(TstMachine)
#include "tst_machine.moc"
