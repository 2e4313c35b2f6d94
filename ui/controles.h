#pragma once

#include <QColor>
#include <QLabel>
#include <QString>
#include <QTextEdit>

class QWidget;

// Designs are laid out in twips, 15 to a pixel at 96 dots per inch; Qt scales
// the pixels on high-density screens.
void place(QWidget *controle, int left, int top, int width, int height);

QFont police(const QString &face, qreal points, int poids, bool italique = false);

// Background and text colours for labels, text boxes and check boxes alike.
void colore(QWidget *controle, const QColor &fond, const QColor &texte = {});

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
