// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// Whether a screen reader listens to the game and can hear it. What the game
// does for a screen reader alone waits for one: a magnifier or an on-screen
// keyboard turn the desktop's accessibility on as well, and their players'
// game must stay exactly as it is.
class EtatLecteur : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    bool actif() const { return m_actif; }

Q_SIGNALS:
    void actifChange(bool actif);

protected:
    void setActif(bool actif);

private:
    bool m_actif = false;
};
