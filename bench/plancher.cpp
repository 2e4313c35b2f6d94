// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
// The floor the game's start-up is weighed against: the least a Qt Widgets
// program does to put a window with a line of text on the screen; of the
// game's window size when given one ("674x456"), so that both hold the same
// window surface (1.2 MB of shared memory under X).
#include <QApplication>
#include <QLabel>
#include <QStringList>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel fenetre(QStringLiteral("Plancher"));
    fenetre.setWindowTitle(QStringLiteral("Plancher"));
    const QStringList taille = argc > 1 ? QString(argv[1]).split(u'x') : QStringList();
    // Sized from its text, as a window shown at its own size is: the fonts
    // are then read before the window maps, as the game's are.
    if (taille.size() == 2)
        fenetre.resize(fenetre.sizeHint().expandedTo(QSize(taille[0].toInt(), taille[1].toInt())));
    fenetre.show();
    return app.exec();
}
