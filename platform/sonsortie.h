// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <thread>

// For a thread that a hung sound server still holds as the object that owns
// it goes: when the program ends, that thread is joined if it has finished
// by then; otherwise the program ends at once.
void joinsOuQuitteALaFin(std::thread tache, std::function<bool()> fini);
