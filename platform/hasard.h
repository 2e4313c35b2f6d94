// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cmath>

// A source of chance: each draw is a real number r with 0 <= r < 1.
class Hasard
{
public:
    virtual ~Hasard() = default;
    virtual double tire() = 0;
};

// A position 1..n from a draw, Int(r x n + 1). Clamped, so that rounding can
// never name a position beyond the list.
inline int positionTiree(double r, int n)
{
    return std::clamp(int(std::floor(r * n + 1)), 1, n);
}

inline int tirePosition(Hasard &hasard, int n)
{
    return positionTiree(hasard.tire(), n);
}

// Seeded from the clock just before every draw.
class HasardHorloge : public Hasard
{
public:
    double tire() override;
};
