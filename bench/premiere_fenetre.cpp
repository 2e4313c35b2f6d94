// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a program and waits for the X server to map its window of a given
// title; prints the milliseconds from exec to that map, the processor time
// the program had used by then (all its threads, in milliseconds: what other
// work on a busy machine does not blur), and its resident memory in kB once
// its first screen is drawn; then stops it.
// usage: premiere_fenetre <title> <settle ms> <program> [arguments...]
// Talks to the X server itself rather than polling with xdotool, whose
// round trips would blur the figure by tens of milliseconds.
#include <xcb/xcb.h>

#include <cerrno>
#include <dirent.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
double maintenantMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

[[noreturn]] void echoue(const char *message)
{
    std::fprintf(stderr, "premiere_fenetre: %s\n", message);
    std::exit(2);
}

xcb_atom_t atome(xcb_connection_t *x, const char *nom)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> r(
            xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, std::strlen(nom), nom), nullptr),
            &std::free);
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::string propriete(xcb_connection_t *x, xcb_window_t w, xcb_atom_t nom, xcb_atom_t type)
{
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> r(
            xcb_get_property_reply(x, xcb_get_property(x, 0, w, nom, type, 0, 1024), nullptr),
            &std::free);
    if (!r)
        return {};
    return std::string(static_cast<const char *>(xcb_get_property_value(r.get())),
                       xcb_get_property_value_length(r.get()));
}

// VmRSS of a process, in kB; -1 when it cannot be read.
long residentKo(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string ligne;
    while (std::getline(status, ligne)) {
        if (ligne.rfind("VmRSS:", 0) == 0)
            return std::strtol(ligne.c_str() + 6, nullptr, 10);
    }
    return -1;
}

// Processor time of every thread of a process, from the scheduler's own
// count in nanoseconds; -1 when it cannot be read.
double processeurMs(pid_t pid)
{
    const std::string dossier = "/proc/" + std::to_string(pid) + "/task";
    DIR *taches = opendir(dossier.c_str());
    if (!taches)
        return -1;
    double ns = 0;
    while (const dirent *tache = readdir(taches)) {
        if (tache->d_name[0] == '.')
            continue;
        std::ifstream schedstat(dossier + "/" + tache->d_name + "/schedstat");
        double n = 0;
        if (schedstat >> n)
            ns += n;
    }
    closedir(taches);
    return ns / 1e6;
}

// Asks the program to end, and ends it when it does not within 3 s.
void arrete(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 300; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}
}

int main(int argc, char *argv[])
{
    if (argc < 4)
        echoue("usage: premiere_fenetre <title> <settle ms> <program> [arguments...]");
    const std::string titre = argv[1];
    const int attente = std::atoi(argv[2]);

    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x))
        echoue("no X server on $DISPLAY");
    const xcb_window_t racine = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const xcb_atom_t nomNet = atome(x, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atome(x, "UTF8_STRING");
    // Without a window manager, a program's windows are the root's children,
    // and their maps are told to whoever listens on the root.
    const uint32_t masque = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, racine, XCB_CW_EVENT_MASK, &masque);
    xcb_flush(x);
    // Asks for the property and waits for it, so that the selection above is
    // in force before the program starts.
    propriete(x, racine, nomNet, utf8);

    const double debut = maintenantMs();
    const pid_t pid = fork();
    if (pid < 0)
        echoue("fork failed");
    if (pid == 0) {
        // Gone with the watcher, whatever stops it.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        execvp(argv[3], argv + 3);
        std::fprintf(stderr, "premiere_fenetre: cannot start %s: %s\n", argv[3], std::strerror(errno));
        _exit(127);
    }

    double carte = -1;
    double processeur = -1;
    pollfd attendu{xcb_get_file_descriptor(x), POLLIN, 0};
    while (carte < 0) {
        while (xcb_generic_event_t *e = xcb_poll_for_event(x)) {
            if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY && carte < 0) {
                const auto *m = reinterpret_cast<xcb_map_notify_event_t *>(e);
                const double quand = maintenantMs();
                if (propriete(x, m->window, nomNet, utf8) == titre
                    || propriete(x, m->window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING) == titre)
                {
                    carte = quand;
                    processeur = processeurMs(pid);
                }
            }
            std::free(e);
        }
        if (carte >= 0)
            break;
        if (xcb_connection_has_error(x))
            echoue("the X server went away");
        int etat = 0;
        if (waitpid(pid, &etat, WNOHANG) == pid)
            echoue("the program ended before its window showed");
        if (maintenantMs() - debut > 30000) {
            arrete(pid);
            echoue("no window of that title within 30 s");
        }
        poll(&attendu, 1, 100);
    }

    // Time for the first paint, which is part of what a first screen holds.
    usleep(useconds_t(attente) * 1000);
    const long ko = residentKo(pid);
    arrete(pid);
    xcb_disconnect(x);
    if (ko < 0 || processeur < 0)
        echoue("cannot read the program's resident memory or processor time");
    std::printf("%.2f %ld %.2f\n", carte - debut, ko, processeur);
    return 0;
}
