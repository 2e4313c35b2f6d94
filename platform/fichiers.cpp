// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fichiers.h"

#include "gibetto_config.h"

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
    // A teacher's own files first: the folder the game is started from, then
    // the user's data folder, the one a game started from the menu can use.
    const QString utilisateur = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QStringList dossiers{QDir::currentPath(), QDir::cleanPath(utilisateur + QStringLiteral("/gibetto")), programme,
                         QDir::cleanPath(programme + QStringLiteral("/" GIBETTO_DONNEES))};
    const QStringList donnees = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString &donnee : donnees)
        dossiers.append(QDir::cleanPath(donnee + QStringLiteral("/gibetto")));
    dossiers.removeDuplicates();
    return dossiers;
}

QString trouveFichier(const QString &nom, const QStringList &dossiers)
{
    for (const QString &dossier : dossiers) {
        const QString chemin = dansDossier(dossier, nom);
        if (!chemin.isEmpty())
            return chemin;
    }
    return {};
}

QString trouveImage(const QString &nom, qreal rapportEcran)
{
    const QStringList dossiers = dossiersDuJeu();
    const QString simple = trouveFichier(nom, dossiers);
    if (rapportEcran <= 1)
        return simple;
    // The double-size drawing counts from the plain one's folder or one before it.
    const qsizetype jusquA = simple.isEmpty() ? dossiers.size() : dossiers.indexOf(QFileInfo(simple).absolutePath()) + 1;
    const QString double_ = trouveFichier(nomDouble(nom), dossiers.first(jusquA));
    return double_.isEmpty() ? simple : double_;
}
