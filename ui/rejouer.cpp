// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "rejouer.h"

#include "controles.h"
#include "fenetres.h"
#include "plans.h"

#include <QLineEdit>
#include <QPushButton>

Rejouer::Rejouer(QWidget *parent)
    : QWidget(parent)
{
    dessineFenetre(this, fenetreRejouer);
    setWindowIcon(iconeFleche());
    setAttribute(Qt::WA_DeleteOnClose);
    QWidget *precedent = nullptr;
    for (const Plan &plan : planRejouer) {
        QWidget *controle = construit(this, plan);
        if (precedent)
            setTabOrder(precedent, controle);
        precedent = controle;
    }
    m_nj = enfant<QLineEdit>(this, "nj");
    auto *oui = enfant<QPushButton>(this, "oui");
    connect(oui, &QPushButton::clicked, this, &Rejouer::oui);
    auto *non = enfant<QPushButton>(this, "non");
    connect(non, &QPushButton::clicked, this, &QWidget::close);
    // The question, said with either answer as the focus reaches it.
    for (auto *reponse : {oui, non})
        reponse->setAccessibleDescription(enfant<QLabel>(this, "Label2")->text());
    oui->setFocus();
}

void Rejouer::setNomSaisi(const QString &nom)
{
    m_nj->setText(nom);
}

QString Rejouer::nomSaisi() const
{
    return m_nj->text();
}

#include "moc_rejouer.cpp"
