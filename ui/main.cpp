// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ecouteatspi.h"
#include "hasard.h"
#include "imagesqt.h"
#include "services.h"
#include "sonopenal.h"
#include "fenetres.h"
#include "jeu.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepareProgramme();

    ImagesQt images;
    SonOpenAL son;
    HasardHorloge hasard;
    EcouteAtSpi ecoute;
    Jeu jeu(Services{images, son, hasard, ecoute});
    jeu.ouvrePendu();
    return app.exec();
}
