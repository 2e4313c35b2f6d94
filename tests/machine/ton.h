// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTemporaryFile>

#include <sndfile.h>

#include <cmath>
#include <vector>

// 0.2 s in that file format, the same in every channel: whole periods, so
// that each loop joins the next. Read at another rate, or with its channels
// taken for samples, it is heard at another pitch.
inline QByteArray ton(double frequence, int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16, int canaux = 1, int taux = 22050)
{
    QTemporaryFile f;
    SF_INFO info{0, taux, canaux, format, 0, 0};
    SNDFILE *sf = f.open() ? sf_open(qPrintable(f.fileName()), SFM_WRITE, &info) : nullptr;
    for (int i = 0; sf && i < taux / 5; ++i) {
        const std::vector<double> trame(canaux, 0.5 * std::sin(2 * M_PI * frequence * i / taux));
        sf_writef_double(sf, trame.data(), 1);
    }
    sf_close(sf);
    return f.readAll();
}
