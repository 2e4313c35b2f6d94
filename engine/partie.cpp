#include "partie.h"

#include "nombre.h"

#include <QTextBoundaryFinder>

namespace {
const QString inconnu = QStringLiteral("?");
const QString debutLigne = QStringLiteral(", \r\n");
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

std::optional<QString> imagePourJokers(qint16 jokers)
{
    if (jokers < 0 || jokers > 7)
        return std::nullopt;
    return QString::number(7 - jokers) + QStringLiteral(".bmp");
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
}

qint16 Partie::essai(char16_t caractere)
{
    const QString cherche(QChar{caractere});
    m_trouvees = 0;
    for (qsizetype i = 0; i < m_lettres.size(); ++i) {
        if (m_lettres.at(i) == cherche) {
            m_masque[i] = cherche;
            ++m_trouvees;
        }
    }
    if (m_trouvees == 0)
        --m_jokers;
    return m_trouvees;
}

Bilan Partie::bilan()
{
    Bilan bilan;
    bilan.image = imagePourJokers(m_jokers);
    if (bilan.image)
        m_suffixe = m_jokers > 1 ? QStringLiteral(" jokers !") : QStringLiteral(" joker !");
    bilan.message = m_nom + debutLigne + QStringLiteral(" il ne te reste plus que ")
            + enTexte(m_jokers) + m_suffixe;

    if (masque() == m_mot) {
        bilan.issue = Issue::Gagnee;
        bilan.messageFin = m_nom + debutLigne + QStringLiteral("tu as gagné, félicitations !");
    } else if (m_jokers == 0) {
        bilan.issue = Issue::Perdue;
        bilan.messageFin = m_nom + debutLigne
                + QStringLiteral("tu as utilisé tous tes jokers et tu as malheureusement perdu !");
    }
    return bilan;
}
