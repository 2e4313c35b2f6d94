// Whole games on a machine in trouble: broken pictures, broken sounds, no
// sound server, a lost current directory. The real program's parts, run in a
// copy of this test placed in a fresh folder so that "beside the program" is ours.
#include "hasard.h"
#include "imagesqt.h"
#include "jeu.h"
#include "sonqt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

extern quintptr Q_CORE_EXPORT qtHookData[]; // Qt's hooks for debuggers: 3 an object made, 4 gone
namespace {
qsizetype objets = 0;
const QStringList images = {"0.bmp", "1.bmp", "2.bmp", "3.bmp", "4.bmp", "5.bmp", "6.bmp", "7.bmp", "victoire.bmp"};

// Six games as a player plays them, one line of news each on stdout.
int partie(bool efface)
{
    // The offscreen screen's own complaint at every fixed-size window: no real screen says it.
    static const QtMessageHandler avant = qInstallMessageHandler([](QtMsgType t, const QMessageLogContext &c, const QString &m) {
        if (m != "This plugin does not support propagateSizeHints()")
            avant(t, c, m);
    });
    qtHookData[3] = quintptr(+[](QObject *) { ++objets; }), qtHookData[4] = quintptr(+[](QObject *) { --objets; });
    ImagesQt images;
    SonQt son;
    HasardHorloge hasard;
    Jeu jeu(Services{images, son, hasard});
    jeu.ouvrePendu("Léa");
    if (efface)
        QDir::current().removeRecursively();
    const auto pendu = [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == "Pendu" && w->isVisible())
                return w;
        return static_cast<QWidget *>(nullptr);
    };
    const auto clique = [](const char *nom) {
        QElapsedTimer t;
        t.start();
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *b = w->isVisible() ? w->findChild<QAbstractButton *>(nom, Qt::FindDirectChildrenOnly) : nullptr)
                b->click(), QTest::qWait(20);
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *b = qobject_cast<QMessageBox *>(w); b && b->isVisible())
                std::printf("alerte %s\n", qPrintable(b->text())), b->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (t.elapsed() > 3000)
            std::printf("lent %s %lld ms\n", nom, t.elapsed());
    };
    for (int n = 1; n <= 6; ++n) {
        for (const char *nom : {"Entree", "Check7"})
            clique(nom);
        pendu()->findChild<QLineEdit *>("Perso")->setText("A");
        clique("op");
        for (const char touche : QByteArray(n == 1 ? "BCDEFGH" : "A"))
            clique(QByteArray(1, touche).constData());
        const QLabel *ecran = pendu()->findChild<QLabel *>("Ecran");
        std::printf("fin %s %s\n", ecran->pixmap().isNull() ? "vide" : "image", qPrintable(ecran->accessibleDescription()));
        std::fflush(stdout), QTest::qWait(n == 1 ? 1000 : 50); // the sound plays on
        clique("SF"), clique("oui");
        if (n == 2 || n == 6)
            std::printf("objets %lld\n", qlonglong(objets));
    }
    return 0;
}

void ecrit(const QString &chemin, const QByteArray &contenu)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(contenu) == contenu.size());
}
}

class TstPannes : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dossier;
    QProcess m_serveur; // stopped by its process id at the end of each row, by kill()

private Q_SLOTS:
    void leJeuVaJusquAuBout_data()
    {
        for (const char *colonne : {"ici", "programme", "son", "panne"})
            QTest::addColumn<QString>(colonne);
        const QStringList abimees = {"vide", "tronquee", "brouillee"};
        QTest::newRow("tout va bien") << "absente" << "bonne" << "bon" << "";
        QTest::newRow("images absentes") << "absente" << "absente" << "bon" << "";
        QTest::newRow("le dossier courant passe avant le programme") << "bonne" << "brouillee" << "bon" << "";
        for (const QString &a : abimees) {
            QTest::newRow(qPrintable("images " + a + "s a cote du programme")) << "absente" << a << "bon" << "";
            QTest::newRow(qPrintable("images " + a + "s dans le dossier courant")) << a << "absente" << "bon" << "";
            QTest::newRow(qPrintable("images " + a + "s aux deux endroits")) << a << a << "bon" << "";
        }
        for (const char *s : {"absent", "vide", "brouille", "enorme"})
            QTest::newRow(qPrintable(QString("sons %1s").arg(s))) << "absente" << "bonne" << s << "";
        for (const char *p : {"sans serveur", "serveur tue", "dossier illisible", "dossier efface"})
            QTest::newRow(p) << "bonne" << "bonne" << "bon" << p;
    }
    void leJeuVaJusquAuBout()
    {
        QFETCH(QString, ici);
        QFETCH(QString, programme);
        QFETCH(QString, son);
        QFETCH(QString, panne);
        QTemporaryDir d;
        QVERIFY(QDir(d.path()).mkpath("ici") && QDir(d.path()).mkpath("bin") && QDir(d.path()).mkpath("lib") && QDir(d.path()).mkpath("home"));
        QVERIFY(QFile::link(GIBETTO_MODULES, d.filePath("lib/gibetto")));
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), d.filePath("bin/jeu")));
        QByteArray hasard(1 << 14, 0);
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(hasard.data()), hasard.size() / 4);
        for (const QString &f : images + QStringList{"Bravo.wav", "Echec.wav"}) {
            QFile vraie(GIBETTO_JEU "/" + f);
            QVERIFY(vraie.open(QIODevice::ReadOnly));
            const QByteArray v = vraie.readAll(); // a 50 MB sound of a valid kind, or pictures and sounds cut or garbled
            const auto contenu = [&](const QString &quoi) {
                return quoi.startsWith("bon") ? v : quoi == "tronquee" ? v.left(v.size() / 2) : quoi.startsWith("brouille") ? hasard
                       : quoi == "vide" ? QByteArray("") : QByteArray("RIFF\xff\xff\xff\x7fWAVEfmt \x10\0\0\0\1\0\1\0\x22\x56\0\0\x44\xac\0\0\2\0\x10\0data\0\0\x20\x03", 44) + QByteArray(50 << 20, 1);
            };
            for (const auto &[ou, quoi] : {std::pair{"ici", f.endsWith("wav") ? "absent" : ici}, {"bin", f.endsWith("wav") ? son : programme}})
                if (!quoi.startsWith("absent"))
                    ecrit(d.filePath(ou + ("/" + f)), contenu(quoi));
        }
        for (const QString &chemin : {d.path(), d.filePath("bin"), d.filePath("ici"), d.filePath("lib")})
            QFile::setPermissions(chemin, QFileDevice::Permissions(0x7755));
        QFile::setPermissions(d.filePath("home"), QFileDevice::Permissions(0x7700));
        const QString socket = d.filePath("serveur");
        m_serveur.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "-L", "module-null-sink",
                                       "-L", "module-native-protocol-unix auth-anonymous=1 socket=" + socket});
        QTRY_VERIFY2_WITH_TIMEOUT(QFile::exists(socket), "pulseaudio is missing or does not start", 20000);
        QProcess p;
        p.setWorkingDirectory(d.filePath("ici"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PULSE_SERVER", "unix:" + (panne == "sans serveur" ? d.filePath("absent") : socket));
        env.insert("HOME", d.filePath("home")), env.insert("XDG_RUNTIME_DIR", d.filePath("home")), env.insert("XDG_DATA_HOME", d.path()), env.insert("XDG_DATA_DIRS", d.path());
        p.setProcessEnvironment(env);
        const QStringList args = {"partie", panne};
        if (panne == "dossier illisible" && QFile::setPermissions(d.filePath("ici"), {}) && !QProcess::execute("chown", {"nobody", d.filePath("home")}))
            p.start("setpriv", QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups", d.filePath("bin/jeu")} + args);
        else
            p.start(d.filePath("bin/jeu"), args);
        if (panne == "serveur tue" && p.waitForReadyRead(20000))
            QTest::qWait(300), m_serveur.kill();
        QVERIFY2(p.waitForFinished(60000), "the game hangs");
        m_serveur.kill(), m_serveur.waitForFinished();
        const QString dit = p.readAllStandardOutput(), erreurs = p.readAllStandardError();
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, qPrintable(dit + erreurs));
        // The player is told once of each picture lost, and the box names it.
        const bool perdues = (ici == "absente" ? programme : ici) != "bonne";
        QStringList alertes = dit.split('\n').filter(QRegularExpression("^alerte ")), attendues;
        for (const QString &f : perdues ? images : QStringList())
            attendues << "alerte " + ImagesQt::messageAbsente(f);
        std::sort(alertes.begin(), alertes.end()), std::sort(attendues.begin(), attendues.end());
        QCOMPARE(alertes, attendues);
        const QStringList fins = dit.split('\n').filter(QRegularExpression("^fin "));
        QCOMPARE(fins.size(), 6);
        QCOMPARE(fins.last(), perdues ? "fin vide Image « victoire.bmp » absente : Le bonhomme est sauvé !" : "fin image ");
        QVERIFY2(!dit.contains("\nlent "), qPrintable(dit));
        const QStringList objets = dit.split('\n').filter(QRegularExpression("^objets "));
        QVERIFY2(objets.size() == 2 && objets[0] == objets[1], qPrintable(objets.join(", ") + " live objects after games 2 and 6"));
        // Nothing on the terminal but the game's own warnings, each said once.
        const QStringList lignes = erreurs.split('\n', Qt::SkipEmptyParts);
        QVERIFY2(lignes.filter(QRegularExpression("^Gibetto : ")).size() == lignes.size() && QSet(lignes.begin(), lignes.end()).size() == lignes.size(), qPrintable(erreurs));
        QVERIFY2(lignes.size() == (panne == "sans serveur" ? 1 : 0) || panne == "serveur tue", qPrintable(erreurs));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TstPannes t;
    return app.arguments().value(1) == "partie" ? partie(app.arguments().value(2) == "dossier efface") : QTest::qExec(&t, argc, argv);
}

#include "tst_pannes.moc"
