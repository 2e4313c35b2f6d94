#include "controles.h"

#include <QPalette>
#include <QTextBlockFormat>
#include <QTextCursor>

namespace {
const QString crlf = QStringLiteral("\r\n");
const QString lf = QStringLiteral("\n");

QString pourAffichage(QString texte)
{
    return texte.replace(crlf, lf);
}
}

void place(QWidget *controle, int left, int top, int width, int height)
{
    controle->setGeometry(left / 15, top / 15, width / 15, height / 15);
}

QFont police(const QString &face, qreal points, int poids, bool italique)
{
    QFont f(face);
    f.setPointSizeF(points);
    f.setWeight(QFont::Weight(poids));
    f.setItalic(italique);
    return f;
}

void colore(QWidget *controle, const QColor &fond, const QColor &texte)
{
    QPalette p = controle->palette();
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        p.setColor(role, fond);
    if (texte.isValid()) {
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
            p.setColor(QPalette::Active, role, texte);
            p.setColor(QPalette::Inactive, role, texte);
        }
    }
    controle->setPalette(p);
    controle->setAutoFillBackground(true);
}

Etiquette::Etiquette(QWidget *parent)
    : QLabel(parent)
{
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
}

void Etiquette::setLegende(const QString &legende)
{
    m_legende = legende;
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
    m_texte = texte;
    setPlainText(pourAffichage(texte));
    QTextCursor tout(document());
    tout.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(m_alignement);
    tout.mergeBlockFormat(format);
}

QString Zone::texte() const
{
    const QString affiche = toPlainText();
    if (affiche == pourAffichage(m_texte))
        return m_texte;
    return QString(affiche).replace(lf, crlf);
}
