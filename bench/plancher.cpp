// The floor the game's start-up is weighed against: the least a Qt Widgets
// program does to put a window with a line of text on the screen.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel fenetre(QStringLiteral("Plancher"));
    fenetre.setWindowTitle(QStringLiteral("Plancher"));
    fenetre.show();
    return app.exec();
}
