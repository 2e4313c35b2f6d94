// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ecoute.h"

void Ecoute::setLecteur(bool lecteur)
{
    if (lecteur == m_lecteur)
        return;
    m_lecteur = lecteur;
    Q_EMIT lecteurChange(lecteur);
}

#include "moc_ecoute.cpp"
