// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "annonce.h"
#include "clavier.h"
#include "partie.h"
#include "services.h"
#include "themes.h"

#include <QWidget>

#include <array>

class Etiquette;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class Zone;

// The main window: greeting and name, choice of a list or of an own word, and
// the game itself with its keyboard, picture and messages. The rules are the
// engine's; the window shows what they decide.
class Pendu : public QWidget
{
    Q_OBJECT
public:
    explicit Pendu(const Services &services, QWidget *parent = nullptr);

    const Partie &partie() const { return m_partie; }
    // The name box, as the replay hands it over to a new window.
    void setNomSaisi(const QString &nom);

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

Q_SIGNALS:
    // "Suite" at the end of a game: the player wants to move on.
    void suite();

private:
    // All but the first screen's controls, made once, as a name is given.
    void construitLeReste();
    void filtreFrappes();
    void construitCoches();
    void construitClavier();
    // The one owner of the Tab chain: the controls in the order of the
    // design, the voices, once made, just before the control they lead to.
    void ordonneTabulation();
    // Tells a screen reader, while one listens, what just happened; Tab then
    // reaches `ensuite`. The text is made only then.
    void annonce(const std::function<QString()> &texte, QWidget *ensuite);

    // A character typed outside a text box clicks the key that looks for it,
    // while that key's button is shown. True when the typing is taken.
    bool tape(const QKeyEvent &frappe);

    void entree();
    void choisit(const Choix &choix, QCheckBox *coche);
    void ouvrePerso();
    void validePerso();
    void commencePartie(const QString &mot, const QString &titre);

    void essai(std::size_t touche);
    void applique(const Bilan &bilan);
    void montreImage(const Image &image);
    void montreTouches(bool visibles);

    Services m_services;
    Partie m_partie;

    QLineEdit *m_nj = nullptr;
    Zone *m_accueil = nullptr;
    Etiquette *m_liste = nullptr;
    QLineEdit *m_theme = nullptr;
    Zone *m_consignes = nullptr;
    QLineEdit *m_perso = nullptr;
    QPushButton *m_op = nullptr;
    QLabel *m_ecran = nullptr;
    QLineEdit *m_aff = nullptr;
    Etiquette *m_label1 = nullptr;
    Etiquette *m_label2 = nullptr;
    Etiquette *m_label3 = nullptr;
    Etiquette *m_label5 = nullptr;
    QPushButton *m_sf = nullptr;
    // In the order of the theme table.
    std::array<QCheckBox *, nombreChoix> m_coches{};
    // Key buttons and their labels, in the order of the key table.
    std::array<QPushButton *, clavier.size()> m_touches{};
    std::array<QLabel *, clavier.size()> m_etiquettes{};
    Voix m_voix{};
    QWidget *m_apresVoix = nullptr;
};
