#pragma once

#include "hasard.h"
#include "images.h"
#include "son.h"

#include <QImage>
#include <QSet>
#include <QStringList>

// Stands in for pictures, sound and chance in tests, and remembers every call
// in order: "image 0.bmp", "son Bravo.wav", "arret", "hasard".
struct Enregistreur : Images, Son, Hasard
{
    QSet<QString> absentes; // pictures that cannot be had
    QList<double> tirages;  // the draws to give, first to last; 0 once they run out
    QStringList journal;

    // A small picture whose text "fichier" names the file it stands for.
    QImage charge(const QString &fichier) override
    {
        journal.append("image " + fichier);
        QImage image(4, 4, QImage::Format_RGB32);
        image.setText("fichier", fichier);
        return absentes.contains(fichier) ? QImage() : image;
    }
    void joue(const QString &fichier) override { journal.append("son " + fichier); }
    void arrete() override { journal.append("arret"); }
    double tire() override
    {
        journal.append("hasard");
        return tirages.isEmpty() ? 0.0 : tirages.takeFirst();
    }
};
