// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

// One key of the on-screen keyboard, with everything about it in one row:
// the character it looks for in the word, its button and the label that takes
// the button's place once used, the face they show, what a screen reader says
// for a face that is a sign, and where they stand, in twips.
struct Touche
{
    char16_t caractere;
    const char *bouton;
    const char *etiquette;
    const char *legende;
    const char *nomParle; // nullptr: the face says it
    int left;
    int top;
    int largeur;
};

// Letters row by row as the AZERTY keyboard sets them out, then the three
// signs that words may hold. A game shows its keys in this order and the end
// of a game hides them in this order.
inline constexpr std::array<Touche, 29> clavier = {{
    {u'A', "A", "aa", "A", nullptr, 3840, 4920, 375},
    {u'Z', "Z", "zz", "Z", nullptr, 4320, 4920, 375},
    {u'E', "E", "ee", "E", nullptr, 4800, 4920, 375},
    {u'R', "R", "rr", "R", nullptr, 5280, 4920, 375},
    {u'T', "T", "tt", "T", nullptr, 5760, 4920, 375},
    {u'Y', "Y", "yy", "Y", nullptr, 6240, 4920, 375},
    {u'U', "U", "uu", "U", nullptr, 6720, 4920, 375},
    {u'I', "I", "ii", "I", nullptr, 7200, 4920, 375},
    {u'O', "O", "oo", "O", nullptr, 7680, 4920, 375},
    {u'P', "P", "pp", "P", nullptr, 8160, 4920, 375},
    {u'Q', "Q", "qq", "Q", nullptr, 4080, 5400, 375},
    {u'S', "S", "ss", "S", nullptr, 4560, 5400, 375},
    {u'D', "D", "dd", "D", nullptr, 5040, 5400, 375},
    {u'F', "F", "ff", "F", nullptr, 5520, 5400, 375},
    {u'G', "G", "gg", "G", nullptr, 6000, 5400, 375},
    {u'H', "H", "hh", "H", nullptr, 6480, 5400, 375},
    {u'J', "J", "jj", "J", nullptr, 6960, 5400, 375},
    {u'K', "K", "kk", "K", nullptr, 7440, 5400, 375},
    {u'L', "L", "ll", "L", nullptr, 7920, 5400, 375},
    {u'M', "M", "mm", "M", nullptr, 8400, 5400, 375},
    {u'W', "W", "ww", "W", nullptr, 4320, 5880, 375},
    {u'X', "X", "xx", "X", nullptr, 4800, 5880, 375},
    {u'C', "C", "cc", "C", nullptr, 5280, 5880, 375},
    {u'V', "V", "vv", "V", nullptr, 5760, 5880, 375},
    {u'B', "B", "bb", "B", nullptr, 6240, 5880, 375},
    {u'N', "N", "nn", "N", nullptr, 6720, 5880, 375},
    {u'-', "tiret", "tir", "-", "Trait d'union", 8640, 4920, 375},
    {u' ', "space", "space2", "Espace", nullptr, 7200, 5880, 1455},
    {u'\'', "apostrophe", "apo", "'", "Apostrophe", 9120, 4920, 375},
}};

constexpr bool estEspace(const Touche &touche)
{
    return touche.caractere == u' ';
}

constexpr bool estApostrophe(const Touche &touche)
{
    return touche.caractere == u'\'';
}

// What a screen reader says for the key: its face, or the sign's name.
constexpr const char *nomDit(const Touche &touche)
{
    return touche.nomParle ? touche.nomParle : touche.legende;
}

// The key that looks for a character, or nullptr when no key does.
constexpr const Touche *toucheDe(char16_t caractere)
{
    for (const Touche &touche : clavier) {
        if (touche.caractere == caractere)
            return &touche;
    }
    return nullptr;
}

// Every key looks for its own character: no two keys reveal the same thing.
constexpr bool caracteresUniques()
{
    for (const Touche &touche : clavier) {
        if (toucheDe(touche.caractere) != &touche)
            return false;
    }
    return true;
}
static_assert(caracteresUniques());

// The keys stand in rows, each key 32 pixels (480 twips) right of the one
// before it: a slip in a place above would overlap two keys or open a gap.
constexpr bool enRangees()
{
    for (const Touche &touche : clavier) {
        bool premiere = true, voisine = false;
        for (const Touche &autre : clavier) {
            if (&autre == &touche || autre.top != touche.top)
                continue;
            if (autre.left == touche.left)
                return false;
            premiere = premiere && autre.left > touche.left;
            voisine = voisine || autre.left == touche.left - 480;
        }
        if (!premiere && !voisine)
            return false;
    }
    return true;
}
static_assert(enRangees());
