// Every picture and sound the build makes opens with a standard reader and
// has the format the game relies on.
#include <QFile>
#include <QImageReader>
#include <QTemporaryFile>
#include <QTest>

#include <sndfile.h>

class TstFichiers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void chaqueImageSeLit_data();
    void chaqueImageSeLit();
    void chaqueSonSeLit_data();
    void chaqueSonSeLit();
};

void TstFichiers::chaqueImageSeLit_data()
{
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<QSize>("taille");
    QTest::addColumn<int>("bits"); // per pixel, from the bitmap's header; 0 for an icon
    const QString dossier = QStringLiteral(GIBETTO_RUNTIME_DIR "/");
    for (const char *nom : {"0", "1", "2", "3", "4", "5", "6", "7", "victoire"})
        QTest::newRow(nom) << dossier + nom + ".bmp" << QSize(240, 330) << 24;
    QTest::newRow("desert") << ":/assets/desert.bmp" << QSize(240, 330) << 24;
    for (const char *icone : {"eclair", "fleche"}) {
        for (const int taille : {16, 32}) {
            QTest::addRow("%s %d", icone, taille)
                    << QStringLiteral(":/assets/%1%2.png").arg(icone).arg(taille)
                    << QSize(taille, taille) << 0;
        }
    }
}

void TstFichiers::chaqueImageSeLit()
{
    QFETCH(QString, chemin);
    QFETCH(int, bits);
    QFile fichier(chemin);
    QVERIFY2(fichier.open(QIODevice::ReadOnly), qPrintable(chemin));
    const QByteArray entete = fichier.peek(30);
    QImageReader lecteur(&fichier);
    const QImage image = lecteur.read();
    QVERIFY2(!image.isNull(), qPrintable(lecteur.errorString()));
    QTEST(image.size(), "taille");
    if (bits) {
        QVERIFY(entete.startsWith("BM"));
        QCOMPARE(int(quint8(entete.at(28))), bits);
    } else {
        // A 16-colour icon on a transparent background.
        QVERIFY(entete.startsWith("\x89PNG"));
        QVERIFY(image.colorCount() > 0 && image.colorCount() <= 16);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    }
}

void TstFichiers::chaqueSonSeLit_data()
{
    QTest::addColumn<QString>("chemin");
    QTest::newRow("Bravo") << GIBETTO_RUNTIME_DIR "/Bravo.wav";
    QTest::newRow("Echec") << GIBETTO_RUNTIME_DIR "/Echec.wav";
    QTest::newRow("chime") << ":/assets/carillon.wav";
}

void TstFichiers::chaqueSonSeLit()
{
    QFETCH(QString, chemin);
    // libsndfile reads files, not resources: it gets a copy.
    QTemporaryFile copie;
    QFile source(chemin);
    QVERIFY(source.open(QIODevice::ReadOnly) && copie.open());
    copie.write(source.readAll());
    copie.close();
    SF_INFO info{};
    SNDFILE *son = sf_open(QFile::encodeName(copie.fileName()).constData(), SFM_READ, &info);
    QVERIFY2(son, sf_strerror(nullptr));
    sf_close(son);
    QCOMPARE(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    const double secondes = double(info.frames) / info.samplerate;
    QVERIFY2(secondes > 0.3 && secondes < 5, qPrintable(QString::number(secondes)));
}

QTEST_GUILESS_MAIN(TstFichiers)
#include "tst_fichiers.moc"
