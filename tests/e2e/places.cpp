// Prints where a player clicks each control of the two windows, "window.name
// x y" in pixels from the window's client area, as the windows lay them out.
#include "enregistreur.h"
#include "pendu.h"
#include "rejouer.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Enregistreur machine;
    const Pendu pendu(Services{machine, machine, machine});
    const Rejouer rejouer;
    for (const QWidget *fenetre : std::initializer_list<const QWidget *>{&pendu, &rejouer})
        for (const QWidget *c : fenetre->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            std::printf("%s.%s %d %d\n", qPrintable(fenetre->objectName()), qPrintable(c->objectName()),
                        c->geometry().center().x(), c->geometry().center().y());
}
