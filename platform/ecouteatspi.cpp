// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ecouteatspi.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace {
const QString service = QStringLiteral("org.a11y.Bus");
const QString chemin = QStringLiteral("/org/a11y/bus");
const QString proprietes = QStringLiteral("org.freedesktop.DBus.Properties");
const QString statut = QStringLiteral("org.a11y.Status");
const QString lecteurActif = QStringLiteral("ScreenReaderEnabled");
}

EcouteAtSpi::EcouteAtSpi(QObject *parent)
    : Ecoute(parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    auto *veille = new QDBusServiceWatcher(service, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(veille, &QDBusServiceWatcher::serviceRegistered, this, &EcouteAtSpi::demande);
    connect(veille, &QDBusServiceWatcher::serviceUnregistered, this, [this] { setLecteur(false); });
    bus.connect(service, chemin, proprietes, QStringLiteral("PropertiesChanged"), this,
                SLOT(change(QString,QVariantMap)));
    demande();
}

void EcouteAtSpi::demande()
{
    QDBusMessage question = QDBusMessage::createMethodCall(service, chemin, proprietes, QStringLiteral("Get"));
    question << statut << lecteurActif;
    // Asked without waiting, so that the window opens meanwhile; and without
    // starting the bus on a desktop that runs none.
    question.setAutoStartService(false);
    QDBusConnection::sessionBus().callWithCallback(question, this, SLOT(lu(QDBusVariant)));
}

void EcouteAtSpi::lu(const QDBusVariant &valeur)
{
    setLecteur(valeur.variant().toBool());
}

void EcouteAtSpi::change(const QString &interface, const QVariantMap &valeurs)
{
    if (interface == statut && valeurs.contains(lecteurActif))
        setLecteur(valeurs.value(lecteurActif).toBool());
}

#include "moc_ecouteatspi.cpp"
