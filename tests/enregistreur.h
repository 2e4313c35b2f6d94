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
    QImage charge(const QString &fichier) override;
    void joue(const QString &fichier) override;
    void arrete() override;
    double tire() override;

    // Pictures that cannot be had; the others load as a small image whose
    // text says which file it came from.
    QSet<QString> absentes;
    // Draws to give back, first to last; 0 once they run out.
    QList<double> tirages;

    QStringList journal;
    QString sonEnCours; // empty when silent

    // The file a picture from `charge` was made for.
    static QString origine(const QImage &image);
};
