// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>
#include <QString>

#include <sndfile.h>

#include <optional>
#include <vector>

// The three calls of libsndfile the decoding makes: the game loads it at the
// first sound (see sonbibliotheques.h), a test or a fuzzer links it.
struct FonctionsSndfile
{
    decltype(&::sf_open_virtual) sf_open_virtual;
    decltype(&::sf_readf_float) sf_readf_float;
    decltype(&::sf_close) sf_close;
};

// A sound in 16 bits, one or two channels interleaved, at its own rate.
struct Echantillons
{
    std::vector<short> pcm;
    int canaux = 0;
    int taux = 0;
};

// Any file libsndfile reads, whatever its name says; more than two channels
// are mixed down to one. Nothing when the file holds no sound. A file cut
// while it is read gives the sound read until then.
std::optional<Echantillons> decode(QIODevice &fichier, const FonctionsSndfile &sf);
std::optional<Echantillons> decodeFichier(const QString &chemin, const FonctionsSndfile &sf);
