// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "services.h"

#include <QObject>
#include <QPointer>

class Pendu;
class Rejouer;

// The life of the program: one main window at a time, and the replay window
// between two of them.
class Jeu : public QObject
{
    Q_OBJECT
public:
    explicit Jeu(const Services &services, QObject *parent = nullptr);
    ~Jeu() override;

    // A new main window, shown, its name box holding `nom`.
    void ouvrePendu(const QString &nom = {});

private:
    void suite();
    void oui();

    Services m_services;
    QPointer<Pendu> m_pendu;
    // Made at the first "Suite", hidden between games, gone after "NON".
    QPointer<Rejouer> m_rejouer;
};
