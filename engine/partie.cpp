// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "partie.h"

#include "clavier.h"
#include "texte.h"

#include <QTextBoundaryFinder>

namespace {
const QString inconnu = QStringLiteral("?");
const QString debutLigne = QStringLiteral(", ") + finDeLigne;

Image etape(int numero)
{
    return {QString::number(numero) + QStringLiteral(".bmp"),
            QStringLiteral("Le pendu, étape %1 sur 7").arg(numero)};
}

const Image victoire = {QStringLiteral("victoire.bmp"), QStringLiteral("Le bonhomme est sauvé !")};
}

QStringList caracteres(const QString &texte)
{
    QStringList morceaux;
    QTextBoundaryFinder limites(QTextBoundaryFinder::Grapheme, texte);
    qsizetype debut = 0;
    while (limites.toNextBoundary() != -1) {
        const qsizetype fin = limites.position();
        morceaux.append(texte.mid(debut, fin - debut));
        debut = fin;
    }
    return morceaux;
}

void Partie::commence(const QString &mot)
{
    m_lettres = caracteres(mot);
    if (m_lettres.size() > longueurMax)
        m_lettres.resize(longueurMax);
    m_mot = m_lettres.join(QString());
    m_longueur = qint16(m_lettres.size());
    m_masque = QStringList(m_longueur, inconnu);
    m_jokers = 7;
    m_enJeu = true;
    m_essayees.clear();
}

std::optional<Bilan> Partie::essai(char16_t caractere)
{
    if (!m_enJeu || !toucheDe(caractere) || m_essayees.contains(caractere))
        return std::nullopt;
    m_essayees.insert(caractere);
    const QString cherche(QChar{caractere});
    qint16 trouvees = 0;
    for (qsizetype i = 0; i < m_lettres.size(); ++i) {
        if (m_lettres.at(i) == cherche) {
            m_masque[i] = cherche;
            ++trouvees;
        }
    }
    if (trouvees == 0)
        --m_jokers;
    return bilan(trouvees);
}

Bilan Partie::bilan(qint16 trouvees)
{
    Bilan bilan;
    bilan.trouvees = trouvees;
    bilan.aff = masque();
    bilan.jokers = enTexte(m_jokers);
    if (m_jokers >= 0 && m_jokers <= 7) {
        bilan.images.append(etape(7 - m_jokers));
        m_suffixe = m_jokers > 1 ? QStringLiteral(" jokers !") : QStringLiteral(" joker !");
    }
    bilan.message = m_nom + debutLigne + QStringLiteral(" il ne te reste plus que ")
            + bilan.jokers + m_suffixe;

    if (bilan.aff == m_mot) {
        bilan.issue = Issue::Gagnee;
        bilan.images.append(victoire);
        bilan.messageFin = m_nom + debutLigne + QStringLiteral("tu as gagné, félicitations !");
        bilan.son = QStringLiteral("Bravo.wav");
    } else if (m_jokers == 0) {
        bilan.issue = Issue::Perdue;
        bilan.messageFin = m_nom + debutLigne
                + QStringLiteral("tu as utilisé tous tes jokers et tu as malheureusement perdu !");
        bilan.son = QStringLiteral("Echec.wav");
        // A lost game always ends on the word it was about, whatever the last key.
        bilan.aff = m_mot;
    }
    m_enJeu = bilan.issue == Issue::EnCours;
    if (!m_enJeu)
        bilan.invite = QStringLiteral("Jeu terminé !");
    return bilan;
}
