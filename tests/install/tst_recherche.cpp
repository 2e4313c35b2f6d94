// Which picture wins among a teacher's folder (courant/), the installed data and double-size files.
#include "fichiers.h"
#include "imagesqt.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TstRecherche : public QObject
{
    Q_OBJECT
private slots:
    void choix_data()
    {
        QTest::addColumn<QString>("fichiers");
        QTest::addColumn<qreal>("ecran");
        QTest::addColumn<QString>("attendu");
        const QString installe("installe/gibetto/0.bmp installe/gibetto/0@2x.bmp ");
        QTest::newRow("installed, plain screen") << installe << 1.0 << "installe/gibetto/0.bmp";
        QTest::newRow("installed, double screen") << installe << 2.0 << "installe/gibetto/0@2x.bmp";
        QTest::newRow("teacher's plain first") << installe + "courant/0.bmp" << 2.0 << "courant/0.bmp";
        QTest::newRow("teacher's double") << installe + "courant/0.bmp courant/0@2x.bmp" << 2.0 << "courant/0@2x.bmp";
        QTest::newRow("nowhere") << QString() << 2.0 << "";
    }

    void choix()
    {
        QFETCH(QString, fichiers);
        QFETCH(qreal, ecran);
        QFETCH(QString, attendu);
        const QTemporaryDir racine;
        const QDir dossier(racine.path());
        QVERIFY(dossier.mkpath("courant") && dossier.mkpath("installe/gibetto"));
        qputenv("XDG_DATA_HOME", dossier.filePath("installe").toLocal8Bit());
        for (const QString &nom : fichiers.split(u' ', Qt::SkipEmptyParts)) // as many pixels wide as its ratio
            QVERIFY(QImage(QSize(1, 1) * (1 + nom.count("@2x")), QImage::Format_RGB32).save(dossier.filePath(nom)));
        QDir::setCurrent(dossier.filePath("courant"));
        const FichierTrouve trouve = trouveImage("0.bmp", ecran);
        const QImage lue = ImagesQt([](const QString &) {}).charge("0.bmp");
        QCOMPARE(trouve.chemin.isEmpty() ? "" : dossier.relativeFilePath(trouve.chemin), attendu);
        QCOMPARE(trouve.rapport, attendu.contains("@2x") ? 2 : 1);
        if (ecran == 2.0 && !attendu.isEmpty()) // the loader follows the screen: a double one
            QCOMPARE(lue.deviceIndependentSize(), QSizeF(1, 1));
    }
};

QTEST_MAIN(TstRecherche)
#include "tst_recherche.moc"
