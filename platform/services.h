// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Images;
class Son;
class Hasard;
class EtatLecteur;

// The machine's services, shared by every window of the game.
struct Services
{
    Images &images;
    Son &son;
    Hasard &hasard;
    const EtatLecteur &lecteur;
};
