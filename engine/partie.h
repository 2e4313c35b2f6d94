#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Files the end of a click asks for, by bare name as the game has always used.
namespace fichiers {
inline const QString victoire = QStringLiteral("victoire.bmp");
inline const QString bravo = QStringLiteral("Bravo.wav");
inline const QString echec = QStringLiteral("Echec.wav");
}

inline const QString jeuTermine = QStringLiteral("Jeu terminé !");

enum class Issue { EnCours, Gagnee, Perdue };

// What the second half of a click has to show, in the order it is shown.
struct Bilan
{
    std::optional<QString> image; // the stage for the jokers left; none outside 0..7
    QString message;              // the per-click message
    Issue issue = Issue::EnCours;
    QString messageFin;           // the win or loss message; empty while in play
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

    // Reveals every position holding the key's character and takes a joker
    // when none does. Returns the number of positions revealed.
    qint16 essai(char16_t caractere);

    // Picture, message and end of game for the jokers left after `essai`.
    Bilan bilan();

    const QString &nom() const { return m_nom; }
    const QString &mot() const { return m_mot; }
    QString masque() const { return m_masque.join(QString()); }
    qint16 longueur() const { return m_longueur; }
    qint16 jokers() const { return m_jokers; }
    qint16 trouvees() const { return m_trouvees; }
    const QString &suffixe() const { return m_suffixe; }

private:
    QString m_nom;
    QString m_mot;
    QStringList m_lettres; // m_mot cut into characters
    QStringList m_masque;  // "?" or the character found, position by position
    qint16 m_longueur = 0;
    qint16 m_jokers = 0;
    qint16 m_trouvees = 0;
    QString m_suffixe;
};

// The characters of a text as the player sees them.
QStringList caracteres(const QString &texte);

// The picture of the hangman for a joker count, "0.bmp" with all 7 jokers up
// to "7.bmp" with none; none for a count outside 0..7.
std::optional<QString> imagePourJokers(qint16 jokers);
