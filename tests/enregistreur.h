// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "etatlecteur.h"
#include "hasard.h"
#include "images.h"
#include "son.h"

#include <QImage>
#include <QStringList>

// Stands in for pictures, sound, chance and the screen reader in tests (none
// listens until a test says so), and remembers every call in order:
// "image 0.bmp", "son Bravo.wav", "arret", "attenue 1".
struct Enregistreur : Images, Son, Hasard, EtatLecteur
{
    using EtatLecteur::setActif;
    QList<double> tirages;  // the draws to give, first to last; 0 once they run out
    QStringList journal;

    QImage charge(const QString &fichier) override
    {
        journal.append("image " + fichier);
        return QImage(4, 4, QImage::Format_RGB32);
    }
    void joue(const QString &fichier) override { journal.append("son " + fichier); }
    void arrete() override { journal.append("arret"); }
    void attenue(bool oui) override { journal.append("attenue " + QString::number(oui)); }
    double tire() override { return tirages.isEmpty() ? 0.0 : tirages.takeFirst(); }
};
