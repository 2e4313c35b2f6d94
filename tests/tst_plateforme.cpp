// Pictures as the game gets them from the machine.
#include "imagesqt.h"

#include <QDir>
#include <QFile>
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

QTEST_MAIN(TstPlateforme)
#include "tst_plateforme.moc"
