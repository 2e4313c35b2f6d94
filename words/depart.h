// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Hasard;

// Texts written when a game starts, whether on a theme or on an own word.
QString consignesDepart(const QString &nom, qint16 longueur);
QString accueilDepart(const QString &nom, qint16 longueur);
QString invite(const QString &nom);

// The own word: the entry as typed, or a fallback word when it is empty.
QString motPropose(const QString &saisie, Hasard &hasard);

QString consignesPerso(const QString &nom);
QString accueilPerso(const QString &nom);

// The welcome once the player has given a name, or one drawn when none was.
QString nomDuJoueur(const QString &saisie, Hasard &hasard);
QString bienvenue(const QString &nom);
