// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
// OpenAL Soft on a machine short of memory, for the game to find first as
// libopenal.so.1: every buffer refused with AL_OUT_OF_MEMORY, as OpenAL Soft
// refuses one it cannot hold. The rest is the real library's, which it needs
// under another name.
#define AL_NO_PROTOTYPES
#include <AL/al.h>

#include <dlfcn.h>

#include <utility>

namespace {
ALenum refus = AL_NO_ERROR;
}

extern "C" void alBufferData(ALuint, ALenum, const ALvoid *, ALsizei, ALsizei)
{
    refus = AL_OUT_OF_MEMORY;
}

// A refusal is told once, as OpenAL Soft tells an error.
extern "C" ALenum alGetError()
{
    static const auto vraie = reinterpret_cast<ALenum (*)()>(dlsym(RTLD_NEXT, "alGetError"));
    const ALenum erreur = vraie();
    return refus != AL_NO_ERROR ? std::exchange(refus, AL_NO_ERROR) : erreur;
}
