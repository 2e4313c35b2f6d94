// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "etatlecteuratspi.h"
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
    EtatLecteurAtSpi lecteur;
    Jeu jeu(Services{images, son, hasard, lecteur});
    jeu.ouvrePendu();
    return app.exec();
}
