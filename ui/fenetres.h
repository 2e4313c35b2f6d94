// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

struct Fenetre;
class QWidget;

// The program's name and its menu entry's id; the free faces of the designs
// standing in for the Windows faces the machine lacks; and Qt's own texts
// (the menus of the text boxes, the buttons of the message windows) in French
// whatever the machine's language, when the machine has Qt's translations
// (Debian's qt6-translations-l10n), in English otherwise.
void prepareProgramme();

// The face a control asks for: the Windows face where the machine has it,
// otherwise its stand-in. Qt alone would come to the same face, but only
// after asking fontconfig for the fallbacks of the missing face as well:
// bench/startup.sh counted 1.7 ms more processor time to the first window
// that way (9.7 against 8.0 ms above the bare window, means of 3 x 21 starts).
QString faceInstallee(const QString &face);

// A fixed-size window with a close box but no minimize or maximize box, on a
// plain background, centred on its screen.
void dessineFenetre(QWidget *fenetre, const Fenetre &dessin);

QIcon iconeEclair();
QIcon iconeFleche();

// The desert of the start screen, for a screen of the given pixel ratio.
QPixmap imageDesert(qreal rapport);
