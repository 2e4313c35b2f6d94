#include "hasard.h"
#include "imagesqt.h"
#include "services.h"
#include "sonopenal.h"
#include "fenetres.h"
#include "jeu.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepareProgramme();

    ImagesQt images;
    SonOpenAL son;
    HasardHorloge hasard;
    Jeu jeu(Services{images, son, hasard});
    jeu.ouvrePendu();
    return app.exec();
}
