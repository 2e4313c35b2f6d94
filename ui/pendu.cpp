// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pendu.h"

#include "annonce.h"
#include "controles.h"
#include "depart.h"
#include "etatlecteur.h"
#include "fenetres.h"
#include "images.h"
#include "paroles.h"
#include "plans.h"
#include "son.h"
#include "texte.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>
#include <tuple>

namespace {
// One-line boxes show the start of what they hold when it is too long.
void ecrit(QLineEdit *boite, const QString &texte)
{
    boite->setText(texte);
    boite->setCursorPosition(0);
}
}

Pendu::Pendu(const Services &services, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
{
    dessineFenetre(this, fenetrePendu);
    setWindowIcon(iconeEclair());
    setAttribute(Qt::WA_DeleteOnClose);
    // The first screen asks for the name alone; the controls it hides are
    // made once a name is given (construitLeReste). Made here, with their
    // faces and keys, they made the start 1.19 to 1.23 times a bare window's
    // and 1.13 times its memory; 1.09 to 1.14 and 1.08 since
    // (bench/startup.sh).
    for (const Plan &plan : planPendu) {
        if (plan.visible)
            construit(this, plan);
    }
    m_nj = enfant<QLineEdit>(this, "nj");
    m_ecran = enfant<QLabel>(this, "Ecran");
    // What the name box is for, said as the focus reaches it.
    m_nj->setAccessibleDescription(enfant<QLineEdit>(this, "Question1")->text());
    m_ecran->setPixmap(imageDesert(m_ecran->devicePixelRatioF()));
    connect(enfant<QPushButton>(this, "Entree"), &QPushButton::clicked, this, &Pendu::entree);
    ordonneTabulation();
    // Typing reaches the window from whichever control holds the focus.
    installEventFilter(this);
    filtreFrappes();
    m_ecran->setFocus();
    // A player who listens starts where the name is asked.
    premierFocus(m_nj, m_services.lecteur);
}

void Pendu::construitLeReste()
{
    for (const Plan &plan : planPendu) {
        if (!plan.visible)
            construit(this, plan);
    }
    m_accueil = enfant<Zone>(this, "Accueil");
    m_liste = enfant<Etiquette>(this, "Liste");
    m_theme = enfant<QLineEdit>(this, "theme");
    m_consignes = enfant<Zone>(this, "Consignes");
    m_perso = enfant<QLineEdit>(this, "Perso");
    m_op = enfant<QPushButton>(this, "op");
    m_aff = enfant<QLineEdit>(this, "aff");
    m_label1 = enfant<Etiquette>(this, "Label1");
    m_label2 = enfant<Etiquette>(this, "Label2");
    m_label3 = enfant<Etiquette>(this, "Label3");
    m_label5 = enfant<Etiquette>(this, "Label5");
    m_sf = enfant<QPushButton>(this, "SF");

    m_perso->setMaxLength(Partie::longueurMax);
    connect(m_op, &QPushButton::clicked, this, &Pendu::validePerso);
    connect(m_sf, &QPushButton::clicked, this, &Pendu::suite);

    construitCoches();
    construitClavier();
    ordonneTabulation();
    filtreFrappes();
}

void Pendu::filtreFrappes()
{
    // Again as controls are made: Qt never puts one filter twice on a control.
    for (QWidget *controle : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        controle->installEventFilter(this);
}

void Pendu::setNomSaisi(const QString &nom)
{
    m_nj->setText(nom);
}

void Pendu::construitCoches()
{
    QStringList lignes;
    for (std::size_t i = 0; i < nombreChoix; ++i) {
        const Choix &c = choix()[i];
        lignes.append(c.ligne);
        auto *coche = new Coche(this);
        coche->setObjectName(QStringLiteral("Check%1").arg(i + 1));
        coche->setAccessibleName(c.ligne);
        // The grey control around a standard light box with a dark tick.
        QPalette p = coche->palette();
        for (const auto role : {QPalette::Window, QPalette::Button})
            p.setColor(role, QColor::fromRgb(couleurs::cocheFond));
        coche->setPalette(p);
        coche->setAutoFillBackground(true);
        place(coche, cochesLeft, c.top, cochesLargeur, c.hauteur);
        coche->hide();
        // A click ticks or unticks the box, then starts the same way either way.
        connect(coche, &QCheckBox::clicked, this, [this, &c, coche] { choisit(c, coche); });
        m_coches[i] = coche;
    }
    m_liste->setLegende(lignes.join(QLatin1Char(' ')));
}

void Pendu::construitClavier()
{
    for (std::size_t i = 0; i < clavier.size(); ++i) {
        const Touche &touche = clavier[i];
        const QString legende = QString::fromUtf8(touche.legende);
        const QFont f = police(polices::arialBlack(estEspace(touche) ? 12 : 14.25));

        // The label is made first, so that the button, made after it, covers it.
        auto *label = new QLabel(legende, this);
        label->setObjectName(QLatin1String(touche.etiquette));
        label->setFont(f);
        label->setAlignment(Qt::AlignCenter);
        colore(label, couleurs::toucheFond, couleurs::jaune);
        label->setAccessibleName(parleTouche(touche, true));
        place(label, touche.left, touche.top, touche.largeur, etiquetteHauteur);
        label->hide();
        m_etiquettes[i] = label;

        auto *b = new QPushButton(legende, this);
        b->setObjectName(QLatin1String(touche.bouton));
        b->setFont(f);
        b->setAccessibleName(parleTouche(touche, false));
        // The rounded corners of the face show the window, never the red label.
        b->setBackgroundRole(QPalette::Window);
        b->setAutoFillBackground(true);
        place(b, touche.left, touche.top, touche.largeur, toucheHauteur);
        b->hide();
        connect(b, &QPushButton::clicked, this, [this, i] { essai(i); });
        m_touches[i] = b;
    }
}

void Pendu::ordonneTabulation()
{
    QList<QWidget *> ordre{m_ecran, enfant<QWidget>(this, "Question1"), m_nj,
                           enfant<QWidget>(this, "Entree"), m_accueil};
    ordre.append({m_coches.begin(), m_coches.end() - 1});
    ordre << m_aff << m_theme << m_consignes;
    // Row by row as the keys stand on the keyboard, the apostrophe last.
    std::array<std::size_t, clavier.size()> touches{};
    for (std::size_t i = 0; i < touches.size(); ++i)
        touches[i] = i;
    std::sort(touches.begin(), touches.end(), [](std::size_t a, std::size_t b) {
        const Touche &ta = clavier[a], &tb = clavier[b];
        return std::tuple(estApostrophe(ta), ta.top, ta.left)
                < std::tuple(estApostrophe(tb), tb.top, tb.left);
    });
    for (const std::size_t i : touches)
        ordre.append(m_touches[i]);
    ordre << m_sf << m_coches.back() << m_perso << m_op;
    // Before a name is given, the rest is yet to be made.
    ordre.removeAll(nullptr);
    if (m_voix.front())
        for (QLabel *voix : m_voix)
            ordre.insert(ordre.indexOf(m_apresVoix), voix);
    // Qt orders focusable controls only, and the voices are none: the Tab
    // key passes them by.
    for (QLabel *voix : m_voix)
        if (voix)
            voix->setFocusPolicy(Qt::TabFocus);
    for (qsizetype i = 1; i < ordre.size(); ++i)
        setTabOrder(ordre.at(i - 1), ordre.at(i));
    for (QLabel *voix : m_voix)
        if (voix)
            voix->setFocusPolicy(Qt::NoFocus);
}

void Pendu::annonce(const std::function<QString()> &texte, QWidget *ensuite)
{
    // Spelling a 32,767-letter own word at every click took a click from
    // 0.9 to 4.8 ms (bench_partie), for nobody when no one listens.
    if (!m_services.lecteur.actif())
        return;
    if (!m_voix.front())
        m_voix = faitVoix(this);
    if (ensuite != m_apresVoix) {
        m_apresVoix = ensuite;
        ordonneTabulation();
    }
    faitDire(m_voix, texte());
}

bool Pendu::eventFilter(QObject *objet, QEvent *evenement)
{
    if (evenement->type() == QEvent::KeyPress && tape(*static_cast<QKeyEvent *>(evenement)))
        return true;
    return QWidget::eventFilter(objet, evenement);
}

bool Pendu::tape(const QKeyEvent &frappe)
{
    const QWidget *focus = focusWidget();
    if (qobject_cast<const QLineEdit *>(focus) || qobject_cast<const QTextEdit *>(focus)
        || frappe.text().size() != 1)
        return false;
    // The character typed, not the key pressed: AZERTY and QWERTY alike.
    char16_t caractere = frappe.text().front().unicode();
    if (caractere >= u'a' && caractere <= u'z')
        caractere -= u'a' - u'A';
    else if (caractere == u'\u2019')
        caractere = u'\'';
    const Touche *tapee = toucheDe(caractere);
    if (!tapee)
        return false;
    QPushButton *bouton = m_touches[std::size_t(tapee - clavier.data())];
    const bool enJeu = m_partie.enJeu();
    if (bouton && bouton->isVisible())
        bouton->click();
    // During a game the space bar is the space key, never a press of the
    // focused button or check box; outside a game it keeps its usual meaning.
    return enJeu;
}

void Pendu::entree()
{
    if (!m_accueil)
        construitLeReste();
    const QString nom = nomDuJoueur(m_nj->text(), m_services.hasard);
    m_partie.nomme(nom);
    m_accueil->setTexte(bienvenue(nom));
    m_accueil->show();
    m_liste->show();
    for (QCheckBox *coche : m_coches)
        coche->show();
    annonce([&nom] { return aDire(bienvenue(nom)); }, m_coches.front());
}

void Pendu::choisit(const Choix &c, QCheckBox *coche)
{
    if (c.mots.isEmpty()) {
        ouvrePerso();
        return;
    }
    for (QCheckBox *autre : m_coches) {
        if (autre != coche)
            autre->hide();
    }
    commencePartie(tireMot(c.mots, m_services.hasard), c.titre);
    m_accueil->setTexte(accueilDepart(m_partie.nom(), m_partie.longueur()));
}

void Pendu::ouvrePerso()
{
    for (QCheckBox *coche : m_coches) {
        if (coche != m_coches.back())
            coche->hide();
    }
    m_perso->show();
    m_consignes->setTexte(consignesPerso(m_partie.nom()));
    m_consignes->show();
    m_op->show();
    m_accueil->setTexte(accueilPerso(m_partie.nom()));
    m_perso->setAccessibleDescription(aDire(accueilPerso(m_partie.nom())));
    m_perso->setFocus();
}

void Pendu::validePerso()
{
    const QString mot = motPropose(m_perso->text(), m_services.hasard);
    m_perso->hide();
    m_op->hide();
    commencePartie(mot, choix().back().titre);
}

void Pendu::commencePartie(const QString &mot, const QString &titre)
{
    m_partie.commence(mot);
    const QString &nom = m_partie.nom();
    m_label1->show();
    m_label2->setLegende(enTexte(m_partie.jokers()));
    m_label2->show();
    ecrit(m_aff, m_partie.masque());
    m_aff->show();
    ecrit(m_theme, titre);
    m_theme->show();
    const QString consignes = consignesDepart(nom, m_partie.longueur());
    m_consignes->setTexte(consignes);
    m_consignes->show();
    m_label3->setLegende(invite(nom));
    m_label3->show();
    montreTouches(true);
    annonce([&] { return parleDepart(titre, consignes); }, m_touches.front());
}

void Pendu::essai(std::size_t i)
{
    const std::optional<Bilan> bilan = m_partie.essai(clavier[i].caractere);
    if (!bilan)
        return;
    ecrit(m_aff, bilan->aff);
    m_touches[i]->hide();
    m_etiquettes[i]->show();
    m_label2->setLegende(bilan->jokers);
    applique(*bilan);
    const auto parole = [&] {
        return parleEssai(clavier[i].caractere, *bilan, m_partie.masque(), m_partie.mot());
    };
    annonce(parole, bilan->issue == Issue::EnCours ? m_touches.front() : m_sf);
}

void Pendu::applique(const Bilan &bilan)
{
    if (!bilan.images.isEmpty())
        montreImage(bilan.images.first());
    m_consignes->setTexte(bilan.message);
    if (bilan.issue == Issue::EnCours)
        return;
    for (qsizetype i = 1; i < bilan.images.size(); ++i)
        montreImage(bilan.images.at(i));
    m_sf->show();
    m_label5->show();
    m_consignes->setTexte(bilan.messageFin);
    m_services.son.joue(bilan.son);
    m_label3->setLegende(bilan.invite);
    montreTouches(false);
}

void Pendu::montreImage(const Image &image)
{
    // The whole box is drawn again, its frame included. A new picture alone
    // redraws the box's inside, 358.5 pixels wide at scale 1.5, which the
    // clip rounds down to 358, while the picture is drawn 359 wide: the last
    // column kept the picture before.
    m_ecran->update();
    const QImage lue = m_services.images.charge(image.fichier);
    // A picture that cannot be had leaves the box empty rather than showing
    // a stage the game is no longer at.
    if (lue.isNull()) {
        m_ecran->clear();
        m_ecran->setAccessibleName(QString());
        m_ecran->setAccessibleDescription(parleImageAbsente(image));
        return;
    }
    m_ecran->setPixmap(QPixmap::fromImage(lue));
    m_ecran->setAccessibleName(image.description);
    m_ecran->setAccessibleDescription(QString());
}

void Pendu::montreTouches(bool visibles)
{
    for (QPushButton *b : m_touches)
        b->setVisible(visibles);
}

#include "moc_pendu.cpp"
