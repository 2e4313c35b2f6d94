// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "son.h"

#include <memory>
#include <thread>

// Plays through OpenAL Soft, files decoded by libsndfile. Everything that
// talks to the sound system runs on a thread of its own: a sound server that
// hangs or answers slowly never holds up a click, nor the end of the program.
class SonOpenAL : public Son
{
public:
    SonOpenAL();
    ~SonOpenAL() override;

    void joue(const QString &fichier) override;
    void arrete() override;
    void attenue(bool oui) override;

    struct Fil;

private:
    // Shared with the thread, which outlives the object when the sound
    // system does not answer.
    std::shared_ptr<Fil> m_fil;
    std::thread m_tache;
};
