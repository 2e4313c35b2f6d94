#include "bmp.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTest>

namespace {

const QSize pictureSize(240, 330);
const QSize visibleArea(230, 320);

QString runtimeFile(const QString &name)
{
    return QStringLiteral(GIBETTO_RUNTIME_DIR "/") + name;
}

QImage stage(int number)
{
    return QImage(runtimeFile(QStringLiteral("%1.bmp").arg(number))).convertToFormat(QImage::Format_RGB32);
}

bool differs(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) > 16 || qAbs(qGreen(a) - qGreen(b)) > 16
        || qAbs(qBlue(a) - qBlue(b)) > 16;
}

// Pixels where a picture departs from the empty scene.
QList<bool> drawnParts(const QImage &picture, const QImage &scene)
{
    QList<bool> mask(picture.width() * picture.height());
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            mask[y * picture.width() + x] = differs(picture.pixel(x, y), scene.pixel(x, y));
    }
    return mask;
}

int changedPixels(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            count += differs(a.pixel(x, y), b.pixel(x, y));
    }
    return count;
}

} // namespace

class TestImages : public QObject
{
    Q_OBJECT

private slots:
    void format_data()
    {
        QTest::addColumn<QString>("name");
        for (int i = 0; i <= 7; ++i)
            QTest::addRow("stage %d", i) << QStringLiteral("%1.bmp").arg(i);
        QTest::newRow("victory") << QStringLiteral("victoire.bmp");
    }

    void format()
    {
        QFETCH(QString, name);
        QFile file(runtimeFile(name));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        QCOMPARE(bitmapBitCount(file.read(64)), 24);
        file.seek(0);

        QImageReader reader(&file);
        QCOMPARE(reader.format(), QByteArray("bmp"));
        QCOMPARE(reader.size(), pictureSize);
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.size(), pictureSize);
    }

    void eachStageAddsOnePart_data()
    {
        QTest::addColumn<int>("number");
        for (int i = 1; i <= 7; ++i)
            QTest::addRow("stage %d", i) << i;
    }

    void eachStageAddsOnePart()
    {
        QFETCH(int, number);
        const QImage scene = stage(0);
        const QImage before = stage(number - 1);
        const QImage after = stage(number);
        QCOMPARE(after.size(), pictureSize);

        const QList<bool> drawnBefore = drawnParts(before, scene);
        const QList<bool> drawnAfter = drawnParts(after, scene);
        int added = 0;
        int lost = 0;
        int outsideView = 0;
        for (int i = 0; i < drawnAfter.size(); ++i) {
            added += drawnAfter[i] && !drawnBefore[i];
            lost += drawnBefore[i] && !drawnAfter[i];
            const int x = i % pictureSize.width();
            const int y = i / pictureSize.width();
            outsideView += drawnAfter[i] && (x >= visibleArea.width() || y >= visibleArea.height());
        }
        QVERIFY2(added >= 150, qPrintable(QStringLiteral("only %1 new pixels").arg(added)));
        QCOMPARE(lost, 0);
        QCOMPARE(outsideView, 0);

        // The new part may overlap a joint, but must not repaint what was there.
        int repainted = 0;
        int previouslyDrawn = 0;
        for (int y = 0; y < pictureSize.height(); ++y) {
            for (int x = 0; x < pictureSize.width(); ++x) {
                const int i = y * pictureSize.width() + x;
                previouslyDrawn += drawnBefore[i];
                repainted += drawnBefore[i] && differs(before.pixel(x, y), after.pixel(x, y));
            }
        }
        QVERIFY2(repainted * 10 <= previouslyDrawn,
                 qPrintable(QStringLiteral("%1 of %2 pixels repainted").arg(repainted).arg(previouslyDrawn)));
    }

    void emptySceneHasNoGallows()
    {
        const QImage scene = stage(0);
        const QImage complete = stage(7);
        QVERIFY(changedPixels(scene, complete) > 5000);
    }

    void victoryDiffersFromEveryStage()
    {
        const QImage victory = QImage(runtimeFile(QStringLiteral("victoire.bmp")))
                                   .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(victory.size(), pictureSize);
        for (int i = 0; i <= 7; ++i)
            QVERIFY2(changedPixels(victory, stage(i)) > 3000, qPrintable(QString::number(i)));
    }
};

QTEST_MAIN(TestImages)
#include "tst_images.moc"
