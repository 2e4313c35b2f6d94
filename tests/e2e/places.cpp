// Prints where a player clicks each control of the two windows, "window.name
// x y" in pixels from the window's client area, as the windows lay them out,
// and the picture box, whole and inside its frame: "Pendu.Ecran.boite x y
// width height", "Pendu.Ecran.dedans x y width height".
// With "titre <window>", prints that window's title alone.
#include "enregistreur.h"
#include "pendu.h"
#include "rejouer.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Enregistreur machine;
    const Pendu pendu(Services{machine, machine, machine});
    const Rejouer rejouer;
    const std::initializer_list<const QWidget *> fenetres = {&pendu, &rejouer};
    if (argc == 3) {
        for (const QWidget *fenetre : fenetres)
            if (fenetre->objectName() == argv[2])
                std::printf("%s\n", qPrintable(fenetre->windowTitle()));
        return 0;
    }
    for (const QWidget *fenetre : fenetres)
        for (const QWidget *c : fenetre->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            std::printf("%s.%s %d %d\n", qPrintable(fenetre->objectName()), qPrintable(c->objectName()),
                        c->geometry().center().x(), c->geometry().center().y());
    const auto *ecran = pendu.findChild<QLabel *>(QStringLiteral("Ecran"));
    const QRect boite = ecran->geometry();
    const QRect dedans = ecran->contentsRect().translated(ecran->pos());
    std::printf("Pendu.Ecran.boite %d %d %d %d\n", boite.x(), boite.y(), boite.width(), boite.height());
    std::printf("Pendu.Ecran.dedans %d %d %d %d\n", dedans.x(), dedans.y(), dedans.width(), dedans.height());
}
