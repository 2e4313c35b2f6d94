// Prints where a player clicks each control of the two windows, "name x y" in
// pixels from the window's client area, for the end-to-end test to use.
#include "clavier.h"
#include "plans.h"
#include "themes.h"

#include <cstdio>

namespace {
void ecrit(const char *fenetre, const char *nom, int left, int top, int largeur, int hauteur)
{
    std::printf("%s.%s %d %d\n", fenetre, nom, (left + largeur / 2) / 15, (top + hauteur / 2) / 15);
}
}

int main()
{
    for (const Plan &p : planPendu)
        ecrit("Pendu", p.nom, p.left, p.top, p.largeur, p.hauteur);
    for (const Touche &t : clavier)
        ecrit("Pendu", t.bouton, t.left, t.top, t.largeur, toucheHauteur);
    for (std::size_t i = 0; i < nombreChoix; ++i)
        ecrit("Pendu", ("Check" + std::to_string(i + 1)).c_str(), cochesLeft, choix()[i].top,
              cochesLargeur, choix()[i].hauteur);
    for (const Plan &p : planRejouer)
        ecrit("Rejouer", p.nom, p.left, p.top, p.largeur, p.hauteur);
}
