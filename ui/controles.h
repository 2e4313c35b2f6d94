// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QString>
#include <QTextEdit>

struct Plan;
struct Police;
class QWidget;

void place(QWidget *controle, int left, int top, int largeur, int hauteur);
QFont police(const Police &police);

// Background and text colours for labels, text boxes and check boxes alike;
// 0 leaves the system's.
void colore(QWidget *controle, QRgb fond, QRgb encre);

// Makes the control of one row of a design, named, placed, shown or hidden.
QWidget *construit(QWidget *parent, const Plan &plan);

// The control of that name on a window. A window without it was built from a
// design that lost a row: the game stops at once, naming it, in every build.
template<typename T>
T *enfant(const QWidget *fenetre, const char *nom)
{
    auto *controle = fenetre->findChild<T *>(QLatin1String(nom), Qt::FindDirectChildrenOnly);
    if (!controle)
        qFatal("%s: no control named %s", qPrintable(fenetre->objectName()), nom);
    return controle;
}

// The game's texts break lines with CR LF; these controls show each as one
// line break.
class Etiquette : public QLabel
{
    Q_OBJECT
public:
    explicit Etiquette(QWidget *parent = nullptr);
    void setLegende(const QString &legende);
};

// A multi-line text box: wraps at its width, breaks at CR LF, accepts typing.
class Zone : public QTextEdit
{
    Q_OBJECT
public:
    explicit Zone(Qt::Alignment alignement, QWidget *parent = nullptr);
    void setTexte(const QString &texte);

private:
    Qt::Alignment m_alignement;
};

// A theme check box shows only its box, yet a click anywhere on its grey
// area ticks it.
class Coche : public QCheckBox
{
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};
