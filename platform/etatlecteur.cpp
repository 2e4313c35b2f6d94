// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "etatlecteur.h"

void EtatLecteur::setActif(bool actif)
{
    if (actif == m_actif)
        return;
    m_actif = actif;
    Q_EMIT actifChange(actif);
}

#include "moc_etatlecteur.cpp"
