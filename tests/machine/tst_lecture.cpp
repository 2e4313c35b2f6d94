// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
// Sounds and pictures cut, removed or written over while the game reads
// them, at a known point of their reading, as a teacher's copy over them
// does: what was read plays, or the chime; a picture shows whole or not at
// all; the game goes on.
#include "lectureimage.h"
#include "sondecodage.h"
#include "ton.h"

#include <QtTest>

namespace {
const FonctionsSndfile sndfile{sf_open_virtual, sf_readf_float, sf_close};

// A file that another program changes as the game reads it: once the
// reading reaches byte a, "cp" writes the replacement over it, cutting it
// first as a copy does (nothing: cut to nothing), "rm" removes it. The
// reading goes on.
struct FichierChange : QFile
{
    FichierChange(const QString &nom, qint64 a, const QString &change, const QByteArray &remplacant)
        : QFile(nom), a(a), change(change), remplacant(remplacant)
    {
    }
    const qint64 a;
    QString change;
    const QByteArray remplacant;

    qint64 readData(char *vers, qint64 n) override
    {
        if (!change.isEmpty() && pos() >= a) {
            QFile surLeDisque(fileName());
            if (change == "rm" ? surLeDisque.remove() : surLeDisque.open(QIODevice::WriteOnly) && surLeDisque.write(remplacant) >= 0)
                change.clear();
        }
        return QFile::readData(vers, change.isEmpty() ? n : std::min(n, a - pos()));
    }
};

// A square of pixels that hardly compress, in that format.
QByteArray dessin(int cote, const char *format)
{
    QImage image(cote, cote, QImage::Format_RGB32);
    QRandomGenerator(cote).fillRange(reinterpret_cast<quint32 *>(image.bits()), cote * cote);
    QBuffer tampon;
    tampon.open(QIODevice::WriteOnly);
    image.save(&tampon, format);
    return tampon.data();
}

std::vector<short> decodes(QByteArray octets)
{
    QBuffer tampon(&octets);
    return tampon.open(QIODevice::ReadOnly) ? decode(tampon, sndfile).value_or(Echantillons()).pcm : std::vector<short>();
}
}

class TstLecture : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dossier;

private Q_SLOTS:
    void unSonChangePendantSaLecture_data()
    {
        colonnes();
        // Heard: the first samples of Bravo.wav, then those of its replacement at the same places.
        QTest::addColumn<int>("bravo");
        QTest::addColumn<int>("autre");
        const QByteArray wav = ton(440), plusLong = ton(1000, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 44100);
        QTest::newRow("coupe dans l'en-tete") << wav << 20ll << "cp" << QByteArray() << 0 << 0;
        QTest::newRow("coupe dans le son") << wav << 2044ll << "cp" << QByteArray() << 1000 << 0;
        QTest::newRow("supprime dans le son") << wav << 2044ll << "rm" << QByteArray() << 4410 << 0;
        QTest::newRow("remplace par un plus long") << wav << 2044ll << "cp" << plusLong << 1000 << 3410;
    }
    void unSonChangePendantSaLecture()
    {
        QFETCH(QByteArray, fichier);
        QFETCH(int, bravo);
        QFETCH(int, autre);
        const auto lu = ecritPuisOuvre("Bravo.wav", QIODevice::Unbuffered);
        QVERIFY(lu);
        const std::vector<short> entendu = decode(*lu, sndfile).value_or(Echantillons()).pcm;
        QVERIFY(lu->change.isEmpty());
        const std::vector<short> entier = decodes(fichier), remplacant = decodes(lu->remplacant);
        QCOMPARE(entendu.size(), size_t(bravo + autre));
        QVERIFY(std::equal(entendu.begin(), entendu.begin() + bravo, entier.begin()));
        QVERIFY(std::equal(entendu.begin() + bravo, entendu.end(), remplacant.begin() + bravo));
    }

    void uneImageChangePendantSaLecture_data()
    {
        colonnes();
        QTest::addColumn<bool>("montree"); // whole, or not at all
        for (const char *format : {"bmp", "png", "jpg"}) {
            const QByteArray image = dessin(120, format), plusGrande = dessin(160, format);
            QTest::addRow("%s coupee dans l'en-tete", format) << image << 20ll << "cp" << QByteArray() << false;
            QTest::addRow("%s coupee dans l'image", format) << image << 2000ll << "cp" << QByteArray() << false;
            QTest::addRow("%s supprimee dans l'image", format) << image << 2000ll << "rm" << QByteArray() << true;
            QTest::addRow("%s remplacee par une plus grande", format) << image << 2000ll << "cp" << plusGrande << false;
        }
    }
    void uneImageChangePendantSaLecture()
    {
        QFETCH(QByteArray, fichier);
        QFETCH(bool, montree);
        const QByteArray format = QByteArray(QTest::currentDataTag()).left(3);
        const auto lu = ecritPuisOuvre("0." + format);
        QVERIFY(lu);
        const QImage vue = litImage(*lu, format);
        QVERIFY(lu->change.isEmpty());
        QCOMPARE(vue, montree ? QImage::fromData(fichier) : QImage());
    }

private:
    static void colonnes()
    {
        QTest::addColumn<QByteArray>("fichier");
        QTest::addColumn<qint64>("a");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QByteArray>("remplacant");
    }

    // The row's file, written under that name, opened to be changed as the row says.
    std::unique_ptr<FichierChange> ecritPuisOuvre(const QString &nom, QIODevice::OpenMode mode = {})
    {
        QFETCH(QByteArray, fichier);
        QFETCH(qint64, a);
        QFETCH(QString, change);
        QFETCH(QByteArray, remplacant);
        auto lu = std::make_unique<FichierChange>(m_dossier.filePath(nom), a, change, remplacant);
        const bool ouvert = lu->open(QIODevice::WriteOnly) && lu->write(fichier) == fichier.size() && lu->flush();
        lu->close();
        return ouvert && lu->open(QIODevice::ReadOnly | mode) ? std::move(lu) : nullptr;
    }
};

QTEST_GUILESS_MAIN(TstLecture)
#include "tst_lecture.moc"
