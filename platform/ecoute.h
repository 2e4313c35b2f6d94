// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// Whether a screen reader listens to the game. What the game does for a
// screen reader alone waits for one: a magnifier or an on-screen keyboard
// turn the desktop's accessibility on as well, and their players' game must
// stay exactly as it is.
class Ecoute : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    bool lecteur() const { return m_lecteur; }

Q_SIGNALS:
    void lecteurChange(bool lecteur);

protected:
    void setLecteur(bool lecteur);

private:
    bool m_lecteur = false;
};
