// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controles.h"

#include "fenetres.h"
#include "plans.h"
#include "texte.h"

#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTextBlockFormat>
#include <QTextCursor>

namespace {
// The widgets break lines at a bare LF.
QString pourAffichage(QString texte)
{
    return texte.replace(finDeLigne, QStringLiteral("\n"));
}
}

void place(QWidget *controle, int left, int top, int largeur, int hauteur)
{
    controle->setGeometry(left / 15, top / 15, largeur / 15, hauteur / 15);
}

QFont police(const Police &p)
{
    QFont f(faceInstallee(QString::fromUtf8(p.face.windows)));
    f.setPointSizeF(p.points);
    f.setWeight(QFont::Weight(p.poids));
    f.setItalic(p.italique);
    return f;
}

void colore(QWidget *controle, QRgb fond, QRgb encre)
{
    if (!fond)
        return;
    QPalette p = controle->palette();
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        p.setColor(role, QColor::fromRgb(fond));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        p.setColor(QPalette::Active, role, QColor::fromRgb(encre));
        p.setColor(QPalette::Inactive, role, QColor::fromRgb(encre));
    }
    controle->setPalette(p);
    controle->setAutoFillBackground(true);
}

QWidget *construit(QWidget *parent, const Plan &plan)
{
    const QString texte = QString::fromUtf8(plan.texte);
    QWidget *controle = nullptr;
    switch (plan.genre) {
    case Genre::Ligne: {
        auto *boite = new QLineEdit(texte, parent);
        boite->setAlignment(plan.alignement);
        controle = boite;
        break;
    }
    case Genre::Zone: {
        auto *zone = new Zone(plan.alignement, parent);
        zone->setTexte(texte);
        controle = zone;
        break;
    }
    case Genre::Etiquette: {
        auto *etiquette = new Etiquette(parent);
        etiquette->setLegende(texte);
        etiquette->setAlignment(plan.alignement);
        controle = etiquette;
        break;
    }
    case Genre::Bouton: {
        controle = new QPushButton(texte, parent);
        break;
    }
    case Genre::Image: {
        auto *image = new QLabel(parent);
        image->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        image->setAlignment(plan.alignement);
        image->setFocusPolicy(Qt::StrongFocus);
        controle = image;
        break;
    }
    }
    controle->setObjectName(QLatin1String(plan.nom));
    if (plan.police.face.windows)
        controle->setFont(police(plan.police));
    colore(controle, plan.fond, plan.encre);
    if (plan.nomAccessible)
        controle->setAccessibleName(QString::fromUtf8(plan.nomAccessible));
    place(controle, plan.left, plan.top, plan.largeur, plan.hauteur);
    controle->setVisible(plan.visible);
    return controle;
}

Etiquette::Etiquette(QWidget *parent)
    : QLabel(parent)
{
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
}

void Etiquette::setLegende(const QString &legende)
{
    setText(pourAffichage(legende));
}

Zone::Zone(Qt::Alignment alignement, QWidget *parent)
    : QTextEdit(parent)
    , m_alignement(alignement)
{
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
}

void Zone::setTexte(const QString &texte)
{
    setPlainText(pourAffichage(texte));
    QTextCursor tout(document());
    tout.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(m_alignement);
    tout.mergeBlockFormat(format);
}

#include "moc_controles.cpp"
