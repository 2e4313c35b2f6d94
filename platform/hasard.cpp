// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "hasard.h"

#include <QRandomGenerator>

#include <chrono>

double HasardHorloge::tire()
{
    const auto maintenant = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    const quint32 graine[] = {quint32(maintenant), quint32(quint64(maintenant) >> 32)};
    QRandomGenerator generateur(graine);
    return generateur.generateDouble();
}
