#include "enregistreur.h"

QImage Enregistreur::charge(const QString &fichier)
{
    journal.append(QStringLiteral("image ") + fichier);
    if (absentes.contains(fichier))
        return {};
    QImage image(4, 4, QImage::Format_RGB32);
    image.setText(QStringLiteral("fichier"), fichier);
    return image;
}

double Enregistreur::tire()
{
    journal.append(QStringLiteral("hasard"));
    return tirages.isEmpty() ? 0.0 : tirages.takeFirst();
}
