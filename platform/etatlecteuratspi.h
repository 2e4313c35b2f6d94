// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "etatlecteur.h"

#include <QAccessible>

class QDBusVariant;

// The desktop's word, on the accessibility bus: org.a11y.Status's
// ScreenReaderEnabled, which the desktop's screen-reader switch sets while
// Orca runs, followed as it changes and as the bus comes and goes; taken only
// while Qt's accessibility bridge is on. Qt 6.4's bridge looks at the desktop
// once, at the start: under Wayland a screen reader started after the game
// never hears it, and the game then does nothing for it. Never starts the bus
// itself, and joins the session bus only once the event loop runs: the first
// window maps without waiting for the bus.
class EtatLecteurAtSpi : public EtatLecteur, private QAccessible::ActivationObserver
{
    Q_OBJECT
public:
    explicit EtatLecteurAtSpi(QObject *parent = nullptr);
    ~EtatLecteurAtSpi() override;

private:
    void rejoint();
    void demande();
    void accessibilityActiveChanged(bool actif) override;
    void decide();

    bool m_bureau = false; // the desktop's word
    bool m_pont = false; // Qt's bridge on

private Q_SLOTS:
    void lu(const QDBusVariant &valeur);
    void change(const QString &interface, const QVariantMap &valeurs);
};
