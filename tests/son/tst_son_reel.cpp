// The game's sound as a player hears it: a private sound server, whatever
// reaches its output recorded, and the tones found in the recording.
#include "sonqt.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTest>

#include <complex>

namespace {
const int taux = 8000, fenetre = 200; // the recording's rate, and 25 ms windows
// Bravo.wav and Echec.wav as written here, and the built-in chime's first bell.
const double tons[] = {440, 1000, 784};
const char lettres[] = "BEC";

// 0.2 s at 22050 Hz: whole periods, so that each loop joins the next.
QByteArray ton(double frequence)
{
    QByteArray wav("RIFF\x98\x22\0\0WAVEfmt \x10\0\0\0\1\0\1\0\x22\x56\0\0\x44\xac\0\0\2\0\x10\0data\x74\x22\0\0", 44);
    for (int i = 0; i < 4410; ++i) {
        const qint16 x = 16000 * std::sin(2 * M_PI * frequence * i / 22050);
        wav.append(reinterpret_cast<const char *>(&x), 2);
    }
    return wav;
}

// One letter per window: the tone that fills it, '?' another sound, ' ' silence.
QString ecoute(const QByteArray &pcm)
{
    const auto *x = reinterpret_cast<const qint16 *>(pcm.constData());
    QString lu;
    for (qsizetype d = 0; d + fenetre <= pcm.size() / 2; d += fenetre) {
        double energie = 0;
        std::complex<double> s[3];
        for (int i = 0; i < fenetre; ++i) {
            energie += double(x[d + i]) * x[d + i];
            for (int k = 0; k < 3; ++k)
                s[k] += double(x[d + i]) * std::polar(1.0, 2 * M_PI * tons[k] * i / taux);
        }
        lu += energie < fenetre * 330.0 * 330.0 ? ' ' : '?';
        for (int k = 0; k < 3; ++k)
            lu.back() = lu.back() != ' ' && 2 * std::norm(s[k]) > 0.5 * fenetre * energie ? lettres[k] : lu.back();
    }
    return lu;
}
}

class TstSonReel : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dossier;
    QProcess m_serveur, m_micro; // stopped by their process id as the test ends, by ~QProcess

private Q_SLOTS:
    void initTestCase()
    {
        for (const char *outil : {"pulseaudio", "parec"})
            QVERIFY2(!QStandardPaths::findExecutable(outil).isEmpty(), "pulseaudio or parec missing: install pulseaudio and pulseaudio-utils");
        const QString socket = m_dossier.filePath("serveur");
        qputenv("HOME", m_dossier.path().toUtf8());
        qputenv("XDG_RUNTIME_DIR", m_dossier.path().toUtf8());
        m_serveur.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "-L",
                                       "module-null-sink sink_name=gibetto", "-L",
                                       "module-native-protocol-unix auth-anonymous=1 socket=" + socket});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), 20000);
        m_micro.start("parec", {"-s", "unix:" + socket, "-d", "gibetto.monitor", "--rate=8000", "--channels=1",
                                "--format=s16le", "--latency-msec=20"});
        QVERIFY(m_micro.waitForReadyRead(20000));
        qputenv("PULSE_SERVER", "unix:" + socket.toUtf8());
    }

    void ceQuOnEntend_data()
    {
        QTest::addColumn<QByteArray>("bravo");
        QTest::addColumn<QString>("pas"); // "Name.wav:ms" plays and waits, "-:ms" stops and waits
        QTest::addColumn<QString>("module");
        QTest::addColumn<QString>("entendu"); // stretches of sound
        QByteArray abime(8192, 0);
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(abime.data()), 2048);
        const QString seul = "Bravo.wav:1500 -:700";
        QTest::newRow("le gain boucle jusqu'a l'arret, la perte vient seule")
            << ton(tons[0]) << "Bravo.wav:1500 -:1000 Echec.wav:1200 -:700" << GIBETTO_MODULE_SON << "B|E";
        QTest::newRow("sans fichier, le carillon") << QByteArray() << seul << GIBETTO_MODULE_SON << "C";
        QTest::newRow("un fichier qui n'est pas un son, le carillon") << abime << seul << GIBETTO_MODULE_SON << "C";
        QTest::newRow("sans module, le silence") << ton(tons[0]) << "Bravo.wav:500 -:200 Echec.wav:300 -:300" << "absent.so" << "";
    }
    void ceQuOnEntend()
    {
        QFETCH(QByteArray, bravo);
        QFETCH(QString, module);
        QFETCH(QString, entendu);
        QTemporaryDir jeu;
        QFile b(jeu.filePath("Bravo.wav")), e(jeu.filePath("Echec.wav"));
        QVERIFY(e.open(QIODevice::WriteOnly) && e.write(ton(tons[1])) > 0 && e.flush());
        QVERIFY(bravo.isNull() || (b.open(QIODevice::WriteOnly) && b.write(bravo) > 0 && b.flush()));
        QVERIFY(QDir::setCurrent(jeu.path()));
        // Nothing said but, without the module, one line of ours.
        QTest::failOnWarning(QRegularExpression("."));
        if (module == "absent.so")
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Gibetto : le module de son"));
        SonQt son(module);
        QList<qint64> debuts;
        QElapsedTimer t;
        t.start();
        m_micro.readAllStandardOutput();
        QFETCH(QString, pas);
        for (const QString &p : pas.split(' ')) {
            debuts << t.elapsed();
            p.startsWith('-') ? son.arrete() : son.joue(p.section(':', 0, 0));
            QVERIFY2(t.elapsed() - debuts.last() < 1500, "a call blocked");
            QTest::qWait(p.section(':', 1).toInt());
        }
        // Stretches of sound parted by 300 ms of silence, and the tones in each.
        const QString lu = ecoute(m_micro.readAllStandardOutput());
        const QStringList pieces = lu.trimmed().split(QRegularExpression(" {12,}"), Qt::SkipEmptyParts);
        QStringList morceaux;
        for (const QString &m : pieces)
            morceaux << QString(lettres).remove(QRegularExpression("[^" + m + "]"));
        QCOMPARE(morceaux.join('|'), entendu);
        // The first sound lasts as long as it was meant to play, within 300 ms,
        // less what starting it took; a shorter one did not loop.
        const qint64 voulu = debuts[1] - debuts[0], duree = pieces.value(0).size() * 25;
        QVERIFY2(pieces.isEmpty() || (duree <= voulu + 300 && duree >= voulu / 2),
                 qPrintable(QString("%1 ms heard for %2 ms: %3").arg(duree).arg(voulu).arg(lu)));
    }
};

QTEST_GUILESS_MAIN(TstSonReel)
#include "tst_son_reel.moc"
