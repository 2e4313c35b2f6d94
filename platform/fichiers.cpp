#include "fichiers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString dansDossier(const QString &dossier, const QString &nom)
{
    const QFileInfo fichier(QDir(dossier), nom);
    return fichier.isFile() ? fichier.absoluteFilePath() : QString();
}

// "0.bmp" -> "0@2x.bmp", as Qt names its high-resolution files.
QString nomDouble(const QString &nom)
{
    const qsizetype point = nom.lastIndexOf(u'.');
    return point < 0 ? nom + QStringLiteral("@2x")
                     : nom.left(point) + QStringLiteral("@2x") + nom.mid(point);
}
}

QStringList dossiersDuJeu()
{
    const QString programme = QCoreApplication::applicationDirPath();
    QStringList dossiers{QDir::currentPath(), programme,
                         QDir::cleanPath(programme + QStringLiteral("/../share/gibetto"))};
    const QStringList donnees = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString &donnee : donnees)
        dossiers.append(QDir::cleanPath(donnee + QStringLiteral("/gibetto")));
    dossiers.removeDuplicates();
    return dossiers;
}

QString trouveFichier(const QString &nom)
{
    return trouveImage(nom, 1);
}

QString trouveImage(const QString &nom, qreal rapportEcran)
{
    const QStringList dossiers = dossiersDuJeu();
    for (const QString &dossier : dossiers) {
        if (rapportEcran > 1) {
            const QString double_ = dansDossier(dossier, nomDouble(nom));
            if (!double_.isEmpty())
                return double_;
        }
        const QString simple = dansDossier(dossier, nom);
        if (!simple.isEmpty())
            return simple;
    }
    return {};
}
