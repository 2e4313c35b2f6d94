// Every picture and sound the build makes opens with a standard reader and
// has the format the game relies on.
#include <QFile>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

class TstFichiers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void chaqueFichierSeLit_data();
    void chaqueFichierSeLit();
};

void TstFichiers::chaqueFichierSeLit_data()
{
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<int>("taille"); // the picture's width; 0 for a sound
    const QString dossier = GIBETTO_RUNTIME_DIR "/";
    for (const char *nom : {"0", "1", "2", "3", "4", "5", "6", "7", "victoire"}) {
        QTest::newRow(nom) << dossier + nom + ".bmp" << 240;
        QTest::addRow("%s@2x", nom) << dossier + nom + "@2x.bmp" << 480;
    }
    QTest::newRow("desert") << ":/assets/desert.bmp" << 240;
    QTest::newRow("desert@2x") << ":/assets/desert@2x.bmp" << 480;
    for (const char *icone : {"eclair16", "eclair32", "fleche16", "fleche32"})
        QTest::newRow(icone) << QStringLiteral(":/assets/%1.png").arg(icone) << QString(icone).right(2).toInt();
    for (const char *son : {"Bravo.wav", "Echec.wav"})
        QTest::newRow(son) << dossier + son << 0;
    QTest::newRow("chime") << ":/assets/carillon.wav" << 0;
}

void TstFichiers::chaqueFichierSeLit()
{
    QFETCH(QString, chemin);
    QFETCH(int, taille);
    QFile fichier(chemin);
    QVERIFY2(fichier.open(QIODevice::ReadOnly), qPrintable(chemin));
    const QByteArray entete = fichier.peek(44);
    if (taille == 0) {
        // Plain 16-bit PCM, mono, lasting a loop's worth of music.
        QVERIFY(entete.startsWith("RIFF") && entete.mid(8, 8) == "WAVEfmt ");
        QCOMPARE(qFromLittleEndian<quint16>(entete.constData() + 20), 1);
        QCOMPARE(qFromLittleEndian<quint16>(entete.constData() + 22), 1);
        QCOMPARE(qFromLittleEndian<quint16>(entete.constData() + 34), 16);
        const double secondes = double(fichier.size() - 44) / qFromLittleEndian<quint32>(entete.constData() + 28);
        QVERIFY2(secondes > 0.3 && secondes < 5, qPrintable(QString::number(secondes)));
        return;
    }
    QImageReader lecteur(&fichier);
    const QImage image = lecteur.read();
    QVERIFY2(!image.isNull(), qPrintable(lecteur.errorString()));
    QCOMPARE(image.width(), taille);
    if (chemin.endsWith(".bmp")) {
        QCOMPARE(image.height(), taille * 330 / 240);
        QCOMPARE(int(entete.at(28)), 24); // bits a pixel
    } else {
        // A 16-colour icon on a transparent background.
        QVERIFY(image.colorCount() > 0 && image.colorCount() <= 16);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    }
}

QTEST_GUILESS_MAIN(TstFichiers)
#include "tst_fichiers.moc"
