#include "enregistreur.h"

QImage Enregistreur::charge(const QString &fichier)
{
    journal.append(QStringLiteral("image ") + fichier);
    if (absentes.contains(fichier))
        return {};
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setText(QStringLiteral("fichier"), fichier);
    return image;
}

void Enregistreur::joue(const QString &fichier)
{
    journal.append(QStringLiteral("son ") + fichier);
    sonEnCours = fichier;
}

void Enregistreur::arrete()
{
    journal.append(QStringLiteral("arret"));
    sonEnCours.clear();
}

double Enregistreur::tire()
{
    journal.append(QStringLiteral("hasard"));
    return tirages.isEmpty() ? 0.0 : tirages.takeFirst();
}

QString Enregistreur::origine(const QImage &image)
{
    return image.text(QStringLiteral("fichier"));
}
