// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "images.h"

#include <QSet>

#include <functional>


// Reads the picture again at every call, so a file put back while the game
// runs shows at the next click. On a screen whose pixel ratio is above 1 the
// "name@2x" rendering is taken where trouveImage() finds one; its pixel
// ratio of 2 makes it take the room of the plain picture.
class ImagesQt : public Images
{
public:
    using Alerte = std::function<void(const QString &message)>;

    // By default the player is told in a message window.
    explicit ImagesQt(Alerte alerte = {});

    QImage charge(const QString &fichier) override;

    static QString messageAbsente(const QString &fichier);

private:
    Alerte m_alerte;
    QSet<QString> m_signalees; // each missing file is reported once, not at every click
};
