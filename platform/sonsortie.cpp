// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sonsortie.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {
struct Reste
{
    std::thread tache;
    std::function<bool()> fini;
};

// A sound server that still holds the thread when the program ends: the
// libraries' own destructors, OpenAL Soft's unloading libpulse among them,
// would run under it. The program ends there, its output written, with the
// status it had. A thread that has just finished is joined: it still
// releases its own, OpenAL Soft's per-thread state among them.
void quitteSiBloque(int statut, void *r)
{
    const std::unique_ptr<Reste> reste(static_cast<Reste *>(r));
    if (!reste->fini()) {
        std::fflush(nullptr);
        std::_Exit(statut);
    }
    reste->tache.join();
}
}

void joinsOuQuitteALaFin(std::thread tache, std::function<bool()> fini)
{
    on_exit(quitteSiBloque, new Reste{std::move(tache), std::move(fini)});
}
