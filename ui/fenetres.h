#pragma once

#include <QIcon>

struct Fenetre;
class QWidget;

// The windows ask for Windows fonts by name; free faces from Debian stand in
// for them.
void installePolices();

// A fixed-size window with a close box but no minimize or maximize box, on a
// plain background, centred on its screen.
void dessineFenetre(QWidget *fenetre, const Fenetre &dessin);

QIcon iconeEclair();
QIcon iconeFleche();

// The desert of the start screen, for a screen of the given pixel ratio.
QPixmap imageDesert(qreal rapport);
