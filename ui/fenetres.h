#pragma once

#include <QColor>
#include <QIcon>

class QWidget;

// The faces the windows were designed with are Windows fonts; these free
// faces from Debian stand in for them.
void installePolices();

// A fixed-size window, in twips, with a close box but no minimize or maximize
// box, on a plain background.
void fixeFenetre(QWidget *fenetre, int largeur, int hauteur, const QColor &fond);

// Centred on the screen it opens on.
void centre(QWidget *fenetre);

QIcon iconeEclair();
QIcon iconeFleche();
