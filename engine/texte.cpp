#include "texte.h"

QString enTexte(qint16 nombre)
{
    const QString chiffres = QString::number(nombre);
    return nombre >= 0 ? QLatin1Char(' ') + chiffres : chiffres;
}
