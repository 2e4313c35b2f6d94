// Whole games on a machine in trouble. Each row plays again in a copy of this
// test put in a fresh folder with the row's files, so that what lies "beside
// the program" is ours, and with a sound server of its own.
#include "hasard.h"
#include "imagesqt.h"
#include "jeu.h"
#include "sonqt.h"

#include <QTest>
#include <QtWidgets>
#include <csignal>
#include <unistd.h>

extern quintptr Q_CORE_EXPORT qtHookData[]; // Qt's hooks for debuggers: [3] an object made, [4] one gone
namespace {
qsizetype objets = 0;
QStringList dits; // every message the game logs
const QStringList images = {"0.bmp", "1.bmp", "2.bmp", "3.bmp", "4.bmp", "5.bmp", "6.bmp", "7.bmp", "victoire.bmp"};

template<typename T = QAbstractButton>
T *controle(const char *nom) // in the windows shown
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *c = w->isVisible() ? w->findChild<T *>(nom, Qt::FindDirectChildrenOnly) : nullptr)
            return c;
    qFatal("no %s shown", nom);
}
}

class TstPannes : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void leJeuVaJusquAuBout_data()
    {
        QTest::addColumn<QStringList>("panne"); // pictures in the current folder, beside the program; sounds; machine
        QStringList lignes = {"absente bonne bon -", "absente absente bon -", "bonne brouillee bon -", "absente bonne absent -",
                              "absente bonne vide -", "absente bonne brouille -", "absente bonne enorme -", "bonne bonne bon sans-serveur",
                              "bonne bonne bon serveur-tue", "bonne bonne bon dossier-illisible", "bonne bonne bon dossier-efface"};
        for (const QString a : {"vide", "tronquee", "brouillee"})
            lignes << "absente " + a + " bon -" << a + " absente bon -" << a + " " + a + " bon -";
        for (const QString &l : lignes)
            QTest::newRow(qPrintable(l)) << l.split(' ');
    }
    void leJeuVaJusquAuBout()
    {
        QFETCH(QStringList, panne);
        if (qEnvironmentVariableIsSet("GIBETTO_SERVEUR"))
            return joue(panne[3], (panne[0] == "absente" ? panne[1] : panne[0]) != "bonne");
        QTemporaryDir d;
        QProcess serveur, p;
        QCOMPARE(QProcess::execute("sh", {"-c", "cd \"$0\" && mkdir ici bin lib home && chmod 755 . ici bin lib && chmod 700 home && ln -s \"$1\" lib/gibetto && cp \"$2\" bin/jeu",
                                          d.path(), GIBETTO_MODULES, QCoreApplication::applicationFilePath()}), 0);
        QByteArray hasard(1 << 14, 0);
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(hasard.data()), hasard.size() / 4);
        for (const QString &f : images + QStringList{"Bravo.wav", "Echec.wav"}) {
            QFile vraie(GIBETTO_JEU "/" + f), copie[2] = {d.filePath("ici/" + f), d.filePath("bin/" + f)};
            QVERIFY(vraie.open(QIODevice::ReadOnly));
            const QByteArray v = vraie.readAll(), wav("RIFF\xff\xff\xff\x7fWAVEfmt \x10\0\0\0\1\0\1\0\x22\x56\0\0\x44\xac\0\0\2\0\x10\0data\0\0\x20\x03", 44);
            for (int i = 0; i < 2; ++i) { // the current folder, beside the program
                const QString quoi = f.endsWith("wav") ? (i ? panne[2] : "absent") : panne[i];
                // Whole, cut in half, random bytes, or 50 MB of a sound Qt can play.
                const QByteArray contenu = quoi.startsWith("bon") ? v : quoi == "tronquee" ? v.left(v.size() / 2) : quoi.startsWith("brouille") ? hasard : quoi == "enorme" ? wav + QByteArray(50 << 20, 1) : "";
                QVERIFY(quoi.startsWith("absent") || (copie[i].open(QIODevice::WriteOnly) && copie[i].write(contenu) == contenu.size()));
            }
        }
        serveur.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "-L", "module-null-sink", "-L",
                                     "module-native-protocol-unix auth-anonymous=1 socket=" + d.filePath("serveur")});
        QTRY_VERIFY2_WITH_TIMEOUT(QFile::exists(d.filePath("serveur")), "pulseaudio is missing or does not start", 20000);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const auto &[nom, valeur] : {std::pair{"PULSE_SERVER", "unix:" + d.filePath(panne[3] == "sans-serveur" ? "absent" : "serveur")}, {"GIBETTO_SERVEUR", QString::number(serveur.processId())},
                                         {"HOME", d.filePath("home")}, {"XDG_RUNTIME_DIR", d.filePath("home")}, {"XDG_DATA_HOME", d.path()}, {"XDG_DATA_DIRS", d.path()}})
            env.insert(nom, valeur);
        p.setProcessEnvironment(env), p.setWorkingDirectory(d.filePath("ici"));
        QStringList commande = {d.filePath("bin/jeu"), "leJeuVaJusquAuBout:" + QString(QTest::currentDataTag())};
        if (panne[3] == "dossier-illisible" && QFile::setPermissions(d.filePath("ici"), {}) && geteuid() == 0) // root reads any folder: the game runs as nobody
            commande = QStringList{"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"} + commande, QProcess::execute("chown", {"nobody", d.filePath("home")});
        p.start(commande[0], commande.mid(1));
        QVERIFY2(p.waitForFinished(90000), "the game hangs");
        serveur.kill(), serveur.waitForFinished(); // by its process id
        // Nothing printed on the terminal beside the game's log, checked there.
        const QString erreurs = p.readAllStandardError();
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 && erreurs.isEmpty(), qPrintable(p.readAllStandardOutput() + erreurs));
    }

private:
    // Six games as a player clicks them, the first lost.
    void joue(const QString &machine, bool perdues)
    {
        // The offscreen screen's own complaint at fixed-size windows: no real screen says it.
        static const QtMessageHandler avant = qInstallMessageHandler([](QtMsgType t, const QMessageLogContext &c, const QString &m) {
            if (m != "This plugin does not support propagateSizeHints()") dits << m, avant(t, c, m); });
        qtHookData[3] = quintptr(+[](QObject *) { ++objets; }), qtHookData[4] = quintptr(+[](QObject *) { --objets; });
        ImagesQt images;
        SonQt son;
        HasardHorloge hasard;
        Jeu jeu(Services{images, son, hasard});
        jeu.ouvrePendu("Léa");
        if (machine == "dossier-efface")
            QDir::current().removeRecursively();
        QStringList alertes, attendues;
        const auto clique = [&alertes](const char *nom) {
            const QDeadlineTimer limite(3000);
            controle(nom)->click(), QTest::qWait(20);
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *b = qobject_cast<QMessageBox *>(w); b && b->isVisible())
                    alertes << b->text(), b->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY2(!limite.hasExpired(), nom);
        };
        for (qsizetype n = 1, apres2 = 0; n <= 6; ++n, apres2 = n == 3 ? objets : apres2) {
            clique("Entree"), clique("Check7"), controle<QLineEdit>("Perso")->setText("A");
            for (const char c : QByteArray(n == 1 ? "-BCDEFGH" : "-A"))
                clique(c == '-' ? "op" : QByteArray(1, c).constData());
            // The box left empty names the picture lost.
            const QLabel *ecran = controle<QLabel>("Ecran");
            QCOMPARE(ecran->pixmap().isNull(), perdues);
            QCOMPARE(ecran->accessibleDescription(), QString(perdues && n > 1 ? "Image « victoire.bmp » absente : Le bonhomme est sauvé !" : perdues ? "Image « 7.bmp » absente : Le pendu, étape 7 sur 7" : ""));
            QTest::qWait(n == 1 ? 300 : 20); // the sound plays on, and the sound server may go away
            if (n == 1 && machine == "serveur-tue")
                ::kill(qEnvironmentVariableIntValue("GIBETTO_SERVEUR"), SIGKILL), QTest::qWait(500);
            clique("SF"), clique("oui");
            QVERIFY2(n < 6 || objets == apres2, qPrintable(QString("%1 objects live after game 2, %2 after 6").arg(apres2).arg(objets)));
        }
        // The player is told once of each picture lost; the game's own warnings alone are printed, each once.
        for (const QString &f : perdues ? ::images : QStringList())
            attendues << ImagesQt::messageAbsente(f);
        std::sort(alertes.begin(), alertes.end());
        QCOMPARE(alertes, attendues);
        const qsizetype voulues = machine == "sans-serveur" ? 1 : machine == "serveur-tue" ? qMax(1, dits.size()) : 0;
        QVERIFY2(dits.filter(QRegularExpression("^Gibetto : ")).size() == voulues && QSet(dits.begin(), dits.end()).size() == voulues && dits.size() == voulues, qPrintable(dits.join('\n')));
    }
};

QTEST_MAIN(TstPannes)
#include "tst_pannes.moc"
