// Pictures, sound and chance as the game gets them from the machine, and the
// recording stand-in the other tests rely on.
#include "enregistreur.h"
#include "hasard.h"
#include "imagesqt.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {
// Runs a test inside a fresh directory, as the game runs beside its files.
class DansUnDossier
{
public:
    DansUnDossier()
        : m_avant(QDir::currentPath())
    {
        QDir::setCurrent(m_dossier.path());
    }
    ~DansUnDossier() { QDir::setCurrent(m_avant); }
    QString chemin(const QString &nom) const { return m_dossier.filePath(nom); }

private:
    QTemporaryDir m_dossier;
    QString m_avant;
};

void ecrit(const QString &chemin, const QByteArray &contenu)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenu);
}
}

class TstPlateforme : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void uneQuantiteDevientUnePosition_data();
    void uneQuantiteDevientUnePosition();
    void leHasardResteEntreZeroEtUn();
    void uneVraieImageBmpSeCharge();
    void uneImageAbsenteOuAbimeeEstSignaleeUneFois();
    void leDossierCourantPasseAvantCeluiDuJeu();
    void leDoubleRetientChaqueAppelDansLOrdre();
};

void TstPlateforme::uneQuantiteDevientUnePosition_data()
{
    QTest::addColumn<double>("tirage");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("position");
    QTest::newRow("zero") << 0.0 << 25 << 1;
    QTest::newRow("juste sous 1") << std::nextafter(1.0, 0.0) << 25 << 25;
    QTest::newRow("juste sous 1, neuf") << std::nextafter(1.0, 0.0) << 9 << 9;
    QTest::newRow("juste sous 1, huit") << std::nextafter(1.0, 0.0) << 8 << 8;
    QTest::newRow("moitie") << 0.5 << 8 << 5;
}

void TstPlateforme::uneQuantiteDevientUnePosition()
{
    QFETCH(double, tirage);
    QFETCH(int, n);
    QFETCH(int, position);
    QCOMPARE(positionTiree(tirage, n), position);
}

void TstPlateforme::leHasardResteEntreZeroEtUn()
{
    HasardHorloge hasard;
    QList<int> vus(9, 0);
    for (int i = 0; i < 9000; ++i) {
        const double r = hasard.tire();
        QVERIFY(r >= 0.0 && r < 1.0);
        ++vus[positionTiree(r, 9) - 1];
    }
    // Every name can come up, none hogs the draw.
    for (const int fois : vus)
        QVERIFY2(fois > 700 && fois < 1300, qPrintable(QString::number(fois)));
}

void TstPlateforme::uneVraieImageBmpSeCharge()
{
    DansUnDossier dossier;
    QImage dessin(240, 330, QImage::Format_RGB888);
    dessin.fill(QColor(10, 120, 200));
    QVERIFY(dessin.save(dossier.chemin(QStringLiteral("3.bmp")), "BMP"));

    QStringList alertes;
    ImagesQt images([&](const QString &m) { alertes.append(m); });
    const QImage lue = images.charge(QStringLiteral("3.bmp"));
    QCOMPARE(lue.size(), QSize(240, 330));
    QCOMPARE(lue.pixelColor(100, 100), QColor(10, 120, 200));
    QVERIFY(alertes.isEmpty());
}

void TstPlateforme::uneImageAbsenteOuAbimeeEstSignaleeUneFois()
{
    DansUnDossier dossier;
    ecrit(dossier.chemin(QStringLiteral("5.bmp")), QByteArray("BM pas vraiment une image"));

    QStringList alertes;
    ImagesQt images([&](const QString &m) { alertes.append(m); });
    QVERIFY(images.charge(QStringLiteral("4.bmp")).isNull());
    QVERIFY(images.charge(QStringLiteral("4.bmp")).isNull());
    QVERIFY(images.charge(QStringLiteral("5.bmp")).isNull());
    QVERIFY(images.charge(QStringLiteral("5.bmp")).isNull());
    QCOMPARE(alertes,
             (QStringList{QStringLiteral("L'image « 4.bmp » est absente ou illisible : elle ne peut "
                                         "pas être affichée. Le jeu continue sans elle."),
                          ImagesQt::messageAbsente(QStringLiteral("5.bmp"))}));
}

void TstPlateforme::leDossierCourantPasseAvantCeluiDuJeu()
{
    DansUnDossier dossier;
    QImage petit(2, 3, QImage::Format_RGB888);
    petit.fill(Qt::red);
    // The test program's own directory holds nothing of that name; the current
    // directory does.
    QVERIFY(petit.save(dossier.chemin(QStringLiteral("victoire.bmp")), "BMP"));
    ImagesQt images([](const QString &) { QFAIL("no alert expected"); });
    QCOMPARE(images.charge(QStringLiteral("victoire.bmp")).size(), QSize(2, 3));
}

void TstPlateforme::leDoubleRetientChaqueAppelDansLOrdre()
{
    Enregistreur double_;
    double_.absentes = {QStringLiteral("2.bmp")};
    double_.tirages = {0.25};
    QCOMPARE(Enregistreur::origine(double_.charge(QStringLiteral("1.bmp"))), QStringLiteral("1.bmp"));
    QVERIFY(double_.charge(QStringLiteral("2.bmp")).isNull());
    double_.joue(QStringLiteral("Bravo.wav"));
    double_.joue(QStringLiteral("Echec.wav"));
    QCOMPARE(double_.sonEnCours, QStringLiteral("Echec.wav"));
    double_.arrete();
    double_.arrete();
    QVERIFY(double_.sonEnCours.isEmpty());
    QCOMPARE(double_.tire(), 0.25);
    QCOMPARE(double_.tire(), 0.0);
    QCOMPARE(double_.journal,
             (QStringList{"image 1.bmp", "image 2.bmp", "son Bravo.wav", "son Echec.wav", "arret",
                          "arret", "hasard", "hasard"}));
}

QTEST_MAIN(TstPlateforme)
#include "tst_plateforme.moc"
