// Pictures and sound as the game gets them from the machine.
#include "imagesqt.h"
#include "sonqt.h"

#include <QDir>
#include <QFile>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>

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
    void uneVraieImageBmpSeCharge();
    void uneImageAbsenteOuAbimeeEstSignaleeUneFois();
    void leDossierCourantPasseAvantCeluiDuJeu();
    void unSonAbsentLaissePlaceAuCarillon();
    void unSonPresentJoueEnBoucleJusquALArret();
    void unFichierQuiNEstPasUnSonLaissePlaceAuCarillon();
    void leCarillonEstDansLeJeu();
};

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

void TstPlateforme::unSonAbsentLaissePlaceAuCarillon()
{
    DansUnDossier dossier;
    SonQt son;
    QVERIFY(son.source().isEmpty());
    son.arrete(); // nothing plays yet: nothing happens
    son.joue(QStringLiteral("Bravo.wav"));
    QCOMPARE(son.source(), SonQt::carillon());
    QVERIFY(son.joueEnBoucle());
    son.arrete();
    QVERIFY(!son.joueEnBoucle());
}

void TstPlateforme::unSonPresentJoueEnBoucleJusquALArret()
{
    DansUnDossier dossier;
    QVERIFY(QFile::copy(QStringLiteral(":/assets/carillon.wav"), dossier.chemin("Echec.wav")));
    QVERIFY(QFile::copy(QStringLiteral(":/assets/carillon.wav"), dossier.chemin("Bravo.wav")));
    SonQt son;
    son.joue(QStringLiteral("Echec.wav"));
    QCOMPARE(son.source(), QUrl::fromLocalFile(dossier.chemin("Echec.wav")));
    QVERIFY(son.joueEnBoucle());
    // A new sound takes the place of the one in progress.
    son.joue(QStringLiteral("Bravo.wav"));
    QCOMPARE(son.source(), QUrl::fromLocalFile(dossier.chemin("Bravo.wav")));
    QTest::qWait(100);
    QCOMPARE(son.source(), QUrl::fromLocalFile(dossier.chemin("Bravo.wav")));
    son.arrete();
    QVERIFY(!son.joueEnBoucle());
}

void TstPlateforme::unFichierQuiNEstPasUnSonLaissePlaceAuCarillon()
{
    DansUnDossier dossier;
    ecrit(dossier.chemin(QStringLiteral("Bravo.wav")), QByteArray(4096, 'x'));
    SonQt son;
    son.joue(QStringLiteral("Bravo.wav"));
    QTRY_COMPARE_WITH_TIMEOUT(son.source(), SonQt::carillon(), 3000);
    QVERIFY(son.joueEnBoucle());

    // Stopped before the file is found wanting: the chime stays silent.
    SonQt arrete;
    arrete.joue(QStringLiteral("Bravo.wav"));
    arrete.arrete();
    QTest::qWait(300);
    QVERIFY(!arrete.joueEnBoucle());
    QCOMPARE(arrete.source(), QUrl::fromLocalFile(dossier.chemin("Bravo.wav")));
}

void TstPlateforme::leCarillonEstDansLeJeu()
{
    QSoundEffect effet;
    effet.setSource(SonQt::carillon());
    QTRY_COMPARE_WITH_TIMEOUT(effet.status(), QSoundEffect::Ready, 3000);
}

QTEST_MAIN(TstPlateforme)
#include "tst_plateforme.moc"
