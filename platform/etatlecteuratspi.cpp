// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "etatlecteuratspi.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QTimer>

namespace {
const QString service = QStringLiteral("org.a11y.Bus");
const QString chemin = QStringLiteral("/org/a11y/bus");
const QString proprietes = QStringLiteral("org.freedesktop.DBus.Properties");
const QString statut = QStringLiteral("org.a11y.Status");
const QString lecteurActif = QStringLiteral("ScreenReaderEnabled");
}

EtatLecteurAtSpi::EtatLecteurAtSpi(QObject *parent)
    : EtatLecteur(parent)
{
    QAccessible::installActivationObserver(this);
    QTimer::singleShot(0, this, &EtatLecteurAtSpi::rejoint);
}

EtatLecteurAtSpi::~EtatLecteurAtSpi()
{
    QAccessible::removeActivationObserver(this);
}

void EtatLecteurAtSpi::rejoint()
{
    // Asked here rather than in the constructor: asked before the window,
    // it brought Qt's bridge up there, its own calls on the bus waited for
    // (1.7 to 14.7 ms in ten starts).
    m_pont = QAccessible::isActive();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    auto *veille = new QDBusServiceWatcher(service, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(veille, &QDBusServiceWatcher::serviceRegistered, this, &EtatLecteurAtSpi::demande);
    connect(veille, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        m_bureau = false;
        decide();
    });
    // From any sender: a service named here had Qt ask the bus for its owner
    // and wait for the answer. Nothing but the accessibility bus's launcher
    // serves that path.
    bus.connect(QString(), chemin, proprietes, QStringLiteral("PropertiesChanged"), this,
                SLOT(change(QString,QVariantMap)));
    demande();
}

void EtatLecteurAtSpi::demande()
{
    QDBusMessage question = QDBusMessage::createMethodCall(service, chemin, proprietes, QStringLiteral("Get"));
    question << statut << lecteurActif;
    // Asked without waiting, and without starting the bus on a desktop that
    // runs none.
    question.setAutoStartService(false);
    QDBusConnection::sessionBus().callWithCallback(question, this, SLOT(lu(QDBusVariant)));
}

void EtatLecteurAtSpi::lu(const QDBusVariant &valeur)
{
    m_bureau = valeur.variant().toBool();
    decide();
}

void EtatLecteurAtSpi::change(const QString &interface, const QVariantMap &valeurs)
{
    if (interface != statut || !valeurs.contains(lecteurActif))
        return;
    m_bureau = valeurs.value(lecteurActif).toBool();
    decide();
}

void EtatLecteurAtSpi::accessibilityActiveChanged(bool actif)
{
    m_pont = actif;
    decide();
}

void EtatLecteurAtSpi::decide()
{
    // A reader that Qt's bridge does not reach cannot hear the game: Qt 6.4
    // under Wayland looks for it only at the start. Forcing the bridge on
    // (QT_LINUX_ACCESSIBILITY_ALWAYS_ON) would cost every player, on a
    // click on the longest own word 2,413 against 2,127 µs, and 60.5 against
    // 58.9 ms of processor time to the window (bench/accessibilite.sh).
    setActif(m_bureau && m_pont);
}

#include "moc_etatlecteuratspi.cpp"
