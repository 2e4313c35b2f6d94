// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fenetres.h"

#include "gibetto_config.h"
#include "plans.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QImageReader>
#include <QLibraryInfo>
#include <QPixmap>
#include <QScreen>
#include <QTranslator>
#include <QWidget>

#include <algorithm>

namespace {
void installePolices()
{
    const QStringList installees = QFontDatabase::families();
    for (const Face &face : faces::toutes) {
        if (!installees.contains(QLatin1String(face.windows)))
            QFont::insertSubstitution(QLatin1String(face.windows), QLatin1String(face.libre));
    }
}
}

void prepareProgramme()
{
    QApplication::setApplicationName(QStringLiteral("Gibetto"));
    // Docks and task bars tie the window to its menu entry by this id.
    QGuiApplication::setDesktopFileName(QStringLiteral(GIBETTO_APP_ID));
    installePolices();
    auto *traduction = new QTranslator(qApp);
    if (traduction->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(traduction);
}

QString faceInstallee(const QString &face)
{
    return QFont::substitute(face);
}

void dessineFenetre(QWidget *fenetre, const Fenetre &dessin)
{
    fenetre->setObjectName(QLatin1String(dessin.nom));
    fenetre->setWindowTitle(QString::fromUtf8(dessin.titre));
    fenetre->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                            | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    fenetre->setFixedSize(dessin.largeur / 15, dessin.hauteur / 15);
    QPalette p = fenetre->palette();
    p.setColor(QPalette::Window, QColor::fromRgb(dessin.fond));
    fenetre->setPalette(p);
    fenetre->setAutoFillBackground(true);

    // Wayland places windows itself: a program neither knows nor sets where
    // its window stands.
    const QScreen *ecran = fenetre->screen() ? fenetre->screen() : QGuiApplication::primaryScreen();
    if (!ecran || QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    const QRect dispo = ecran->availableGeometry();
    QRect cadre = fenetre->frameGeometry();
    cadre.moveCenter(dispo.center());
    // A window too big for the screen starts at its top-left corner rather
    // than cut on both sides.
    fenetre->move(std::max(cadre.left(), dispo.left()), std::max(cadre.top(), dispo.top()));
}

namespace {
// The built-in drawings are read with their format named and nothing
// guessed: guessing, as QIcon::addFile does, loads every image plugin on the
// machine, 0.2 MB more resident at the start screen (33.7 against 33.5 MB,
// bench/startup.sh).
QPixmap dessin(const QString &chemin, const char *format)
{
    QImageReader lecteur(chemin, format);
    lecteur.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(lecteur.read());
}

// Each icon comes in the two sizes a title bar and a task bar ask for. On a
// double-density screen QIcon also takes their "@2x" drawings.
QIcon icone(const QString &nom)
{
    const bool doubles = qApp->devicePixelRatio() > 1;
    QIcon icone;
    for (const int taille : {16, 32}) {
        const QString chemin = QStringLiteral(":/assets/%1%2.png").arg(nom).arg(taille);
        if (doubles)
            icone.addFile(chemin, QSize(taille, taille));
        else
            icone.addPixmap(dessin(chemin, "png"));
    }
    return icone;
}
}

QIcon iconeEclair()
{
    return icone(QStringLiteral("eclair"));
}

QIcon iconeFleche()
{
    return icone(QStringLiteral("fleche"));
}

QPixmap imageDesert(qreal rapport)
{
    const QString chemin = QStringLiteral(":/assets/desert.bmp");
    // Through QIcon, which takes the double-size drawing on a double-density
    // screen and scales it for any other ratio above 1.
    if (rapport > 1)
        return QIcon(chemin).pixmap(QSize(240, 330), rapport);
    return dessin(chemin, "bmp");
}
