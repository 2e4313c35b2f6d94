#pragma once

#include "son.h"

#include <QLibrary>

#include <memory>

class Lecteur;

// Plays through the sound module, loaded at the first sound. Without it the
// game goes on in silence.
class SonQt : public Son
{
public:
    // The module lies at that path; by default where it is installed,
    // relative to the program.
    explicit SonQt(const QString &module = cheminModule());
    ~SonQt() override;

    void joue(const QString &fichier) override;
    void arrete() override;

    static QString cheminModule();

private:
    Lecteur *lecteur();

    QLibrary m_module;
    bool m_essaye = false;
    std::unique_ptr<Lecteur> m_lecteur;
};
