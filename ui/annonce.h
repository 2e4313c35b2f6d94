#pragma once

#include <QString>

#include <functional>

class QWidget;

// Tells a screen reader what just happened in a window, beyond what the
// focused control says of itself. With no assistive technology listening it
// does nothing at all: the window's look, focus and tab order stay as they
// are, and the text is not even made. `ensuite` is the control the Tab key
// reaches next.
void annonce(QWidget *fenetre, const std::function<QString()> &texte, QWidget *ensuite);

// Gives the control the focus once a screen reader listens, now or as soon as
// one starts, unless the player has moved the focus by then: a player who
// listens starts there.
void ecouteDepuis(QWidget *controle);
