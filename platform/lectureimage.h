// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>
#include <QImage>

// The picture in that file, read first as that format, or a null image when
// it cannot be read whole: the file holds none, is cut short, or changes
// while it is read.
QImage litImage(QIODevice &fichier, const QByteArray &format);
