// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

enum class Issue { EnCours, Gagnee, Perdue };

// A picture for the picture box, with what it shows told in words for a
// screen reader.
struct Image
{
    QString fichier;
    QString description;
};

// Everything the end of a key click shows, for the window to apply as it is.
struct Bilan
{
    QString aff;              // the word as the player now sees it
    QString jokers;           // the joker count as written beside "JOKERS > RESTANTS"
    QList<Image> images;      // loaded in this order: the stage (none outside 0..7 jokers), then the victory
    qint16 trouvees = 0;      // the positions the click revealed
    QString message;          // the per-click message
    Issue issue = Issue::EnCours;
    QString messageFin;       // the win or loss message, replacing the per-click one
    QString son;              // the sound that repeats from the end of the game
    QString invite;           // Label3's new caption; empty while in play
};

// The state of one game on one main window.
//
// A "character" of the word is what the player sees as one character: a
// letter typed with a combining accent or an emoji counts once and hides
// behind one "?".
class Partie
{
public:
    // The length has to fit a 16-bit count.
    static constexpr int longueurMax = 32767;

    void nomme(const QString &nom) { m_nom = nom; }

    // A new game on the same window: the name and the words after the joker
    // count are kept.
    void commence(const QString &mot);

    // A click on the key that looks for that character: reveals every
    // position holding it, takes a joker when none does, and returns what the
    // click shows. Nothing at all, and no change, for a character no key
    // looks for, a key already tried in this game, or any key outside a game.
    std::optional<Bilan> essai(char16_t caractere);

    bool enJeu() const { return m_enJeu; }

    const QString &nom() const { return m_nom; }
    const QString &mot() const { return m_mot; }
    QString masque() const { return m_masque.join(QString()); }
    qint16 longueur() const { return m_longueur; }
    qint16 jokers() const { return m_jokers; }

private:
    Bilan bilan(qint16 trouvees);

    QString m_nom;
    QString m_mot;
    QStringList m_lettres; // m_mot cut into characters
    QStringList m_masque;  // "?" or the character found, position by position
    qint16 m_longueur = 0;
    qint16 m_jokers = 0;
    QString m_suffixe;
    bool m_enJeu = false;
    QSet<char16_t> m_essayees; // the keys tried in this game
};

// The characters of a text as the player sees them.
QStringList caracteres(const QString &texte);
