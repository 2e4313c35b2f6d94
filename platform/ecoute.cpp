#include "ecoute.h"

void Ecoute::setLecteur(bool lecteur)
{
    if (lecteur == m_lecteur)
        return;
    m_lecteur = lecteur;
    Q_EMIT lecteurChange(lecteur);
}

#include "moc_ecoute.cpp"
