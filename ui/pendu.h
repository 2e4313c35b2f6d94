#pragma once

#include "partie.h"
#include "services.h"

#include <QWidget>

#include <array>

class Etiquette;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Zone;
struct Theme;

// The main window: greeting and name, choice of a list or of an own word, and
// the game itself with its keyboard, picture and messages.
class Pendu : public QWidget
{
    Q_OBJECT
public:
    explicit Pendu(const Services &services, QWidget *parent = nullptr);

    const Partie &partie() const { return m_partie; }
    // The name box, as the replay hands it over to a new window.
    void setNomSaisi(const QString &nom);

Q_SIGNALS:
    // "Suite" at the end of a game: the player wants to move on.
    void suite();

private:
    void construit();
    void construitClavier();
    void ordonneTabulation();

    void entree();
    void choisitTheme(const Theme &theme, QCheckBox *coche);
    void ouvrePerso();
    void validePerso();
    void commencePartie(const QString &mot, const QString &titre, bool annonceDansAccueil);

    // A click on the key at that place of the key table.
    void essai(std::size_t touche);
    void bilan();
    void finDePartie();
    void montreImage(const QString &fichier);
    void montreTouches(bool visibles);

    Services m_services;
    Partie m_partie;

    QLineEdit *m_question1 = nullptr;
    QLineEdit *m_nj = nullptr;
    QPushButton *m_entree = nullptr;
    Zone *m_accueil = nullptr;
    Etiquette *m_liste = nullptr;
    std::array<QCheckBox *, 7> m_checks{};
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
    // Key buttons and their labels, in the order of the key table.
    std::array<QPushButton *, 29> m_touches{};
    std::array<QLabel *, 29> m_etiquettes{};
};
