#include "platform/hasard.h"
#include "platform/imagesqt.h"
#include "platform/services.h"
#include "platform/sonqt.h"
#include "ui/fenetres.h"
#include "ui/jeu.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gibetto"));
    installePolices();

    ImagesQt images;
    SonQt son;
    HasardHorloge hasard;
    Jeu jeu(Services{images, son, hasard});
    jeu.ouvrePendu();
    return app.exec();
}
