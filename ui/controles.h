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

// The game's texts break lines with CR LF; the widgets want a bare LF. These
// controls keep the text exactly as the game wrote it and show it as a
// player expects.
class Etiquette : public QLabel
{
    Q_OBJECT
public:
    explicit Etiquette(QWidget *parent = nullptr);
    void setLegende(const QString &legende);
    const QString &legende() const { return m_legende; }

private:
    QString m_legende;
};

// A multi-line text box: wraps at its width, breaks at CR LF, accepts typing.
class Zone : public QTextEdit
{
    Q_OBJECT
public:
    explicit Zone(Qt::Alignment alignement, QWidget *parent = nullptr);
    void setTexte(const QString &texte);
    // What the box holds, with CR LF line breaks: the game's own text until the
    // player types into it.
    QString texte() const;

private:
    Qt::Alignment m_alignement;
    QString m_texte;
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
