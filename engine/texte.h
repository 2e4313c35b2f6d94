// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The line break inside the game's messages and captions: CR LF, as the
// texts were first written. The windows show it as one line break.
inline const QString finDeLigne = QStringLiteral("\r\n");

// A count as the game writes it into captions and messages: a leading space
// for zero and up (" 7"), the minus sign otherwise ("-1").
QString enTexte(qint16 nombre);
