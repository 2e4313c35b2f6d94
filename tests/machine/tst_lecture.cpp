// Sounds and pictures cut, removed or written over while the game reads
// them, at a known point of their reading, as a teacher's copy over them
// does: what was read plays, or the chime; a picture shows whole or not at
// all; the game goes on.
#include "lectureimage.h"
#include "sondecodage.h"

#include <QtTest>

namespace {
const FonctionsSndfile sndfile{sf_open_virtual, sf_readf_float, sf_close};

// A file that another program changes as the game reads it: once the
// reading reaches that byte, "cp" cuts it to nothing, as a copy over it does
// first, "cp-plus-long" puts a longer file in its place, "rm" removes it.
// The reading goes on.
class FichierChange : public QFile
{
public:
    FichierChange(const QString &chemin, qint64 a, const QString &change, const QByteArray &remplacant)
        : QFile(chemin), m_a(a), m_change(change), m_remplacant(remplacant)
    {
    }

protected:
    qint64 readData(char *vers, qint64 n) override
    {
        if (!m_change.isEmpty() && pos() >= m_a)
            change(std::exchange(m_change, QString()));
        return QFile::readData(vers, m_change.isEmpty() ? n : std::min(n, m_a - pos()));
    }

private:
    void change(const QString &comment)
    {
        QFile surLeDisque(fileName());
        if (comment == "rm")
            QVERIFY(surLeDisque.remove());
        else
            QVERIFY(surLeDisque.open(QIODevice::WriteOnly | QIODevice::Truncate));
        if (comment == "cp-plus-long")
            QVERIFY(surLeDisque.write(m_remplacant) == m_remplacant.size());
    }

    const qint64 m_a;
    QString m_change;
    const QByteArray m_remplacant;
};

// 0.2 s of a tone in 16-bit mono at 22,050 Hz, in that format.
QByteArray ton(double frequence, int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16, double secondes = 0.2)
{
    QTemporaryFile f;
    SF_INFO info{0, 22050, 1, format, 0, 0};
    SNDFILE *sf = f.open() ? sf_open(qPrintable(f.fileName()), SFM_WRITE, &info) : nullptr;
    for (int i = 0; sf && i < 22050 * secondes; ++i) {
        const double x = 0.5 * std::sin(2 * M_PI * frequence * i / 22050);
        sf_writef_double(sf, &x, 1);
    }
    sf_close(sf);
    return f.readAll();
}

QImage dessin(int cote)
{
    QImage image(cote, cote, QImage::Format_RGB32);
    for (int y = 0; y < cote; ++y) {
        for (int x = 0; x < cote; ++x)
            image.setPixel(x, y, qRgb(x * 37 + y * 91, x * x + y, x * y));
    }
    return image;
}

QByteArray enregistre(const QImage &image, const char *format)
{
    QBuffer tampon;
    tampon.open(QIODevice::WriteOnly);
    image.save(&tampon, format);
    return tampon.data();
}

std::vector<short> decodes(const QByteArray &octets)
{
    QBuffer tampon;
    tampon.setData(octets);
    tampon.open(QIODevice::ReadOnly);
    return decode(tampon, sndfile).value_or(Echantillons()).pcm;
}
}

class TstLecture : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dossier;

private Q_SLOTS:
    void unSonChangePendantSaLecture_data()
    {
        QTest::addColumn<QByteArray>("fichier");
        QTest::addColumn<qint64>("a"); // the byte the reading reaches as it changes
        QTest::addColumn<QString>("change");
        // Heard: the first samples of Bravo.wav, then those of the longer file at the same places.
        QTest::addColumn<int>("bravo");
        QTest::addColumn<int>("autre");
        const QByteArray wav = ton(440);
        QTest::newRow("coupe avant le premier octet") << wav << 0ll << "cp" << 0 << 0;
        QTest::newRow("coupe dans l'en-tete") << wav << 20ll << "cp" << 0 << 0;
        QTest::newRow("coupe dans le son") << wav << 2044ll << "cp" << 1000 << 0;
        QTest::newRow("supprime dans le son") << wav << 2044ll << "rm" << 4410 << 0;
        QTest::newRow("remplace par un plus long") << wav << 2044ll << "cp-plus-long" << 1000 << 3410;
        QTest::newRow("FLAC coupe") << ton(440, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 2) << 8000ll << "cp" << -1 << 0;
    }
    void unSonChangePendantSaLecture()
    {
        QFETCH(QByteArray, fichier);
        QFETCH(qint64, a);
        QFETCH(QString, change);
        QFETCH(int, bravo);
        QFETCH(int, autre);
        const QByteArray plusLong = ton(1000, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0.4);
        QFile ecrit(m_dossier.filePath("Bravo.wav"));
        QVERIFY(ecrit.open(QIODevice::WriteOnly) && ecrit.write(fichier) == fichier.size() && ecrit.flush());
        FichierChange lu(ecrit.fileName(), a, change, plusLong);
        QVERIFY(lu.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        const std::vector<short> entendu = decode(lu, sndfile).value_or(Echantillons()).pcm;
        const std::vector<short> entier = decodes(fichier), remplacant = decodes(plusLong);
        // A compressed file: some of its sound, its beginning.
        bravo = bravo < 0 && entendu.size() > 0 && entendu.size() < entier.size() ? int(entendu.size()) : bravo;
        QCOMPARE(entendu.size(), size_t(bravo + autre));
        QVERIFY(std::equal(entendu.begin(), entendu.begin() + bravo, entier.begin()));
        QVERIFY(std::equal(entendu.begin() + bravo, entendu.end(), remplacant.begin() + bravo));
    }

    void uneImageChangePendantSaLecture_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<qint64>("a");
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("montree"); // whole, or not at all
        for (const QByteArray format : {"bmp", "png", "jpg"}) {
            QTest::addRow("%s coupee avant le premier octet", format.data()) << format << 0ll << "cp" << false;
            QTest::addRow("%s coupee dans l'en-tete", format.data()) << format << 20ll << "cp" << false;
            QTest::addRow("%s coupee dans l'image", format.data()) << format << 2000ll << "cp" << false;
            QTest::addRow("%s supprimee dans l'image", format.data()) << format << 2000ll << "rm" << true;
            QTest::addRow("%s remplacee par une plus grande", format.data()) << format << 2000ll << "cp-plus-long" << false;
        }
    }
    void uneImageChangePendantSaLecture()
    {
        QFETCH(QByteArray, format);
        QFETCH(qint64, a);
        QFETCH(QString, change);
        QFETCH(bool, montree);
        const QByteArray ecrite = enregistre(dessin(120), format);
        QVERIFY2(ecrite.size() > 2000, qPrintable(QString::number(ecrite.size())));
        QFile ecrit(m_dossier.filePath("0." + format));
        QVERIFY(ecrit.open(QIODevice::WriteOnly) && ecrit.write(ecrite) == ecrite.size() && ecrit.flush());
        FichierChange lu(ecrit.fileName(), a, change, enregistre(dessin(160), format));
        QVERIFY(lu.open(QIODevice::ReadOnly));
        const QImage vue = litImage(lu, format);
        QCOMPARE(vue, montree ? QImage::fromData(ecrite) : QImage());
    }
};

QTEST_GUILESS_MAIN(TstLecture)
#include "tst_lecture.moc"
