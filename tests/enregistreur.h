#pragma once

#include "hasard.h"
#include "images.h"
#include "son.h"

#include <QList>
#include <QSet>
#include <QStringList>

// Stands in for pictures, sound and chance in tests, and remembers every call
// in order: "image 0.bmp", "son Bravo.wav", "arret", "hasard".
class Enregistreur : public Images, public Son, public Hasard
{
public:
    // A small picture whose text "fichier" names the file, or none for the
    // files listed in `absentes`.
    QImage charge(const QString &fichier) override;
    void joue(const QString &fichier) override { journal.append("son " + fichier); }
    void arrete() override { journal.append(QStringLiteral("arret")); }
    // The draws listed in `tirages`, first to last; 0 once they run out.
    double tire() override;

    QSet<QString> absentes;
    QList<double> tirages;
    QStringList journal;
};
