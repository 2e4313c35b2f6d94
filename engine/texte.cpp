// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "texte.h"

QString enTexte(qint16 nombre)
{
    const QString chiffres = QString::number(nombre);
    return nombre >= 0 ? QLatin1Char(' ') + chiffres : chiffres;
}
