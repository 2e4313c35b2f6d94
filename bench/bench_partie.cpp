// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
// What a player waits for and what a long session holds: a key click, picture
// load included, on a theme word and on the longest own word; live widgets and
// resident memory over 1,000 replays. Prints one line a measure, judges nothing.
#include "etatlecteur.h"
#include "hasard.h"
#include "imagesqt.h"
#include "jeu.h"
#include "pendu.h"
#include "rejouer.h"
#include "son.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>

namespace {
struct Muet : Son
{
    void joue(const QString &) override {}
    void arrete() override {}
    void attenue(bool) override {}
};

struct Hasard0 : Hasard
{
    double tire() override { return 0.0; }
};

QWidget *fenetre(const char *nom)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(nom) && w->isVisible())
            return w;
    }
    qFatal("no window %s", nom);
}

void clique(const char *fenetreNom, const char *nom)
{
    fenetre(fenetreNom)->findChild<QAbstractButton *>(QLatin1String(nom))->click();
}

void commence(const QString &mot)
{
    clique("Pendu", "Entree");
    clique("Pendu", "Check7");
    fenetre("Pendu")->findChild<QLineEdit *>(QStringLiteral("Perso"))->setText(mot);
    clique("Pendu", "op");
}

double residentMo()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    return statm.readAll().split(' ').value(1).toDouble() * 4096 / (1024 * 1024);
}

// Microseconds for one click on a key that misses, on a fresh game each time.
double clic(const QString &mot)
{
    constexpr int fois = 200;
    qint64 total = 0;
    for (int i = 0; i < fois; ++i) {
        commence(mot);
        auto *touche = fenetre("Pendu")->findChild<QAbstractButton *>(QStringLiteral("Z"));
        QElapsedTimer chrono;
        chrono.start();
        touche->click();
        total += chrono.nsecsElapsed();
    }
    return double(total) / fois / 1000;
}
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Pictures are read where the game reads them: beside the program.
    QDir::setCurrent(QStringLiteral(GIBETTO_RUNTIME_DIR));
    const int parties = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 1000;
    ImagesQt images;
    Muet son;
    Hasard0 hasard;
    const EtatLecteur personne;
    Jeu jeu(Services{images, son, hasard, personne});
    jeu.ouvrePendu(QStringLiteral("Léa"));

    std::printf("key click, theme-sized word: %.1f us\n", clic(QStringLiteral("HIPPOPOTAME")));
    std::printf("key click, 32767-character own word: %.1f us\n",
                clic(QString(32767, QLatin1Char('A'))));

    for (int partie = 1; partie <= parties; ++partie) {
        commence(QStringLiteral("A"));
        clique("Pendu", "A");
        clique("Pendu", "SF");
        clique("Rejouer", "oui");
        // As between a player's clicks: caches are trimmed, windows painted.
        QCoreApplication::processEvents();
        if (partie == 10 || partie == parties) {
            fenetre("Pendu");
            std::printf("after %d replays: %lld live widgets, %.1f MB resident\n", partie,
                        qlonglong(QApplication::allWidgets().size()), residentMo());
        }
    }
}
