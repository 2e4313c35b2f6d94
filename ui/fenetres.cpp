#include "fenetres.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void installePolices()
{
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial Black"), QStringLiteral("Lato"));
    QFont::insertSubstitution(QStringLiteral("Script MT Bold"), QStringLiteral("Dancing Script"));
}

void fixeFenetre(QWidget *fenetre, int largeur, int hauteur, const QColor &fond)
{
    fenetre->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                            | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    fenetre->setFixedSize(largeur / 15, hauteur / 15);
    QPalette p = fenetre->palette();
    p.setColor(QPalette::Window, fond);
    fenetre->setPalette(p);
    fenetre->setAutoFillBackground(true);
}

void centre(QWidget *fenetre)
{
    const QScreen *ecran = fenetre->screen() ? fenetre->screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    QRect cadre = fenetre->frameGeometry();
    cadre.moveCenter(ecran->availableGeometry().center());
    fenetre->move(cadre.topLeft());
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
