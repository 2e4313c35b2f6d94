// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "annonce.h"

#include "etatlecteur.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

Voix faitVoix(QWidget *fenetre)
{
    Voix voix{};
    for (std::size_t i = 0; i < voix.size(); ++i) {
        voix[i] = new QLabel(fenetre);
        voix[i]->setObjectName(QStringLiteral("voix%1").arg(i + 1));
        voix[i]->setGeometry(0, 0, 1, 1);
        voix[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        voix[i]->show();
    }
    return voix;
}

void faitDire(const Voix &voix, const QString &texte)
{
    // A focus that stays where it is says nothing: hence two, turn about.
    QLabel *parle = voix[0]->hasFocus() ? voix[1] : voix[0];
    parle->setAccessibleName(texte);
    parle->setFocus(Qt::OtherFocusReason);
}

void premierFocus(QWidget *controle, const EtatLecteur &lecteur)
{
    if (lecteur.actif()) {
        controle->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The desktop's answer comes once the window is up. A focus moved from
    // one control to another is the player's: it stays. A window that loses
    // its activation and gets it back, as when the player turns the screen
    // reader on in the desktop's settings, has moved nobody's focus.
    auto *attente = new QObject(controle);
    QObject::connect(&lecteur, &EtatLecteur::actifChange, attente, [=](bool actif) {
        if (actif)
            controle->setFocus(Qt::OtherFocusReason);
    });
    QObject::connect(qApp, &QApplication::focusChanged, attente, [=, &lecteur](QWidget *avant, QWidget *apres) {
        if (!avant || !apres)
            return;
        // At once: an answer handled before the deletion would still move it.
        QObject::disconnect(&lecteur, nullptr, attente, nullptr);
        attente->deleteLater();
    });
}
