// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sonappareil.h"

#include <QByteArray>

#include <cstdarg>
#include <cstdlib>
#include <dlfcn.h>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

extern char **environ;

// libasound reports a machine without a sound card in eight lines on stderr
// when OpenAL Soft tries it. Its error handler for one thread keeps them off
// this one, and leaves the rest of the program alone. OpenAL Soft loads it by
// this name; so does the game.
void taisAlsa()
{
    using Rapport = void (*)(const char *, int, const char *, int, const char *, va_list);
    using Pose = Rapport (*)(Rapport);
    void *alsa = dlopen("libasound.so.2", RTLD_LAZY);
    if (const auto pose = alsa ? reinterpret_cast<Pose>(dlsym(alsa, "snd_lib_error_set_local")) : nullptr)
        pose([](const char *, int, const char *, int, const char *, va_list) {});
}

namespace {
// OpenAL Soft 1.19 reports every device it fails to open on stderr ("AL lib:
// (EE) ..."), six lines without a sound server, and reads its log level and
// its configuration from the environment only, once, as its first device
// opens. They are handed to it in an environment of that moment, each unless
// set: the whole environment is swapped for a copy that holds them, and back,
// so that no process the game starts inherits them (a test's copy of the
// game sets its own), and a getenv() on another thread reads the one or the
// other whole, where setenv() would be unsafe against it.
ALCdevice *premierAppareil(const FonctionsOpenAL &al)
{
    // OpenAL Soft mixes three periods of 1024 frames ahead of the sound
    // server: a stop was heard 55 ms late. Its ALC_REFRESH attribute does
    // not change that; its configuration, read from a file the environment
    // names, does: periods of 10 ms bring the stop to 30 ms. This file lives
    // in memory. OpenAL Soft tries JACK before PulseAudio (or PipeWire's),
    // and its first device took 13 to 92 ms without a JACK server, 7 to 23 ms
    // with PulseAudio tried first; the others follow it as before.
    const int fichier = memfd_create("alsoft.conf", MFD_CLOEXEC);
    const QByteArray reglages = "period_size = 441\nperiods = 3\ndrivers = pulse,\n";
    // Read by any thread until the program ends.
    static QByteArray niveau = "ALSOFT_LOGLEVEL=0";
    // OpenAL Soft 1.24 tries PipeWire. Where libpipewire lies without its
    // configuration (pipewire-bin), as beside a PulseAudio server or with no
    // server, it says so in two lines on stderr; its log off, its choice
    // stays as it is.
    static QByteArray pipewire = "PIPEWIRE_DEBUG=0";
    static QByteArray conf = "ALSOFT_CONF=/proc/self/fd/" + QByteArray::number(fichier);
    static std::vector<char *> avec;
    char **sans = environ;
    for (char **v = sans; *v; ++v)
        avec.push_back(*v);
    if (!getenv("ALSOFT_LOGLEVEL"))
        avec.push_back(niveau.data());
    if (!getenv("PIPEWIRE_DEBUG"))
        avec.push_back(pipewire.data());
    if (!getenv("ALSOFT_CONF") && fichier >= 0 && write(fichier, reglages.constData(), reglages.size()) == reglages.size())
        avec.push_back(conf.data());
    avec.push_back(nullptr);
    environ = avec.data();
    ALCdevice *appareil = al.alcOpenDevice(nullptr);
    environ = sans;
    if (fichier >= 0)
        close(fichier);
    return appareil;
}
}

ALCdevice *ouvreAppareil(const FonctionsOpenAL &al)
{
    static std::once_flag premier;
    bool ouvert = false;
    ALCdevice *appareil = nullptr;
    std::call_once(premier, [&] {
        appareil = premierAppareil(al);
        ouvert = true;
    });
    return ouvert ? appareil : al.alcOpenDevice(nullptr);
}
