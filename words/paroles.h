// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct Bilan;
struct Image;
struct Touche;

// What a screen reader says of the game, made from what happened; the texts
// for the eye stand beside them, in depart.h and in the engine's messages.
// Line breaks are spoken as a pause.

// A game starts: its theme and the start message with the number of letters.
QString parleDepart(const QString &titre, const QString &consignes);

// A key click: the key, found or not, the word as it now stands position by
// position, the jokers left as the message writes them; at the end the win or
// loss message, the word spelled after a loss, and where "Suite" stands.
QString parleEssai(char16_t caractere, const Bilan &bilan, const QString &masque,
                   const QString &mot);

// A key as its button says it, and as its red label says it once tried.
QString parleTouche(const Touche &touche, bool essayee);

// A picture the game could not find: what the box would show.
QString parleImageAbsente(const Image &image);

// The game's own text, its line breaks spoken as a pause.
QString aDire(const QString &texte);
