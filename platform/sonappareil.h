// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sonbibliotheques.h"

// Keeps libasound's reports of a machine without a sound card off stderr,
// for the calling thread alone.
void taisAlsa();

// The default device; null when none opens. The first opened in the
// program is handed OpenAL Soft's settings (see sonappareil.cpp).
ALCdevice *ouvreAppareil(const FonctionsOpenAL &al);
