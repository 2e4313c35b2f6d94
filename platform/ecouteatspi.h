// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ecoute.h"

class QDBusVariant;

// The desktop's word, on the accessibility bus: org.a11y.Status's
// ScreenReaderEnabled, which the desktop's screen-reader switch sets while
// Orca runs, followed as it changes and as the bus comes and goes. Never
// starts the bus itself.
class EcouteAtSpi : public Ecoute
{
    Q_OBJECT
public:
    explicit EcouteAtSpi(QObject *parent = nullptr);

private Q_SLOTS:
    void demande();
    void lu(const QDBusVariant &valeur);
    void change(const QString &interface, const QVariantMap &valeurs);
};
