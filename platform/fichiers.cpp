#include "fichiers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString trouveFichier(const QString &nom)
{
    const QString dossiers[] = {QDir::currentPath(), QCoreApplication::applicationDirPath()};
    for (const QString &dossier : dossiers) {
        const QFileInfo fichier(QDir(dossier), nom);
        if (fichier.isFile())
            return fichier.absoluteFilePath();
    }
    return {};
}
