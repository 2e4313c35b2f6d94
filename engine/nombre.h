#pragma once

#include <QString>

// A count as the game writes it into captions and messages: a leading space
// for zero and up (" 7"), the minus sign otherwise ("-1").
QString enTexte(qint16 nombre);
