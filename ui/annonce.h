// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <functional>

class EtatLecteur;
class QLabel;
class QWidget;

// What a window tells a screen reader beyond what the focused control says
// of itself. Qt 6.4 cannot announce, and Orca speaks the control that takes
// the focus: two voices, small labels that draw nothing, take turns in
// taking the focus with the outcome as their name. Both stand in the
// window's Tab chain just before the control the outcome leads to, placed by
// the code that orders that chain, so that Tab from either reaches that
// control and Shift+Tab the one before it. Qt 6.8 can announce, but its
// announcement leaves the focus where it was, so that Tab would not lead
// where the speech says: Debian 13 hears the same voices.
using Voix = std::array<QLabel *, 2>;

// Made only once a screen reader listens: before that a window has none, and
// its look, focus and Tab order are those of a game without one.
Voix faitVoix(QWidget *fenetre);

// The next voice says the text: it takes the focus, which Orca speaks.
void faitDire(const Voix &voix, const QString &texte);

// Gives the control the focus once a screen reader listens, now or as soon as
// one starts, unless the player has moved the focus by then: a player who
// listens starts there.
void premierFocus(QWidget *controle, const EtatLecteur &lecteur);
