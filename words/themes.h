#pragma once

#include <QString>
#include <QStringList>

#include <array>

class Hasard;

// A built-in list, chosen with the check box of the same number.
struct Theme
{
    int numero;
    QString titre;   // shown in the theme box during the game
    QStringList mots; // position 1 is mots[0]
};

const std::array<Theme, 6> &themes();

// What an own word falls back to when the entry is left empty.
const QStringList &motsDeSecours();

// Names for a player who gives none.
const QStringList &nomsAnonymes();

// One entry drawn at random, each with the same chance.
QString tireMot(const QStringList &liste, Hasard &hasard);
