// Every picture and sound the build makes opens with a standard reader and
// has the format the game relies on.
#include <QImageReader>
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
        const QString jeu = GIBETTO_JEU "/";
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
        if (largeur == 0) { // plain 16-bit PCM, mono, with samples
            QVERIFY(entete.startsWith("RIFF") && entete.mid(8, 8) == "WAVEfmt " && fichier.size() > 44 + 22050);
            QVERIFY(mot(20) == 1 && mot(22) == 1 && mot(34) == 16);
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
};

QTEST_GUILESS_MAIN(TstFichiers)
#include "tst_fichiers.moc"
