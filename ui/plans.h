// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <Qt>

#include <array>

// The windows' designs, a row a control. Places and sizes are in twips, 15 to
// a pixel at 96 dots per inch.

enum class Genre { Ligne, Zone, Etiquette, Bouton, Image };

// A Windows face the windows ask for, and the free face from Debian that
// stands in for it on a machine without it.
struct Face
{
    const char *windows;
    const char *libre;
};

struct Police
{
    Face face; // none for a control without text
    double points;
    int poids;
    bool italique = false;
};

struct Plan
{
    const char *nom;
    Genre genre;
    const char *texte; // the caption or text the control starts with
    int left;
    int top;
    int largeur;
    int hauteur;
    Police police;
    QRgb fond; // 0: the system's colours
    QRgb encre;
    Qt::Alignment alignement;
    bool visible;
    const char *nomAccessible = nullptr;
};

struct Fenetre
{
    const char *nom;
    const char *titre;
    int largeur;
    int hauteur;
    QRgb fond;
};

namespace couleurs {
inline constexpr QRgb gris = qRgb(224, 224, 224);
inline constexpr QRgb peche = qRgb(255, 224, 192);
inline constexpr QRgb nuit = qRgb(0, 0, 64);
inline constexpr QRgb jaune = qRgb(255, 255, 0);
inline constexpr QRgb noir = qRgb(0, 0, 0);
inline constexpr QRgb bleu = qRgb(0, 0, 192);
inline constexpr QRgb rouge = qRgb(255, 0, 0);
inline constexpr QRgb vert = qRgb(0, 255, 0);
inline constexpr QRgb cocheFond = qRgb(128, 128, 128);
inline constexpr QRgb toucheFond = qRgb(192, 0, 0);
}

namespace faces {
inline constexpr Face times = {"Times New Roman", "Liberation Serif"};
inline constexpr Face sansSerif = {"MS Sans Serif", "Liberation Sans"};
inline constexpr Face arialBlack = {"Arial Black", "Lato"};
inline constexpr Face script = {"Script MT Bold", "Dancing Script"};
inline constexpr Face toutes[] = {times, sansSerif, arialBlack, script};
}

namespace polices {
inline constexpr Police script(double points) { return {faces::script, points, 700}; }
inline constexpr Police times(double points) { return {faces::times, points, 700}; }
inline constexpr Police arialBlack(double points) { return {faces::arialBlack, points, 900}; }
inline constexpr Police sansSerif(double points) { return {faces::sansSerif, points, 700}; }
}

inline constexpr Qt::Alignment centre = Qt::AlignCenter;
inline constexpr Qt::Alignment enHaut = Qt::AlignHCenter | Qt::AlignTop;
inline constexpr Qt::Alignment aGauche = Qt::AlignLeft | Qt::AlignTop;

inline constexpr Fenetre fenetrePendu = {
    "Pendu", "Gibetto - Vocabulaire et orthographe -  Olaf PIRVEC", 10110, 6840, couleurs::gris};

// The main window but its keyboard and check boxes, which stand in their own
// tables (the key table and the theme list).
inline constexpr auto planPendu = [] {
    using namespace couleurs;
    using namespace polices;
    using G = Genre;
    return std::array<Plan, 16>{{
        {"Question1", G::Ligne, "Bonjour, comment t'appelles-tu ?", 120, 120, 4455, 495,
         script(15.75), peche, qRgb(192, 0, 0), centre, true},
        {"nj", G::Ligne, "", 4680, 120, 4215, 495, times(14.25), peche, bleu, centre, true,
         "Ton prénom"},
        {"Entree", G::Bouton, "<<<", 9000, 120, 975, 495, arialBlack(14.25), 0, 0, centre, true,
         "Valider le prénom"},
        {"Accueil", G::Zone, "", 120, 720, 9855, 735, times(12), nuit, vert, Qt::AlignLeft, false},
        {"Liste", G::Etiquette, "", 8520, 1560, 1215, 2055, times(12), qRgb(192, 192, 192), noir,
         aGauche, false},
        {"theme", G::Ligne, "", 3840, 1560, 4575, 420, sansSerif(12), nuit, jaune, centre, false},
        {"Consignes", G::Zone, "", 3840, 2040, 4575, 1215, times(14.25), nuit, jaune,
         Qt::AlignHCenter, false},
        {"Perso", G::Ligne, "", 3840, 3240, 4095, 405, times(12), noir, qRgb(255, 255, 255),
         centre, false, "Ton mot, en majuscules"},
        {"op", G::Bouton, "<<<", 7920, 3240, 495, 375, sansSerif(8.25), 0, 0, centre, false,
         "Valider le mot"},
        {"Ecran", G::Image, "", 120, 1560, 3615, 5055, {}, 0, 0, aGauche, true,
         "Un désert sous le soleil"},
        {"aff", G::Ligne, "", 3840, 3720, 6135, 510, times(15.75), qRgb(128, 0, 0), jaune, centre,
         false, "Le mot à trouver"},
        {"Label3", G::Etiquette, "", 3840, 4320, 2895, 495, {faces::times, 9.75, 700, true},
         noir, jaune, enHaut, false},
        {"Label1", G::Etiquette, "JOKERS > RESTANTS", 6720, 4320, 2055, 495, times(11.25), noir,
         vert, enHaut, false},
        {"Label2", G::Etiquette, "", 8760, 4320, 1215, 495, times(18), noir, qRgb(255, 0, 255),
         enHaut, false},
        {"Label5", G::Etiquette, "Clique ici si tu veux rejouer  >>>", 3840, 6360, 4935, 375,
         times(14.25), noir, rouge, enHaut, false},
        {"SF", G::Bouton, "Suite", 8880, 6330, 1095, 405, arialBlack(14.25), 0, 0, centre, false},
    }};
}();

// The check boxes stand in a column right of the theme list; their rows are
// the list's (see the theme table).
inline constexpr int cochesLeft = 9840;
inline constexpr int cochesLargeur = 255;

// Keys are as tall as a button; the label that replaces a used key is a little
// shorter, so that the button covers it.
inline constexpr int toucheHauteur = 405;
inline constexpr int etiquetteHauteur = 375;
static_assert(etiquetteHauteur <= toucheHauteur);

inline constexpr Fenetre fenetreRejouer = {
    "Rejouer", "        Continuer à jouer", 4305, 3180, couleurs::gris};

// In tab order.
inline constexpr auto planRejouer = [] {
    using namespace couleurs;
    using namespace polices;
    using G = Genre;
    return std::array<Plan, 5>{{
        {"oui", G::Bouton, "OUI", 840, 1440, 855, 615, arialBlack(14.25), 0, 0, centre, true},
        {"non", G::Bouton, "NON", 2520, 1440, 855, 615, arialBlack(14.25), 0, 0, centre, true},
        {"Label1", G::Etiquette, "Gibetto :   logique,  vocabulaire  et orthographe", 120, 2160,
         4095, 975, script(18), gris, rouge, enHaut, true},
        {"nj", G::Ligne, "", 0, 120, 3855, 495, times(15.75), gris, bleu, centre, true,
         "Ton prénom"},
        {"Label2", G::Etiquette, "Veux-tu rejouer ?", 0, 720, 3855, 615, script(24), gris, bleu,
         enHaut, true},
    }};
}();
