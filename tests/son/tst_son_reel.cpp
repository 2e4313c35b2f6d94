// The game's sound as a player hears it: a private sound server, whatever
// reaches its output recorded, and the tones found in the recording.
#include "sonqt.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <functional>

namespace {
const int taux = 8000; // of the recording
const int fenetre = taux / 40; // 25 ms
// Bravo.wav and Echec.wav as the tests write them, and the built-in chime's first bell.
const double tons[] = {440, 1000, 784};
const char lettres[] = "BEC";

QByteArray ton(double frequence)
{
    const int n = 4410; // 0.2 s: a whole number of periods, so each loop joins the next
    QByteArray wav;
    QDataStream o(&wav, QIODevice::WriteOnly);
    o.setByteOrder(QDataStream::LittleEndian);
    o.writeRawData("RIFF", 4);
    o << quint32(36 + 2 * n);
    o.writeRawData("WAVEfmt ", 8);
    o << quint32(16) << quint16(1) << quint16(1) << quint32(22050) << quint32(44100) << quint16(2)
      << quint16(16);
    o.writeRawData("data", 4);
    o << quint32(2 * n);
    for (int i = 0; i < n; ++i)
        o << qint16(16000 * std::sin(2 * M_PI * frequence * i / 22050));
    return wav;
}

// One letter per window: the tone that fills it, '?' another sound, ' ' silence.
QString ecoute(const QByteArray &pcm)
{
    const auto *x = reinterpret_cast<const qint16 *>(pcm.constData());
    QString lu;
    for (qsizetype d = 0; d + fenetre <= pcm.size() / 2; d += fenetre) {
        double energie = 0;
        for (int i = 0; i < fenetre; ++i)
            energie += double(x[d + i]) * x[d + i];
        QChar c = energie > fenetre * 330.0 * 330.0 ? '?' : ' ';
        for (int k = 0; k < 3 && c != ' '; ++k) {
            double re = 0, im = 0;
            for (int i = 0; i < fenetre; ++i) {
                re += x[d + i] * std::cos(2 * M_PI * tons[k] * i / taux);
                im += x[d + i] * std::sin(2 * M_PI * tons[k] * i / taux);
            }
            if (2 * (re * re + im * im) > 0.5 * fenetre * energie)
                c = lettres[k];
        }
        lu += c;
    }
    return lu;
}

// Stretches of sound parted by 300 ms of silence, each with the tones heard in it.
QStringList morceaux(const QString &lu, QList<int> *durees)
{
    QStringList tous;
    for (int i = lu.indexOf(QRegularExpression("\\S")); i >= 0;) {
        const int fin = lu.indexOf(QRegularExpression(" {12}"), i);
        const QString m = lu.mid(i, fin < 0 ? -1 : fin - i);
        QString vus;
        for (const char l : QByteArray(lettres))
            vus += m.count(l) >= 2 ? QString(l) : QString();
        tous << vus;
        durees->append(m.trimmed().size() * 25);
        i = fin < 0 ? -1 : lu.indexOf(QRegularExpression("\\S"), fin);
    }
    return tous;
}

// Plays "Name.wav:ms" (joue then wait) and "-:ms" (arrete then wait) steps,
// printing when each began and the longest call.
int scene(const QStringList &pas)
{
    SonQt son(QStringLiteral(GIBETTO_MODULE_SON));
    QElapsedTimer t;
    t.start();
    qint64 pire = 0;
    for (const QString &p : pas) {
        const qint64 debut = t.elapsed();
        std::printf("%lld\n", debut);
        std::fflush(stdout);
        p.startsWith('-') ? son.arrete() : son.joue(p.section(':', 0, 0));
        pire = std::max(pire, t.elapsed() - debut);
        QTest::qWait(p.section(':', 1).toInt());
    }
    std::printf("pire %lld\n", pire);
    return 0;
}
}

class TstSonReel : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dossier;
    QProcess m_serveur, m_micro;

    QProcessEnvironment environnement(const QString &serveur) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", m_dossier.path());
        env.insert("XDG_RUNTIME_DIR", m_dossier.path());
        env.insert("PULSE_SERVER", "unix:" + m_dossier.filePath(serveur));
        return env;
    }
    struct Scene
    {
        QStringList sortie;
        QString erreurs;
        QByteArray entendu;
    };
    // A fresh process for each scene, so its first sound as in the game, in a
    // folder with Echec.wav and Bravo.wav as told: "ton", "abime" or none.
    void joue(const QString &bravo, const QString &pas, const QString &serveur, Scene *scene,
              const std::function<void()> &pendant = {})
    {
        QDir jeu(m_dossier.filePath("jeu"));
        QVERIFY(jeu.removeRecursively() && jeu.mkpath("."));
        {
            QByteArray abime(8192, 0);
            QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(abime.data()), 2048);
            QFile b(jeu.filePath("Bravo.wav")), e(jeu.filePath("Echec.wav"));
            QVERIFY(e.open(QIODevice::WriteOnly) && e.write(ton(tons[1])) > 0);
            if (!bravo.isEmpty())
                QVERIFY(b.open(QIODevice::WriteOnly) && b.write(bravo == "ton" ? ton(tons[0]) : abime) > 0);
        }
        QProcess p;
        p.setProcessEnvironment(environnement(serveur));
        p.setWorkingDirectory(jeu.path());
        m_micro.readAllStandardOutput();
        p.start(QCoreApplication::applicationFilePath(), QStringList{"scene"} + pas.split(' '));
        if (pendant && p.waitForReadyRead(20000))
            pendant();
        // The recording goes on meanwhile.
        QTRY_VERIFY2_WITH_TIMEOUT(p.state() == QProcess::NotRunning, "the scene hangs", 30000);
        QTest::qWait(300);
        scene->entendu = m_micro.readAllStandardOutput();
        scene->erreurs = p.readAllStandardError();
        scene->sortie = QString(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, "the scene crashed");
    }

private Q_SLOTS:
    void initTestCase()
    {
        for (const char *outil : {"pulseaudio", "parec"})
            QVERIFY2(!QStandardPaths::findExecutable(outil).isEmpty(),
                     qPrintable(QString("%1 is missing: install pulseaudio and pulseaudio-utils").arg(outil)));
        QFile conf(m_dossier.filePath("pulse.pa"));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("load-module module-null-sink sink_name=gibetto\nset-default-sink gibetto\n"
                   "load-module module-native-protocol-unix auth-anonymous=1 socket=" +
                   m_dossier.filePath("serveur").toUtf8() + "\n");
        conf.close();
        m_serveur.setProcessEnvironment(environnement("serveur"));
        m_serveur.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1",
                                       "--use-pid-file=no", "-F", conf.fileName()});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_dossier.filePath("serveur")), 20000);
        m_micro.setProcessEnvironment(environnement("serveur"));
        m_micro.start("parec", {"-d", "gibetto.monitor", "--rate=8000", "--channels=1",
                                "--format=s16le", "--latency-msec=20"});
        QVERIFY(m_micro.waitForReadyRead(20000));
    }
    void cleanupTestCase()
    {
        m_micro.kill();
        m_serveur.kill();
        m_micro.waitForFinished();
        m_serveur.waitForFinished();
    }

    void ceQuOnEntend_data()
    {
        QTest::addColumn<QString>("bravo");
        QTest::addColumn<QString>("pas");
        QTest::addColumn<QString>("entendu");
        QTest::newRow("le gain boucle jusqu'a l'arret, la perte vient seule")
            << "ton" << "Bravo.wav:1500 -:1000 Echec.wav:1200 -:700" << "B|E";
        QTest::newRow("sans fichier, le carillon") << "" << "Bravo.wav:1500 -:700" << "C";
        QTest::newRow("un fichier qui n'est pas un son, le carillon")
            << "abime" << "Bravo.wav:1500 -:700" << "C";
    }
    void ceQuOnEntend()
    {
        QFETCH(QString, bravo);
        QFETCH(QString, pas);
        QFETCH(QString, entendu);
        Scene scene;
        joue(bravo, pas, "serveur", &scene);
        if (QTest::currentTestFailed())
            return;
        QList<int> durees;
        const QString lu = ecoute(scene.entendu);
        QCOMPARE(morceaux(lu, &durees).join('|'), entendu);
        QCOMPARE(scene.erreurs, QString());
        const QStringList &debuts = scene.sortie;
        // Each stretch lasts as long as its sound was meant to play, within
        // 300 ms, less what starting the sound took; a shorter one did not loop.
        const QStringList etapes = pas.split(' ');
        for (int i = 0, m = 0; i < etapes.size(); ++i) {
            if (etapes[i].startsWith('-'))
                continue;
            const int voulu = debuts[i + 1].toInt() - debuts[i].toInt();
            QVERIFY2(durees[m] <= voulu + 300 && durees[m] >= voulu / 2,
                     qPrintable(QString("%1 ms heard for %2 ms: %3").arg(durees[m]).arg(voulu).arg(lu)));
            ++m;
        }
    }

    // Without a sound server the game stays quiet and goes on.
    void sansServeur_data()
    {
        QTest::addColumn<QString>("serveur");
        QTest::addColumn<bool>("tue");
        QTest::newRow("aucun serveur") << "absent" << false;
        QTest::newRow("le serveur s'en va pendant le son") << "serveur" << true;
    }
    void sansServeur()
    {
        QFETCH(QString, serveur);
        QFETCH(bool, tue);
        Scene scene;
        joue("ton", "Bravo.wav:1000 Echec.wav:500 -:200 Bravo.wav:200 -:0", serveur, &scene, [&] {
            QTest::qWait(500);
            if (tue)
                m_serveur.kill();
        });
        if (QTest::currentTestFailed())
            return;
        QVERIFY2(scene.erreurs.count('\n') <= 1, qPrintable(scene.erreurs));
        QVERIFY2(scene.sortie.last().section(' ', 1).toInt() < 1000, qPrintable(scene.sortie.last()));
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "scene")
        return scene(app.arguments().mid(2));
    TstSonReel t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_son_reel.moc"
