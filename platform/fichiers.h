// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Pictures and sounds are named by their bare file name and looked for, in
// this order:
//  - the current directory, where a teacher may put drawings of their own;
//  - the user's "gibetto" data folder (~/.local/share/gibetto), the place
//    for them when the game starts from the menu;
//  - beside the program, as in a build folder;
//  - the installed data folder from the program's folder (../share/gibetto),
//    so that an installed copy still finds its files once moved or unpacked
//    elsewhere;
//  - the "gibetto" folder of each other standard data path
//    (/usr/local/share, /usr/share...).
QStringList dossiersDuJeu();

// The file in the first of those folders that holds it, empty when none does.
QString trouveFichier(const QString &nom, const QStringList &dossiers = dossiersDuJeu());

// Like trouveFichier(), but on a screen whose pixel ratio is above 1 a
// "name@2x.ext" rendering is taken when it lies in the same folder as the
// first plain file, or in a folder before it: a teacher's plain picture in
// the current directory still wins over the installed double-size one.
QString trouveImage(const QString &nom, qreal rapportEcran);
