// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

class Images
{
public:
    virtual ~Images() = default;
    // The picture of that bare file name, or a null image when it cannot be
    // had; the player has then been told.
    virtual QImage charge(const QString &fichier) = 0;
};
