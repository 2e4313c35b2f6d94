#pragma once

#include <array>

// One key of the on-screen keyboard: its button, the one character it looks
// for in the word, and the label that takes the button's place once used.
struct Touche
{
    const char *bouton;
    char16_t caractere;
    const char *etiquette;
};

// Row by row as the AZERTY keyboard sets the letters out, then the three
// signs that words may hold. A game shows its keys in this order and the end
// of a game hides them in this order.
inline constexpr std::array<Touche, 29> clavier = {{
    {"A", u'A', "aa"}, {"Z", u'Z', "zz"}, {"E", u'E', "ee"}, {"R", u'R', "rr"},
    {"T", u'T', "tt"}, {"Y", u'Y', "yy"}, {"U", u'U', "uu"}, {"I", u'I', "ii"},
    {"O", u'O', "oo"}, {"P", u'P', "pp"},
    {"Q", u'Q', "qq"}, {"S", u'S', "ss"}, {"D", u'D', "dd"}, {"F", u'F', "ff"},
    {"G", u'G', "gg"}, {"H", u'H', "hh"}, {"J", u'J', "jj"}, {"K", u'K', "kk"},
    {"L", u'L', "ll"}, {"M", u'M', "mm"},
    {"W", u'W', "ww"}, {"X", u'X', "xx"}, {"C", u'C', "cc"}, {"V", u'V', "vv"},
    {"B", u'B', "bb"}, {"N", u'N', "nn"},
    {"tiret", u'-', "tir"}, {"space", u' ', "space2"}, {"apostrophe", u'\'', "apo"},
}};
