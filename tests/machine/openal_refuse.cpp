// OpenAL Soft on a machine short of memory, for the game to find first as
// libopenal.so.1: every buffer refused with AL_OUT_OF_MEMORY, as OpenAL Soft
// refuses one it cannot hold; every other call the real library's, as CMake
// found it.
#define AL_NO_PROTOTYPES
#define ALC_NO_PROTOTYPES
#include <AL/al.h>
#include <AL/alc.h>

#include <dlfcn.h>

#include <utility>

namespace {
ALenum refus = AL_NO_ERROR;

// The real library's function of that name, of the type of this one's.
template<typename F>
F vraie(F, const char *nom)
{
    static void *const openal = dlopen(GIBETTO_OPENAL, RTLD_NOW | RTLD_LOCAL);
    return reinterpret_cast<F>(dlsym(openal, nom));
}
}

#define GIBETTO_RELAIE(rendu, nom, parametres, arguments) \
    extern "C" rendu nom parametres { return vraie(&nom, #nom) arguments; }

GIBETTO_RELAIE(ALCdevice *, alcOpenDevice, (const ALCchar *a), (a))
GIBETTO_RELAIE(ALCboolean, alcCloseDevice, (ALCdevice *a), (a))
GIBETTO_RELAIE(ALCcontext *, alcCreateContext, (ALCdevice *a, const ALCint *b), (a, b))
GIBETTO_RELAIE(void, alcDestroyContext, (ALCcontext *a), (a))
GIBETTO_RELAIE(ALCboolean, alcSetThreadContext, (ALCcontext *a), (a))
GIBETTO_RELAIE(void, alcGetIntegerv, (ALCdevice *a, ALCenum b, ALCsizei c, ALCint *d), (a, b, c, d))
GIBETTO_RELAIE(void, alcDevicePauseSOFT, (ALCdevice *a), (a))
GIBETTO_RELAIE(void, alcDeviceResumeSOFT, (ALCdevice *a), (a))
GIBETTO_RELAIE(void, alGenSources, (ALsizei a, ALuint *b), (a, b))
GIBETTO_RELAIE(void, alDeleteSources, (ALsizei a, const ALuint *b), (a, b))
GIBETTO_RELAIE(void, alGenBuffers, (ALsizei a, ALuint *b), (a, b))
GIBETTO_RELAIE(void, alDeleteBuffers, (ALsizei a, const ALuint *b), (a, b))
GIBETTO_RELAIE(void, alSourcei, (ALuint a, ALenum b, ALint c), (a, b, c))
GIBETTO_RELAIE(void, alSourcef, (ALuint a, ALenum b, ALfloat c), (a, b, c))
GIBETTO_RELAIE(void, alSourcePlay, (ALuint a), (a))
GIBETTO_RELAIE(void, alSourceStop, (ALuint a), (a))

extern "C" void alBufferData(ALuint, ALenum, const ALvoid *, ALsizei, ALsizei)
{
    refus = AL_OUT_OF_MEMORY;
}

// A refusal is told once, as OpenAL Soft tells an error.
extern "C" ALenum alGetError()
{
    const ALenum erreur = vraie(&alGetError, "alGetError")();
    return refus != AL_NO_ERROR ? std::exchange(refus, AL_NO_ERROR) : erreur;
}
