// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Son
{
public:
    virtual ~Son() = default;
    // Starts the sound of that bare file name and repeats it until stopped;
    // whatever played before ends. Returns at once.
    virtual void joue(const QString &fichier) = 0;
    // Ends any sound; does nothing when none plays.
    virtual void arrete() = 0;
    // While set, every sound plays at a quarter of its level (−12 dB), the
    // one playing now included: a screen reader's speech stays above it.
    virtual void attenue(bool oui) = 0;
};
