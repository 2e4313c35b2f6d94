// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "depart.h"

#include "texte.h"
#include "themes.h"

QString consignesDepart(const QString &nom, qint16 longueur)
{
    return nom + QStringLiteral(",") + finDeLigne + QStringLiteral("tu dois trouver un mot de ")
            + enTexte(longueur) + QStringLiteral("  lettres.");
}

QString accueilDepart(const QString &nom, qint16 longueur)
{
    return nom + QStringLiteral(", tu dois trouver un mot de ") + enTexte(longueur)
            + QStringLiteral("  lettres. Attention, les espaces, traits d'union ou apostrophes "
                             "peuvent être comptés dans le nombre de lettres...");
}

QString invite(const QString &nom)
{
    return nom + finDeLigne + QStringLiteral("clique sur une touche");
}

QString motPropose(const QString &saisie, Hasard &hasard)
{
    return saisie.isEmpty() ? tireMot(motsDeSecours(), hasard) : saisie;
}

QString consignesPerso(const QString &nom)
{
    return nom + QStringLiteral(",") + finDeLigne
            + QStringLiteral("propose toi-même le mot à trouver ci-dessous puis clique si OK:");
}

QString accueilPerso(const QString &nom)
{
    return QStringLiteral("Attention, ") + nom
            + QStringLiteral(", tu dois taper un mot exclusivement en MAJUSCULES sinon il ne "
                             "sera pas pris en compte par le logiciel. (Espace, trait d'union "
                             "et apostrophe acceptés)");
}

QString nomDuJoueur(const QString &saisie, Hasard &hasard)
{
    return saisie.isEmpty() ? tireMot(nomsAnonymes(), hasard) : saisie;
}

QString bienvenue(const QString &nom)
{
    return QStringLiteral("Bienvenue à toi, ") + nom
            + QStringLiteral(", tu as le choix entre plusieurs listes de mots à trouver. Coche la "
                             "case située en face de la liste que tu veux choisir ...");
}
