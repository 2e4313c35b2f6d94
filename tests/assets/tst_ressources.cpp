#include "bmp.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QTest>

namespace {

enum class Kind { Sky, Red, Sand, Green, White, Other };

Kind kindOf(QRgb c)
{
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    if (qAbs(r - 147) <= 12 && qAbs(g - 220) <= 12 && b >= 243)
        return Kind::Sky;
    if (r >= 180 && g <= 90 && b <= 90)
        return Kind::Red;
    if (r >= 200 && g >= 110 && g <= 200 && b <= 110)
        return Kind::Sand;
    if (g >= r + 50 && g >= b + 50)
        return Kind::Green;
    if (r >= 235 && g >= 235 && b >= 235)
        return Kind::White;
    return Kind::Other;
}

bool isPaleBlue(QRgb c)
{
    return qAbs(qRed(c) - 186) <= 10 && qAbs(qGreen(c) - 216) <= 10 && qAbs(qBlue(c) - 244) <= 6;
}

QImage desert()
{
    return QImage(QStringLiteral(":/assets/desert.bmp")).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestRessources : public QObject
{
    Q_OBJECT

private slots:
    void embedded_data()
    {
        QTest::addColumn<QString>("path");
        for (const char *path : {":/assets/desert.bmp", ":/assets/eclair16.png", ":/assets/eclair32.png",
                                 ":/assets/fleche16.png", ":/assets/fleche32.png", ":/assets/carillon.wav"})
            QTest::newRow(path) << QString::fromLatin1(path);
    }

    void embedded()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.size() > 100);
    }

    void desertFormat()
    {
        QFile file(QStringLiteral(":/assets/desert.bmp"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(bitmapBitCount(file.read(64)), 24);
        file.seek(0);
        QImageReader reader(&file);
        QCOMPARE(reader.format(), QByteArray("bmp"));
        const QImage image = reader.read();
        QCOMPARE(image.size(), QSize(240, 330));
    }

    void desertColours_data()
    {
        QTest::addColumn<QPoint>("where");
        QTest::addColumn<Kind>("kind");
        QTest::newRow("sky top left") << QPoint(15, 20) << Kind::Sky;
        QTest::newRow("sky top right") << QPoint(225, 40) << Kind::Sky;
        QTest::newRow("sky left of cactus") << QPoint(40, 240) << Kind::Sky;
        QTest::newRow("sky beyond the rays") << QPoint(162, 96) << Kind::Sky;
        QTest::newRow("sun centre") << QPoint(120, 96) << Kind::Red;
        QTest::newRow("sun edge") << QPoint(120, 83) << Kind::Red;
        QTest::newRow("sun ray") << QPoint(150, 96) << Kind::Red;
        QTest::newRow("sand left") << QPoint(30, 310) << Kind::Sand;
        QTest::newRow("sand bottom right") << QPoint(230, 328) << Kind::Sand;
        QTest::newRow("cactus trunk") << QPoint(166, 240) << Kind::Green;
        QTest::newRow("cactus top") << QPoint(166, 206) << Kind::Green;
        QTest::newRow("cactus left arm") << QPoint(136, 235) << Kind::Green;
        QTest::newRow("cactus right arm") << QPoint(206, 230) << Kind::Green;
    }

    void desertColours()
    {
        QFETCH(QPoint, where);
        QFETCH(Kind, kind);
        const QImage image = desert();
        const QRgb c = image.pixel(where);
        QVERIFY2(kindOf(c) == kind, qPrintable(QStringLiteral("%1,%2,%3")
                                                  .arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c))));
    }

    void desertClouds()
    {
        const QImage image = desert();
        int whiteInBand = 0;
        int whiteElsewhere = 0;
        int paleLeft = 0;
        int paleRight = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                const bool inBand = y >= 95 && y <= 195;
                if (kindOf(c) == Kind::White)
                    (inBand ? whiteInBand : whiteElsewhere)++;
                if (inBand && isPaleBlue(c) && x < 80)
                    ++paleLeft;
                if (inBand && isPaleBlue(c) && x >= 160)
                    ++paleRight;
            }
        }
        QVERIFY2(whiteInBand > 240 * 100 / 5, qPrintable(QString::number(whiteInBand)));
        QCOMPARE(whiteElsewhere, 0);
        QVERIFY2(paleLeft > 3 * paleRight + 200,
                 qPrintable(QStringLiteral("%1 left, %2 right").arg(paleLeft).arg(paleRight)));

        for (int x = 0; x < image.width(); x += 20) {
            bool crossed = false;
            for (int y = 100; y <= 190 && !crossed; ++y)
                crossed = kindOf(image.pixel(x, y)) == Kind::White;
            QVERIFY2(crossed, qPrintable(QStringLiteral("no cloud at x %1").arg(x)));
        }
    }

    void icons_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<QRgb>>("mainColours");
        const QList<QRgb> bolt{qRgb(255, 255, 0), qRgb(0, 0, 0)};
        const QList<QRgb> arrow{qRgb(0, 0, 128), qRgb(192, 192, 192), qRgb(255, 255, 255)};
        QTest::newRow("lightning 16") << QStringLiteral(":/assets/eclair16.png") << 16 << bolt;
        QTest::newRow("lightning 32") << QStringLiteral(":/assets/eclair32.png") << 32 << bolt;
        QTest::newRow("arrow 16") << QStringLiteral(":/assets/fleche16.png") << 16 << arrow;
        QTest::newRow("arrow 32") << QStringLiteral(":/assets/fleche32.png") << 32 << arrow;
    }

    void icons()
    {
        QFETCH(QString, path);
        QFETCH(int, size);
        QFETCH(QList<QRgb>, mainColours);
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("png"));
        const QImage image = reader.read();
        QCOMPARE(image.size(), QSize(size, size));
        QCOMPARE(image.format(), QImage::Format_Indexed8);
        QVERIFY(image.colorCount() <= 16);
        QVERIFY(image.hasAlphaChannel());

        QSet<QRgb> used;
        QHash<QRgb, int> opaqueCount;
        int opaque = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb c = image.pixel(x, y);
                used.insert(c);
                QVERIFY2(qAlpha(c) == 0 || qAlpha(c) == 255, "half-transparent pixel");
                if (qAlpha(c) == 255) {
                    ++opaque;
                    ++opaqueCount[c | 0xff000000];
                }
            }
        }
        QVERIFY(used.size() <= 16);
        for (const QPoint corner : {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1),
                                    QPoint(size - 1, size - 1)})
            QCOMPARE(qAlpha(image.pixel(corner)), 0);
        QVERIFY2(opaque * 4 >= size * size, qPrintable(QString::number(opaque)));
        for (QRgb colour : mainColours) {
            QVERIFY2(opaqueCount.value(colour) * 20 >= opaque,
                     qPrintable(QStringLiteral("too little of #%1").arg(colour, 8, 16)));
        }
    }

    void arrowPointsLeft_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("16") << QStringLiteral(":/assets/fleche16.png");
        QTest::newRow("32") << QStringLiteral(":/assets/fleche32.png");
    }

    void arrowPointsLeft()
    {
        QFETCH(QString, path);
        const QImage image(path);
        QVERIFY(!image.isNull());
        const auto opaqueRows = [&image](int x) {
            QList<int> rows;
            for (int y = 0; y < image.height(); ++y) {
                if (qAlpha(image.pixel(x, y)) == 255)
                    rows.append(y);
            }
            return rows;
        };
        int tip = 0;
        while (tip < image.width() && opaqueRows(tip).isEmpty())
            ++tip;
        int tail = image.width() - 1;
        while (tail > 0 && opaqueRows(tail).isEmpty())
            --tail;
        QVERIFY(tip < tail);
        const QList<int> tipRows = opaqueRows(tip);
        QVERIFY(tipRows.size() <= 3);
        QVERIFY(qAbs(tipRows.first() - image.height() / 2) <= 2);
        QVERIFY2(opaqueRows(tail).size() < opaqueRows(image.width() / 2 - 1).size(),
                 "the shaft should be narrower than the head");
    }
};

QTEST_MAIN(TestRessources)
#include "tst_ressources.moc"
