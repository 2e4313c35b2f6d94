#include "sonqt.h"

#include "fichiers.h"
#include "lecteur.h"

#include <QCoreApplication>
#include <QDir>

SonQt::SonQt(const QString &module)
    : m_module(module)
{
}

// The player is made by the module and must go before it.
SonQt::~SonQt() = default;

QString SonQt::cheminModule()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/" GIBETTO_MODULE_SON));
}

void SonQt::joue(const QString &fichier)
{
    if (Lecteur *l = lecteur())
        l->joue(trouveFichier(fichier));
}

void SonQt::arrete()
{
    if (m_lecteur)
        m_lecteur->arrete();
}

Lecteur *SonQt::lecteur()
{
    if (!m_essaye) {
        m_essaye = true;
        const auto fabrique = reinterpret_cast<FabriqueLecteur>(m_module.resolve(nomFabriqueLecteur));
        if (fabrique)
            m_lecteur.reset(fabrique());
        else
            qWarning("Gibetto : le module de son « %s » ne se charge pas ; le jeu continue sans son.",
                     qPrintable(m_module.fileName()));
    }
    return m_lecteur.get();
}
