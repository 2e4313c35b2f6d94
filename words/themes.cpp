// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "themes.h"

#include "hasard.h"

const std::array<Choix, nombreChoix> &choix()
{
    // "VADUZ" stands twice among the capitals on purpose: it comes up twice
    // as often.
    static const std::array<Choix, nombreChoix> table = {{
        {QStringLiteral("AFRIQUE"), 1560, 255, QStringLiteral("Thème choisi: Animaux d'Afrique"),
         {"HIPPOPOTAME", "RHINOCEROS", "ELEPHANT", "LION", "PHACOCHERE", "GIRAFE", "ZEBUS",
          "ZEBRE", "ANTILOPE", "GAZELLE", "BUFFLE", "BABOUIN", "OKAPI", "CROCODILE",
          "CHIMPANZE", "ORANG-OUTANG", "GORILLE", "PANTHERE", "CHAMEAU", "DROMADAIRE",
          "PORC-EPIC", "TAMANOIR", "HYENE", "VAUTOUR", "CAIMAN"}},
        {QStringLiteral("ANIMAUX"), 1800, 315, QStringLiteral("Thème choisi: Animaux d'Europe"),
         {"RENARD", "LAPIN", "LIEVRE", "FAISAN", "MARCASSIN", "LAIE", "HASE", "ANE", "CHEVAL",
          "JUMENT", "HIBOU", "CIGOGNE", "HIRONDELLE", "MOINEAU", "MESANGE", "ROSSIGNOL", "LOUP",
          "LOUVE", "LOUVETEAU", "TAUREAU", "TRUITE", "ECREVISSE", "LIBELLULE", "CARPE",
          "SANGLIER", "HERON", "GRAND DUC"}},
        {QStringLiteral("EUROPE"), 2160, 255, QStringLiteral("Thème choisi: Capitales d'Europe"),
         {"PARIS", "LONDRES", "AMSTERDAM", "BERLIN", "ROME", "BRUXELLES", "VARSOVIE",
          "BUCAREST", "DUBLIN", "REYKJAVIK", "BUDAPEST", "BERNE", "LUXEMBOURG", "MOSCOU",
          "TIRANA", "MONTE-CARLO", "MADRID", "LISBONNE", "ANDORRE", "VADUZ", "PRAGUE",
          "BELGRADE", "BRATISLAVA", "OSLO", "STOCKHOLM", "HELSINKI", "RIGA", "VADUZ",
          "LA VALETTE", "SOFIA"}},
        {QStringLiteral("HASARD"), 2400, 255, QStringLiteral("Divers mots choisis au hasard"),
         {"ANTICONSTITUTIONNELLEMENT", "CHARIVARI", "TOHU-BOHU", "TINTAMARRE", "VACARME",
          "BROUHAHA", "VENDEMIAIRE", "GERMINAL", "OCTOBRE", "CHOUETTE", "VILLAGE",
          "CHAT-HUANT", "BANANERAIE", "CACAHUETE", "SALSEPAREILLE", "TONNERRE", "COUETTE",
          "ARRIERE-GRAND-PERE", "REGLEMENTATION", "CINEMATOGRAPHE", "PRESIDENCE",
          "CAMEMBERT", "JOURNAL", "LESSIVEUSE", "PRESIDENT", "VINAIGRE", "TONNERRE DE BREST",
          "PIED DE BICHE", "ARRIERE-GRAND-MERE"}},
        {QStringLiteral("MÉTIERS"), 2640, 315, QStringLiteral("Thème choisi: Noms de métiers"),
         {"ARCHITECTE", "AMBASSADEUR", "SERRURIER", "AGRICULTEUR", "OSTREICULTEUR",
          "PECHEUR", "ELECTRICIEN", "ELECTRONICIEN", "INFORMATICIEN", "OPERATRICE",
          "SECRETAIRE", "PROFESSEUR", "DIPLOMATE", "INTERPRETE", "TRADUCTEUR", "ECRIVAIN",
          "FLEURISTE", "COMMERCANT", "CAISSIERE", "VENDEUSE", "INFIRMIERE", "MEDECIN",
          "CHIRURGIEN", "DENTISTE", "SAGE-FEMME", "CARRELEUR", "MAITRE-NAGEUR",
          "CHEF DE PROJET", "JOURNALISTE"}},
        {QStringLiteral("MONDE"), 3000, 255, QStringLiteral("Thème choisi: Pays du Monde"),
         {"AFGHANISTAN", "ALBANIE", "ALGERIE", "ALLEMAGNE", "ANDORRE", "ARMENIE", "ARGENTINE",
          "AZERBAIDJAN", "AUSTRALIE", "AUTRICHE", "BELGIQUE", "BIRMANIE", "BOLIVIE", "BRESIL",
          "BULGARIE", "BURUNDI", "CAMBODGE", "CAMEROUN", "CANADA", "SRILANKA", "CHILI",
          "CHINE", "CHYPRE", "IRAN", "TUNISIE", "SENEGAL", "MAROC", "GABON", "PORTUGAL",
          "AFRIQUE DU SUD", "COTE D'IVOIRE", "BURKINA FASSO"}},
        {QStringLiteral("PERSO"), 3240, 315, QStringLiteral("Mot proposé par l'utilisateur"), {}},
    }};
    return table;
}

const QStringList &motsDeSecours()
{
    static const QStringList mots = {
        "OUPS", "ERREUR DE FRAPPE", "TU N'AS ECRIT AUCUN MOT", "MOT INCONNU",
        "CONSIGNES MAL LUES", "MOT CHOISI AU HASARD", "RIEN", "ABSENCE DE REPONSE",
    };
    return mots;
}

const QStringList &nomsAnonymes()
{
    static const QStringList noms = {
        QStringLiteral("PERSONNE"), QStringLiteral("UTILISATEUR LAMBDA"),
        QStringLiteral("TARTEMPION"), QStringLiteral("UTILISATEUR NON IDENTIFIÉ"),
        QStringLiteral("PARTICIPANT(E)"), QStringLiteral("JOUEUR ANONYME"),
        QStringLiteral("INCONNU(E)"), QStringLiteral("JOUEUR MYSTÈRE"),
        QStringLiteral("QUELQU'UN(E)"),
    };
    return noms;
}

QString tireMot(const QStringList &liste, Hasard &hasard)
{
    return liste.at(tirePosition(hasard, int(liste.size())) - 1);
}
