// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sondecodage.h"

#define AL_ALEXT_PROTOTYPES
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

// The calls of OpenAL Soft the sound thread makes.
struct FonctionsOpenAL
{
    decltype(&::alcOpenDevice) alcOpenDevice;
    decltype(&::alcCloseDevice) alcCloseDevice;
    decltype(&::alcCreateContext) alcCreateContext;
    decltype(&::alcDestroyContext) alcDestroyContext;
    decltype(&::alcSetThreadContext) alcSetThreadContext;
    decltype(&::alcGetIntegerv) alcGetIntegerv;
    decltype(&::alcDevicePauseSOFT) alcDevicePauseSOFT;
    decltype(&::alcDeviceResumeSOFT) alcDeviceResumeSOFT;
    decltype(&::alGetError) alGetError;
    decltype(&::alGenSources) alGenSources;
    decltype(&::alDeleteSources) alDeleteSources;
    decltype(&::alGenBuffers) alGenBuffers;
    decltype(&::alDeleteBuffers) alDeleteBuffers;
    decltype(&::alBufferData) alBufferData;
    decltype(&::alSourcei) alSourcei;
    decltype(&::alSourcef) alSourcef;
    decltype(&::alSourcePlay) alSourcePlay;
    decltype(&::alSourceStop) alSourceStop;
};

struct BibliothequesSon
{
    FonctionsOpenAL al;
    FonctionsSndfile sf;
};

// OpenAL Soft and libsndfile, loaded at the first call, once for the
// program; null when either is missing.
const BibliothequesSon *chargeBibliothequesSon();
