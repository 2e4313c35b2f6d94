// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sonbibliotheques.h"

#include <dlfcn.h>

namespace {
// OpenAL Soft and libsndfile, with the eleven libraries they bring (ALSA,
// sndio, FLAC, Ogg, Vorbis, Opus, MP3...), are loaded by the sound thread at
// the first sound rather than by the program's loader: linked, they cost the
// start-up 2 to 3 ms of processor time, and with the thread started at once
// 1.5 MB resident (33.4 against 31.9 MB). Their names are those the packages
// link against.
#define GIBETTO_CHERCHE(bibliotheque, fonctions, fonction) \
    (fonctions.fonction = reinterpret_cast<decltype(fonctions.fonction)>(dlsym(bibliotheque, #fonction)))

bool chargeLesDeux(BibliothequesSon &b)
{
    void *openal = dlopen("libopenal.so.1", RTLD_LAZY);
    void *sndfile = dlopen("libsndfile.so.1", RTLD_LAZY);
    FonctionsOpenAL &al = b.al;
    FonctionsSndfile &sf = b.sf;
    return openal && sndfile && GIBETTO_CHERCHE(openal, al, alcOpenDevice) && GIBETTO_CHERCHE(openal, al, alcCloseDevice)
            && GIBETTO_CHERCHE(openal, al, alcCreateContext) && GIBETTO_CHERCHE(openal, al, alcDestroyContext)
            && GIBETTO_CHERCHE(openal, al, alcSetThreadContext) && GIBETTO_CHERCHE(openal, al, alcGetIntegerv)
            && GIBETTO_CHERCHE(openal, al, alcDevicePauseSOFT) && GIBETTO_CHERCHE(openal, al, alcDeviceResumeSOFT)
            && GIBETTO_CHERCHE(openal, al, alGetError) && GIBETTO_CHERCHE(openal, al, alGenSources)
            && GIBETTO_CHERCHE(openal, al, alDeleteSources) && GIBETTO_CHERCHE(openal, al, alGenBuffers)
            && GIBETTO_CHERCHE(openal, al, alDeleteBuffers) && GIBETTO_CHERCHE(openal, al, alBufferData)
            && GIBETTO_CHERCHE(openal, al, alSourcei) && GIBETTO_CHERCHE(openal, al, alSourcef)
            && GIBETTO_CHERCHE(openal, al, alSourcePlay) && GIBETTO_CHERCHE(openal, al, alSourceStop)
            && GIBETTO_CHERCHE(sndfile, sf, sf_open_virtual) && GIBETTO_CHERCHE(sndfile, sf, sf_readf_float)
            && GIBETTO_CHERCHE(sndfile, sf, sf_close);
}
#undef GIBETTO_CHERCHE
}

// Once for the program, whatever sound objects come and go.
const BibliothequesSon *chargeBibliothequesSon()
{
    static BibliothequesSon b{};
    static const bool chargees = chargeLesDeux(b);
    return chargees ? &b : nullptr;
}
