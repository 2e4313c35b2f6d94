// Every picture and sound the build makes opens with a standard reader and
// has the format the game relies on; and which picture the game takes among
// a teacher's folder, the installed ones and their double-size renderings.
#include "fichiers.h"
#include "imagesqt.h"

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

class TstFichiers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void chaqueFichierSeLit_data()
    {
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<int>("largeur"); // 0 for a sound
        const QString jeu = GIBETTO_RUNTIME_DIR "/";
        for (const QString nom : {"0", "1", "2", "3", "4", "5", "6", "7", "victoire"}) {
            QTest::newRow(qPrintable(nom)) << jeu + nom + ".bmp" << 240;
            QTest::newRow(qPrintable(nom + "@2x")) << jeu + nom + "@2x.bmp" << 480;
        }
        QTest::newRow("desert") << ":/assets/desert.bmp" << 240;
        QTest::newRow("desert@2x") << ":/assets/desert@2x.bmp" << 480;
        for (const QString icone : {"eclair16", "eclair32", "fleche16", "fleche32"})
            QTest::newRow(qPrintable(icone)) << ":/assets/" + icone + ".png" << icone.right(2).toInt();
        for (const QString &son : QStringList{jeu + "Bravo.wav", jeu + "Echec.wav", ":/assets/carillon.wav"})
            QTest::newRow(qPrintable(son)) << son << 0;
    }
    void chaqueFichierSeLit()
    {
        QFETCH(QString, chemin);
        QFETCH(int, largeur);
        QFile fichier(chemin);
        QVERIFY2(fichier.open(QIODevice::ReadOnly), qPrintable(chemin));
        const QByteArray entete = fichier.peek(44);
        const auto mot = [&entete](int i) { return qFromLittleEndian<quint16>(entete.constData() + i); };
        if (largeur == 0) { // plain 16-bit PCM, mono, lasting a loop's worth of music
            QVERIFY(entete.startsWith("RIFF") && entete.mid(8, 8) == "WAVEfmt ");
            QVERIFY(mot(20) == 1 && mot(22) == 1 && mot(34) == 16);
            const double secondes = double(fichier.size() - 44) / qFromLittleEndian<quint32>(entete.constData() + 28);
            QVERIFY2(secondes > 0.3 && secondes < 5, qPrintable(QString::number(secondes)));
            return;
        }
        QImageReader lecteur(&fichier);
        const QImage image = lecteur.read();
        QVERIFY2(!image.isNull(), qPrintable(lecteur.errorString()));
        QCOMPARE(image.width(), largeur);
        if (chemin.endsWith(".bmp")) // 24 bits a pixel
            QVERIFY(image.height() == largeur * 330 / 240 && mot(28) == 24);
        else // an icon on a transparent background
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    }

    // On a double-density screen, in courant/ (the current folder) and installe/.
    void lImageChoisie_data()
    {
        QTest::addColumn<QString>("fichiers");
        QTest::addColumn<QString>("attendu");
        const QString installe("installe/gibetto/0.bmp installe/gibetto/0@2x.bmp ");
        QTest::newRow("installed") << installe << "installe/gibetto/0@2x.bmp";
        QTest::newRow("teacher's plain first") << installe + "courant/0.bmp" << "courant/0.bmp";
        QTest::newRow("teacher's double") << installe + "courant/0.bmp courant/0@2x.bmp" << "courant/0@2x.bmp";
    }
    void lImageChoisie()
    {
        QFETCH(QString, fichiers);
        QFETCH(QString, attendu);
        const QTemporaryDir racine;
        const QDir dossier(racine.path());
        QVERIFY(dossier.mkpath("courant") && dossier.mkpath("installe/gibetto"));
        qputenv("XDG_DATA_HOME", dossier.filePath("installe").toLocal8Bit());
        for (const QString &nom : fichiers.split(' ', Qt::SkipEmptyParts)) // as many pixels wide as its ratio
            QVERIFY(QImage(QSize(1, 1) * (1 + nom.count("@2x")), QImage::Format_RGB32).save(dossier.filePath(nom)));
        QVERIFY(QDir::setCurrent(dossier.filePath("courant")));
        const FichierTrouve trouve = trouveImage("0.bmp", qApp->devicePixelRatio());
        QCOMPARE(dossier.relativeFilePath(trouve.chemin), attendu);
        QCOMPARE(trouve.rapport, attendu.contains("@2x") ? 2 : 1);
        // The loader takes it at the room of a plain picture; a plain screen, the plain one.
        QCOMPARE(ImagesQt([](const QString &) {}).charge("0.bmp").deviceIndependentSize(), QSizeF(1, 1));
        QVERIFY(!trouveImage("0.bmp", 1).chemin.contains("@2x"));
    }
};

QTEST_MAIN(TstFichiers)
#include "tst_fichiers.moc"
