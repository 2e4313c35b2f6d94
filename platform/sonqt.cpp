#include "sonqt.h"

#include "fichiers.h"

#include <QSoundEffect>

SonQt::SonQt(QObject *parent)
    : QObject(parent)
{
}

SonQt::~SonQt() = default;

QUrl SonQt::carillon()
{
    return QUrl(QStringLiteral("qrc:/assets/carillon.wav"));
}

void SonQt::joue(const QString &fichier)
{
    const QString chemin = trouveFichier(fichier);
    lance(chemin.isEmpty() ? carillon() : QUrl::fromLocalFile(chemin));
}

void SonQt::arrete()
{
    m_actif = false;
    if (m_effet)
        m_effet->stop();
}

QUrl SonQt::source() const
{
    return m_effet ? m_effet->source() : QUrl();
}

bool SonQt::joueEnBoucle() const
{
    return m_actif && m_effet && m_effet->loopCount() == QSoundEffect::Infinite;
}

void SonQt::lance(const QUrl &source)
{
    if (!m_effet) {
        m_effet = std::make_unique<QSoundEffect>();
        m_effet->setLoopCount(QSoundEffect::Infinite);
        connect(m_effet.get(), &QSoundEffect::statusChanged, this, &SonQt::surStatut);
    }
    m_effet->stop();
    m_actif = true;
    if (m_effet->source() == source) {
        // Same file again: no new load, so no status change to wait for.
        if (m_effet->status() == QSoundEffect::Error && source != carillon())
            lance(carillon());
        else
            m_effet->play();
        return;
    }
    m_effet->setSource(source);
    m_effet->play();
}

void SonQt::surStatut()
{
    // A file that turns out not to be a sound fails a few milliseconds after
    // play(), silently; the chime takes its place unless the player has moved on.
    if (m_effet->status() == QSoundEffect::Error && m_actif && m_effet->source() != carillon())
        lance(carillon());
}
