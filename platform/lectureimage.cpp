// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lectureimage.h"

#include <QImageReader>
#include <QtEndian>

QImage litImage(QIODevice &fichier, const QByteArray &format)
{
    // A drawing shorter than its header says was cut short, by a copy that
    // stopped or a full disk: Qt would show its missing rows black.
    const qint64 taille = fichier.size();
    const QByteArray entete = fichier.peek(6);
    if (entete.size() == 6 && entete.startsWith("BM") && qFromLittleEndian<quint32>(entete.constData() + 2) > taille)
        return {};
    // Read first as what its suffix says, without the guessing that loads
    // every image plugin on the machine (0.2 MB, as the built-in drawings
    // showed at start-up); a teacher's drawing saved in another format under
    // that name is then read for what it is. The reader gives a "name@2x"
    // file its pixel ratio of 2, so that it takes the room of the plain
    // picture.
    QImageReader lecteur(&fichier, format);
    lecteur.setAutoDetectImageFormat(false);
    QImage image = lecteur.read();
    if (image.isNull() && fichier.seek(0))
        image = QImageReader(&fichier).read();
    // Cut or written over while it was read, as a copy over it does: what
    // was read may be any part of the old drawing and the new one.
    return fichier.size() == taille ? image : QImage();
}
