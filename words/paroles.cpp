// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "paroles.h"

#include "clavier.h"
#include "partie.h"
#include "texte.h"

namespace {
// A character as a screen reader should say it: a key's character by the
// key's name, so that a sign is never left out as punctuation.
QString nomDe(const QString &caractere)
{
    const Touche *touche = caractere.size() == 1 ? toucheDe(caractere.front().unicode()) : nullptr;
    return touche ? QString::fromUtf8(nomDit(*touche)) : caractere;
}

// The word position by position, those of the mask not yet found said as
// hidden: a "?" of the mask is hidden unless the word has a "?" there.
QString epelle(const QString &texte, const QString &mot)
{
    const QStringList lettres = caracteres(mot);
    QStringList dits;
    for (const QString &position : caracteres(texte)) {
        const bool cachee = position == QLatin1String("?") && lettres.value(dits.size()) != position;
        dits << (cachee ? QStringLiteral("caché") : nomDe(position));
    }
    return dits.join(QStringLiteral(", ")) + QLatin1Char('.');
}
}

QString parleTouche(const Touche &touche, bool essayee)
{
    const QString nom = QString::fromUtf8(nomDit(touche));
    return essayee ? nom + QStringLiteral(", déjà essayée") : nom;
}

QString parleImageAbsente(const Image &image)
{
    return QStringLiteral("Image « %1 » absente : %2").arg(image.fichier, image.description);
}

QString aDire(const QString &texte)
{
    return QString(texte).replace(finDeLigne, QStringLiteral(" "));
}

QString parleDepart(const QString &titre, const QString &consignes)
{
    return QStringLiteral("%1. %2 Tape une lettre.").arg(titre, aDire(consignes));
}

QString parleEssai(char16_t caractere, const Bilan &bilan, const QString &masque, const QString &mot)
{
    const QString touche = nomDe(QString(QChar(caractere)));
    QString dit = bilan.trouvees > 0
            ? QStringLiteral("%1 : dans le mot, %2 fois.").arg(touche).arg(bilan.trouvees)
            : QStringLiteral("%1 : pas dans le mot.").arg(touche);
    dit += QStringLiteral(" Le mot : ") + epelle(masque, mot) + QLatin1Char(' ');
    if (bilan.issue == Issue::EnCours)
        return dit + aDire(bilan.message);
    dit += aDire(bilan.messageFin);
    if (bilan.issue == Issue::Perdue)
        dit += QStringLiteral(" Le mot était : ") + epelle(mot, mot);
    return dit + QStringLiteral(" Pour continuer, le bouton Suite est juste après : touche Tab.");
}
