#include "hasard.h"
#include "imagesqt.h"
#include "services.h"
#include "sonqt.h"
#include "fenetres.h"
#include "jeu.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepareProgramme();

    ImagesQt images;
    SonQt son;
    HasardHorloge hasard;
    Jeu jeu(Services{images, son, hasard});
    jeu.ouvrePendu();
    return app.exec();
}
