#include "fenetres.h"

#include "plans.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

void installePolices()
{
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial Black"), QStringLiteral("Lato"));
    QFont::insertSubstitution(QStringLiteral("Script MT Bold"), QStringLiteral("Dancing Script"));
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

    const QScreen *ecran = fenetre->screen() ? fenetre->screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    const QRect dispo = ecran->availableGeometry();
    QRect cadre = fenetre->frameGeometry();
    cadre.moveCenter(dispo.center());
    // A window too big for the screen starts at its top-left corner rather
    // than cut on both sides.
    fenetre->move(std::max(cadre.left(), dispo.left()), std::max(cadre.top(), dispo.top()));
}

namespace {
// Each icon comes in the two sizes a title bar and a task bar ask for.
QIcon icone(const QString &nom)
{
    QIcon icone;
    for (const int taille : {16, 32})
        icone.addFile(QStringLiteral(":/assets/%1%2.png").arg(nom).arg(taille), QSize(taille, taille));
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
