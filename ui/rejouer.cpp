#include "rejouer.h"

#include "controles.h"
#include "fenetres.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QColor gris(224, 224, 224);
const QColor bleu(0, 0, 192);

QPushButton *reponse(QWidget *parent, const char *nom, const QString &legende, int left)
{
    auto *b = new QPushButton(legende, parent);
    b->setObjectName(QLatin1String(nom));
    b->setFont(police(QStringLiteral("Arial Black"), 14.25, 900));
    b->setAutoDefault(false);
    place(b, left, 1440, 855, 615);
    return b;
}

Etiquette *etiquette(QWidget *parent, const char *nom, const QString &legende, qreal points,
                     const QColor &texte)
{
    auto *label = new Etiquette(parent);
    label->setObjectName(QLatin1String(nom));
    label->setLegende(legende);
    label->setFont(police(QStringLiteral("Script MT Bold"), points, 700));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    colore(label, gris, texte);
    return label;
}
}

Rejouer::Rejouer(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Rejouer"));
    setWindowTitle(QStringLiteral("        Continuer à jouer"));
    setWindowIcon(iconeFleche());
    setAttribute(Qt::WA_DeleteOnClose);
    fixeFenetre(this, 4305, 3180, gris);

    m_oui = reponse(this, "oui", QStringLiteral("OUI"), 840);
    connect(m_oui, &QPushButton::clicked, this, &Rejouer::oui);
    auto *non = reponse(this, "non", QStringLiteral("NON"), 2520);
    // Closing is what "NON" means; closeEvent then tells the game.
    connect(non, &QPushButton::clicked, this, &QWidget::close);

    place(etiquette(this, "Label1",
                    QStringLiteral("Gibetto :   logique,  vocabulaire  et orthographe"), 18,
                    {255, 0, 0}),
          120, 2160, 4095, 975);

    m_nj = new QLineEdit(this);
    m_nj->setObjectName(QStringLiteral("nj"));
    m_nj->setFont(police(QStringLiteral("Times New Roman"), 15.75, 700));
    m_nj->setAlignment(Qt::AlignCenter);
    m_nj->setAccessibleName(QStringLiteral("Ton prénom"));
    colore(m_nj, gris, bleu);
    place(m_nj, 0, 120, 3855, 495);

    place(etiquette(this, "Label2", QStringLiteral("Veux-tu rejouer ?"), 24, bleu),
          0, 720, 3855, 615);

    setTabOrder(m_oui, non);
    setTabOrder(non, m_nj);
    centre(this);
    m_oui->setFocus();
}

void Rejouer::setNomSaisi(const QString &nom)
{
    m_nj->setText(nom);
}

QString Rejouer::nomSaisi() const
{
    return m_nj->text();
}

void Rejouer::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit non();
}
