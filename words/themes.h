// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <array>

class Hasard;

// One line of the theme list and the check box facing it, and what that box
// starts: a word drawn from its list, or, on the last line, the player's own
// word.
struct Choix
{
    QString ligne;     // the list's word on that line
    int top;           // the check box's row, in twips
    int hauteur;
    QString titre;     // shown in the theme box during the game
    QStringList mots;  // position 1 is mots[0]; empty for the own word
};

inline constexpr std::size_t nombreChoix = 7;
const std::array<Choix, nombreChoix> &choix();

// What an own word falls back to when the entry is left empty.
const QStringList &motsDeSecours();

// Names for a player who gives none.
const QStringList &nomsAnonymes();

// One entry drawn at random, each with the same chance.
QString tireMot(const QStringList &liste, Hasard &hasard);
