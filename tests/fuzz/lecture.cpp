// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer: the game's own reading of a sound and of a picture, on the same
// bytes, as it reads a teacher's Bravo.wav and 0.bmp, whatever they hold.
#include "lectureimage.h"
#include "sondecodage.h"

#include <QBuffer>
#include <QCoreApplication>

const FonctionsSndfile sndfile{sf_open_virtual, sf_readf_float, sf_close};

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The image plugins are found from the application, and complain of
    // every spoilt file.
    static QCoreApplication application(*argc, *argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    QBuffer fichier;
    fichier.setData(QByteArray::fromRawData(reinterpret_cast<const char *>(donnees), qsizetype(taille)));
    fichier.open(QIODevice::ReadOnly);
    decode(fichier, sndfile);
    fichier.seek(0);
    litImage(fichier, "bmp");
    return 0;
}
