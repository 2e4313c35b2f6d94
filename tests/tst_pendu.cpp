// The main window as the player meets it: its design, the name, the choice
// of a list or of an own word, and whole games played with the keys.
#include "aide_fenetres.h"

#include "clavier.h"
#include "fenetres.h"
#include "pendu.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>

#include <memory>

namespace {
struct Couleur
{
    int r = -1, g = -1, b = -1;
    bool valide() const { return r >= 0; }
    QColor qt() const { return QColor(r, g, b); }
};

// Every control of the window as it was designed, in twips.
struct Dessin
{
    const char *nom;
    int left, top, width, height;
    const char *face;
    double points;
    int poids;
    bool italique;
    Couleur fond, texte;
    const char *legende;
};

const Couleur peche{255, 224, 192}, nuit{0, 0, 64}, jaune{255, 255, 0}, noir{0, 0, 0},
        systeme{}, grisFonce{128, 128, 128};

const Dessin dessins[] = {
    {"Question1", 120, 120, 4455, 495, "Script MT Bold", 15.75, 700, false, peche, {192, 0, 0},
     "Bonjour, comment t'appelles-tu ?"},
    {"nj", 4680, 120, 4215, 495, "Times New Roman", 14.25, 700, false, peche, {0, 0, 192}, ""},
    {"Entree", 9000, 120, 975, 495, "Arial Black", 14.25, 900, false, systeme, systeme, "<<<"},
    {"Accueil", 120, 720, 9855, 735, "Times New Roman", 12, 700, false, nuit, {0, 255, 0}, ""},
    {"Liste", 8520, 1560, 1215, 2055, "Times New Roman", 12, 700, false, {192, 192, 192}, noir,
     "AFRIQUE ANIMAUX EUROPE HASARD MÉTIERS MONDE PERSO"},
    {"theme", 3840, 1560, 4575, 420, "MS Sans Serif", 12, 700, false, nuit, jaune, ""},
    {"Consignes", 3840, 2040, 4575, 1215, "Times New Roman", 14.25, 700, false, nuit, jaune, ""},
    {"Perso", 3840, 3240, 4095, 405, "Times New Roman", 12, 700, false, noir, {255, 255, 255}, ""},
    {"op", 7920, 3240, 495, 375, "MS Sans Serif", 8.25, 700, false, systeme, systeme, "<<<"},
    {"Ecran", 120, 1560, 3615, 5055, nullptr, 0, 0, false, systeme, systeme, nullptr},
    {"aff", 3840, 3720, 6135, 510, "Times New Roman", 15.75, 700, false, {128, 0, 0}, jaune, ""},
    {"Label3", 3840, 4320, 2895, 495, "Times New Roman", 9.75, 700, true, noir, jaune, ""},
    {"Label1", 6720, 4320, 2055, 495, "Times New Roman", 11.25, 700, false, noir, {0, 255, 0},
     "JOKERS > RESTANTS"},
    {"Label2", 8760, 4320, 1215, 495, "Times New Roman", 18, 700, false, noir, {255, 0, 255}, ""},
    {"Label5", 3840, 6360, 4935, 375, "Times New Roman", 14.25, 700, false, noir, {255, 0, 0},
     "Clique ici si tu veux rejouer  >>>"},
    {"SF", 8880, 6330, 1095, 405, "Arial Black", 14.25, 900, false, systeme, systeme, "Suite"},
    {"Check1", 9840, 1560, 255, 255, nullptr, 0, 0, false, grisFonce, systeme, nullptr},
    {"Check2", 9840, 1800, 255, 315, nullptr, 0, 0, false, grisFonce, systeme, nullptr},
    {"Check3", 9840, 2160, 255, 255, nullptr, 0, 0, false, grisFonce, systeme, nullptr},
    {"Check4", 9840, 2400, 255, 255, nullptr, 0, 0, false, grisFonce, systeme, nullptr},
    {"Check5", 9840, 2640, 255, 315, nullptr, 0, 0, false, grisFonce, systeme, nullptr},
    {"Check6", 9840, 3000, 255, 255, nullptr, 0, 0, false, grisFonce, systeme, nullptr},
    {"Check7", 9840, 3240, 255, 315, nullptr, 0, 0, false, grisFonce, systeme, nullptr},
};

// Where each key stands, in twips, with its caption.
struct DessinTouche
{
    const char *bouton;
    const char *etiquette;
    const char *legende;
    int left, top;
};

const DessinTouche dessinsTouches[] = {
    {"A", "aa", "A", 3840, 4920}, {"Z", "zz", "Z", 4320, 4920}, {"E", "ee", "E", 4800, 4920},
    {"R", "rr", "R", 5280, 4920}, {"T", "tt", "T", 5760, 4920}, {"Y", "yy", "Y", 6240, 4920},
    {"U", "uu", "U", 6720, 4920}, {"I", "ii", "I", 7200, 4920}, {"O", "oo", "O", 7680, 4920},
    {"P", "pp", "P", 8160, 4920}, {"tiret", "tir", "-", 8640, 4920},
    {"apostrophe", "apo", "'", 9120, 4920},
    {"Q", "qq", "Q", 4080, 5400}, {"S", "ss", "S", 4560, 5400}, {"D", "dd", "D", 5040, 5400},
    {"F", "ff", "F", 5520, 5400}, {"G", "gg", "G", 6000, 5400}, {"H", "hh", "H", 6480, 5400},
    {"J", "jj", "J", 6960, 5400}, {"K", "kk", "K", 7440, 5400}, {"L", "ll", "L", 7920, 5400},
    {"M", "mm", "M", 8400, 5400},
    {"W", "ww", "W", 4320, 5880}, {"X", "xx", "X", 4800, 5880}, {"C", "cc", "C", 5280, 5880},
    {"V", "vv", "V", 5760, 5880}, {"B", "bb", "B", 6240, 5880}, {"N", "nn", "N", 6720, 5880},
    {"space", "space2", "Espace", 7200, 5880},
};

QRect enPixels(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

// The names, in key-table order, of the keys' buttons or labels now shown.
QStringList visiblesDuClavier(const QWidget *fenetre, const char *Touche::*nom)
{
    QStringList noms;
    for (const Touche &t : clavier) {
        if (visible(fenetre, QLatin1String(t.*nom)))
            noms.append(QLatin1String(t.*nom));
    }
    return noms;
}

QStringList touchesVisibles(const QWidget *fenetre)
{
    return visiblesDuClavier(fenetre, &Touche::bouton);
}

QStringList etiquettesVisibles(const QWidget *fenetre)
{
    return visiblesDuClavier(fenetre, &Touche::etiquette);
}

QStringList toutesLesTouches()
{
    QStringList noms;
    for (const Touche &t : clavier)
        noms.append(QLatin1String(t.bouton));
    return noms;
}

QImage imageEcran(const QWidget *fenetre)
{
    return controle<QLabel>(fenetre, QStringLiteral("Ecran"))->pixmap().toImage();
}
}

class TstPendu : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void auDepartQuatreControlesSeMontrent();
    void chaqueControleEstALaPlacePrevue_data();
    void chaqueControleEstALaPlacePrevue();
    void chaqueToucheEtSonEtiquetteSontALeurPlace();
    void lesPolicesOntUnRemplacantLibre_data();
    void lesPolicesOntUnRemplacantLibre();
    void laTabulationSuitLOrdrePrevu();
    void entreeDansLeNomNeCliqueRien();

    void leNomEstGardeTelQuel_data();
    void leNomEstGardeTelQuel();
    void unNomVideEnTireUnAnonyme();
    void unSecondEntreePendantLaPartieRemontreLesListes();

    void unThemeTireSonMotEtLanceLaPartie_data();
    void unThemeTireSonMotEtLanceLaPartie();
    void recliquerLeThemeRelanceUnePartie();

    void leMotProposeLancePartie_data();
    void leMotProposeLancePartie();
    void uneSecondeOuvertureGardeLaSaisie();
    void unSecondMotApresUnePartieFinieGardeLaFin();

    void unePartieGagneeAuxTouches();
    void unePartiePerdueAuxTouches();
    void unePartiePerdueSurEspaceMontreLeMot();
    void uneImageAbsenteLaisseLEcranInchange();

private:
    Pendu *ouvre();
    void nomme(const QString &nom);
    void proposeMot(const QString &mot);
    void joue(const QString &touches);

    std::unique_ptr<Enregistreur> m_double;
    std::unique_ptr<Pendu> m_fenetre;
};

void TstPendu::initTestCase()
{
    installePolices();
}

void TstPendu::init()
{
    m_double = std::make_unique<Enregistreur>();
}

void TstPendu::cleanup()
{
    m_fenetre.reset();
}

Pendu *TstPendu::ouvre()
{
    m_fenetre = ouvrePendu(*m_double);
    return m_fenetre.get();
}

void TstPendu::nomme(const QString &nom)
{
    saisit(m_fenetre.get(), QStringLiteral("nj"), nom);
    clique(m_fenetre.get(), QStringLiteral("Entree"));
}

void TstPendu::proposeMot(const QString &mot)
{
    clique(m_fenetre.get(), QStringLiteral("Check7"));
    saisit(m_fenetre.get(), QStringLiteral("Perso"), mot);
    clique(m_fenetre.get(), QStringLiteral("op"));
}

void TstPendu::joue(const QString &touches)
{
    for (const QChar c : touches)
        clique(m_fenetre.get(), nomDeTouche(c));
}

void TstPendu::auDepartQuatreControlesSeMontrent()
{
    const Pendu *w = ouvre();
    QStringList visibles;
    for (const QWidget *enfant : w->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (enfant->isVisibleTo(w))
            visibles.append(enfant->objectName());
    }
    visibles.sort();
    QCOMPARE(visibles, (QStringList{"Ecran", "Entree", "Question1", "nj"}));
    QCOMPARE(w->windowTitle(), QStringLiteral("Gibetto - Vocabulaire et orthographe -  Olaf PIRVEC"));
    QCOMPARE(w->size(), QSize(674, 456));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    QVERIFY(!(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(w->windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(w->palette().color(QPalette::Window), QColor(224, 224, 224));
    QVERIFY(w->windowIcon().availableSizes().contains(QSize(16, 16)));
    QVERIFY(w->windowIcon().availableSizes().contains(QSize(32, 32)));
    QCOMPARE(imageEcran(w), QImage(QStringLiteral(":/assets/desert.bmp")).convertToFormat(imageEcran(w).format()));
    QCOMPARE(QApplication::focusWidget(), controle(w, QStringLiteral("Ecran")));
    QVERIFY(w->partie().nom().isEmpty());
    QCOMPARE(w->partie().jokers(), 0);
    QVERIFY(m_double->journal.isEmpty());
}

void TstPendu::chaqueControleEstALaPlacePrevue_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(dessins)); ++i)
        QTest::newRow(dessins[i].nom) << i;
}

void TstPendu::chaqueControleEstALaPlacePrevue()
{
    QFETCH(int, index);
    const Dessin &d = dessins[index];
    const Pendu *w = ouvre();
    const QWidget *c = controle(w, QLatin1String(d.nom));
    QCOMPARE(c->geometry(), enPixels(d.left, d.top, d.width, d.height));
    if (d.face) {
        QCOMPARE(c->font().family(), QLatin1String(d.face));
        QCOMPARE(c->font().pointSizeF(), d.points);
        QCOMPARE(c->font().weight(), d.poids);
        QCOMPARE(c->font().italic(), d.italique);
    }
    const bool saisie = qobject_cast<const QLineEdit *>(c) || qobject_cast<const Zone *>(c);
    if (d.fond.valide())
        QCOMPARE(c->palette().color(saisie ? QPalette::Base : QPalette::Window), d.fond.qt());
    if (d.texte.valide())
        QCOMPARE(c->palette().color(saisie ? QPalette::Text : QPalette::WindowText), d.texte.qt());
    if (d.legende) {
        if (auto *b = qobject_cast<const QAbstractButton *>(c))
            QCOMPARE(b->text(), QString::fromUtf8(d.legende));
        else
            QCOMPARE(texte(w, QLatin1String(d.nom)), QString::fromUtf8(d.legende));
    }
    if (auto *b = qobject_cast<const QPushButton *>(c))
        QVERIFY(!b->isDefault() && !b->autoDefault());
    if (auto *coche = qobject_cast<const QCheckBox *>(c)) {
        QVERIFY(coche->text().isEmpty());
        QVERIFY(!coche->isChecked());
        QVERIFY(!coche->accessibleName().isEmpty());
    }
}

void TstPendu::chaqueToucheEtSonEtiquetteSontALeurPlace()
{
    const Pendu *w = ouvre();
    const QList<QWidget *> pile = w->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (const DessinTouche &d : dessinsTouches) {
        const QString nom = QLatin1String(d.bouton);
        const int largeur = nom == QLatin1String("space") ? 1455 : 375;
        const auto *bouton = controle<QPushButton>(w, nom);
        const auto *etiquette = controle<QLabel>(w, QLatin1String(d.etiquette));
        QCOMPARE(bouton->geometry(), enPixels(d.left, d.top, largeur, 405));
        QCOMPARE(etiquette->geometry(), enPixels(d.left, d.top, largeur, 375));
        QCOMPARE(bouton->text(), QString::fromUtf8(d.legende));
        QCOMPARE(etiquette->text(), QString::fromUtf8(d.legende));
        QCOMPARE(bouton->font().pointSizeF(), nom == QLatin1String("space") ? 12.0 : 14.25);
        QCOMPARE(etiquette->font(), bouton->font());
        QCOMPARE(etiquette->palette().color(QPalette::Window), QColor(192, 0, 0));
        QCOMPARE(etiquette->palette().color(QPalette::WindowText), QColor(255, 255, 0));
        // The button is stacked above its label, so it covers it.
        QVERIFY(pile.indexOf(bouton) > pile.indexOf(etiquette));
    }
}

void TstPendu::lesPolicesOntUnRemplacantLibre_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("remplacant");
    QTest::newRow("Times") << "Times New Roman" << "Liberation Serif";
    QTest::newRow("MS Sans Serif") << "MS Sans Serif" << "Liberation Sans";
    QTest::newRow("Arial Black") << "Arial Black" << "Lato";
    QTest::newRow("Script") << "Script MT Bold" << "Dancing Script";
}

void TstPendu::lesPolicesOntUnRemplacantLibre()
{
    QFETCH(QString, face);
    QFETCH(QString, remplacant);
    const QFont f = police(face, 12, 700);
    QCOMPARE(QFontInfo(f).family(), remplacant);
    // Every French letter the game writes has a glyph in it.
    const QFontMetrics mesure(f);
    for (const QChar c : QStringLiteral("àâçéèêëîïôùûüÿœÉÈÊÀÇÔ"))
        QVERIFY2(mesure.inFont(c), qPrintable(face + QLatin1Char(' ') + c));
}

void TstPendu::laTabulationSuitLOrdrePrevu()
{
    Pendu *w = ouvre();
    nomme(QStringLiteral("Léa"));
    proposeMot(QStringLiteral("LOUP"));
    clique(w, QStringLiteral("Check7"));
    // Everything that can take the focus is now shown but for Check1..6.
    QStringList attendu = {"Ecran", "Question1", "nj", "Entree", "Accueil", "aff", "theme",
                           "Consignes"};
    for (const char *t : {"A", "Z", "E", "R", "T", "Y", "U", "I", "O", "P", "tiret", "Q", "S",
                          "D", "F", "G", "H", "J", "K", "L", "M", "W", "X", "C", "V", "B", "N",
                          "space", "apostrophe"})
        attendu.append(QLatin1String(t));
    attendu << "Check7" << "Perso" << "op";

    controle(w, QStringLiteral("Ecran"))->setFocus();
    QStringList parcours = {QApplication::focusWidget()->objectName()};
    for (int i = 1; i < attendu.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        parcours.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(parcours, attendu);
}

void TstPendu::entreeDansLeNomNeCliqueRien()
{
    const Pendu *w = ouvre();
    auto *nj = controle<QLineEdit>(w, QStringLiteral("nj"));
    nj->setFocus();
    saisit(w, QStringLiteral("nj"), QStringLiteral("Léa"));
    QTest::keyClick(nj, Qt::Key_Return);
    QTest::keyClick(nj, Qt::Key_Escape);
    QVERIFY(!visible(w, QStringLiteral("Accueil")));
    QVERIFY(w->partie().nom().isEmpty());
    QVERIFY(w->isVisible());
}

void TstPendu::leNomEstGardeTelQuel_data()
{
    QTest::addColumn<QString>("nom");
    QTest::newRow("prenom") << "Léa";
    QTest::newRow("espaces") << "   ";
    QTest::newRow("minuscules accentuees") << "  élodie  ";
}

void TstPendu::leNomEstGardeTelQuel()
{
    QFETCH(QString, nom);
    const Pendu *w = ouvre();
    nomme(nom);
    QCOMPARE(w->partie().nom(), nom);
    QCOMPARE(texte(w, QStringLiteral("Accueil")),
             QStringLiteral("Bienvenue à toi, ") + nom
                     + QStringLiteral(", tu as le choix entre plusieurs listes de mots à trouver. "
                                      "Coche la case située en face de la liste que tu veux "
                                      "choisir ..."));
    for (const char *montre : {"Accueil", "Liste", "Check1", "Check2", "Check3", "Check4",
                               "Check5", "Check6", "Check7", "Question1", "nj", "Entree"})
        QVERIFY2(visible(w, QLatin1String(montre)), montre);
    QVERIFY(!visible(w, QStringLiteral("A")));
    QVERIFY(m_double->journal.isEmpty());
}

void TstPendu::unNomVideEnTireUnAnonyme()
{
    const Pendu *w = ouvre();
    m_double->tirages = {7.5 / 9, 0.0};
    clique(w, QStringLiteral("Entree"));
    QCOMPARE(w->partie().nom(), QStringLiteral("JOUEUR MYSTÈRE"));
    QVERIFY(texte(w, QStringLiteral("Accueil")).startsWith(QStringLiteral("Bienvenue à toi, JOUEUR MYSTÈRE, tu as")));
    QVERIFY(texte(w, QStringLiteral("nj")).isEmpty());
    // A second click draws again.
    clique(w, QStringLiteral("Entree"));
    QCOMPARE(w->partie().nom(), QStringLiteral("PERSONNE"));
    QCOMPARE(m_double->journal, (QStringList{"hasard", "hasard"}));
}

void TstPendu::unSecondEntreePendantLaPartieRemontreLesListes()
{
    const Pendu *w = ouvre();
    nomme(QStringLiteral("Léa"));
    m_double->tirages = {0.0};
    clique(w, QStringLiteral("Check3"));
    joue(QStringLiteral("PZ"));
    const QString consignes = texte(w, QStringLiteral("Consignes"));

    nomme(QStringLiteral("Tom"));
    for (int i = 1; i <= 7; ++i)
        QVERIFY(visible(w, QStringLiteral("Check%1").arg(i)));
    QVERIFY(visible(w, QStringLiteral("Liste")));
    QVERIFY(texte(w, QStringLiteral("Accueil")).startsWith(QStringLiteral("Bienvenue à toi, Tom, ")));
    QCOMPARE(texte(w, QStringLiteral("aff")), QStringLiteral("P????"));
    QCOMPARE(texte(w, QStringLiteral("Consignes")), consignes);
    QCOMPARE(texte(w, QStringLiteral("Label2")), QStringLiteral(" 6"));
    QCOMPARE(touchesVisibles(w).size(), 27);
    // The game goes on, and the new name shows from the next message on.
    joue(QStringLiteral("A"));
    QVERIFY(texte(w, QStringLiteral("Consignes")).startsWith(QStringLiteral("Tom, \r\n")));
}

void TstPendu::unThemeTireSonMotEtLanceLaPartie_data()
{
    QTest::addColumn<int>("numero");
    QTest::addColumn<double>("tirage");
    QTest::addColumn<QString>("mot");
    QTest::addColumn<QString>("titre");
    QTest::newRow("1, premier") << 1 << 0.0 << "HIPPOPOTAME" << "Thème choisi: Animaux d'Afrique";
    QTest::newRow("1, dernier") << 1 << std::nextafter(1.0, 0.0) << "CAIMAN"
                                << "Thème choisi: Animaux d'Afrique";
    QTest::newRow("2, le plus court") << 2 << 7.5 / 27 << "ANE" << "Thème choisi: Animaux d'Europe";
    QTest::newRow("3, Vaduz") << 3 << 27.5 / 30 << "VADUZ" << "Thème choisi: Capitales d'Europe";
    QTest::newRow("4, le plus long") << 4 << 0.0 << "ANTICONSTITUTIONNELLEMENT"
                                     << "Divers mots choisis au hasard";
    QTest::newRow("5, tiret") << 5 << 24.5 / 29 << "SAGE-FEMME" << "Thème choisi: Noms de métiers";
    QTest::newRow("6, apostrophe") << 6 << 30.5 / 32 << "COTE D'IVOIRE" << "Thème choisi: Pays du Monde";
}

void TstPendu::unThemeTireSonMotEtLanceLaPartie()
{
    QFETCH(int, numero);
    QFETCH(double, tirage);
    QFETCH(QString, mot);
    QFETCH(QString, titre);
    const Pendu *w = ouvre();
    nomme(QStringLiteral("Léa"));
    m_double->tirages = {tirage};
    const QString coche = QStringLiteral("Check%1").arg(numero);
    clique(w, coche);

    const QString n = QLatin1Char(' ') + QString::number(mot.size());
    QCOMPARE(w->partie().mot(), mot);
    QCOMPARE(texte(w, QStringLiteral("aff")), QString(mot.size(), QLatin1Char('?')));
    QCOMPARE(texte(w, QStringLiteral("Label2")), QStringLiteral(" 7"));
    QCOMPARE(texte(w, QStringLiteral("theme")), titre);
    QCOMPARE(texte(w, QStringLiteral("Consignes")),
             QStringLiteral("Léa,\r\ntu dois trouver un mot de ") + n + QStringLiteral("  lettres."));
    QCOMPARE(texte(w, QStringLiteral("Accueil")),
             QStringLiteral("Léa, tu dois trouver un mot de ") + n
                     + QStringLiteral("  lettres. Attention, les espaces, traits d'union ou "
                                      "apostrophes peuvent être comptés dans le nombre de lettres..."));
    QCOMPARE(texte(w, QStringLiteral("Label3")), QStringLiteral("Léa\r\nclique sur une touche"));
    QCOMPARE(touchesVisibles(w), toutesLesTouches());
    QVERIFY(etiquettesVisibles(w).isEmpty());
    for (int i = 1; i <= 7; ++i)
        QCOMPARE(visible(w, QStringLiteral("Check%1").arg(i)), i == numero);
    QVERIFY(controle<QCheckBox>(w, coche)->isChecked());
    for (const char *montre : {"Label1", "Label2", "Label3", "aff", "theme", "Consignes", "Accueil", "Liste"})
        QVERIFY2(visible(w, QLatin1String(montre)), montre);
    for (const char *cache : {"SF", "Label5", "Perso", "op"})
        QVERIFY2(!visible(w, QLatin1String(cache)), cache);
    // No picture is loaded at the start of a game.
    QCOMPARE(m_double->journal, QStringList{QStringLiteral("hasard")});
}

void TstPendu::recliquerLeThemeRelanceUnePartie()
{
    const Pendu *w = ouvre();
    nomme(QStringLiteral("Léa"));
    m_double->tirages = {0.0, 7.5 / 27};
    clique(w, QStringLiteral("Check2"));
    joue(QStringLiteral("RZ"));
    const QImage avant = imageEcran(w);

    // The second click unticks the box and starts a game all the same.
    clique(w, QStringLiteral("Check2"));
    QVERIFY(!controle<QCheckBox>(w, QStringLiteral("Check2"))->isChecked());
    QCOMPARE(w->partie().mot(), QStringLiteral("ANE"));
    QCOMPARE(w->partie().jokers(), 7);
    QCOMPARE(texte(w, QStringLiteral("Label2")), QStringLiteral(" 7"));
    QCOMPARE(touchesVisibles(w), toutesLesTouches());
    // Labels of keys used before stay shown, beneath their buttons.
    QCOMPARE(etiquettesVisibles(w), (QStringList{"zz", "rr"}));
    QCOMPARE(imageEcran(w), avant);
}

void TstPendu::leMotProposeLancePartie_data()
{
    QTest::addColumn<QString>("saisie");
    QTest::addColumn<QString>("mot");
    QTest::addColumn<QString>("touches");
    QTest::addColumn<QString>("masque");
    QTest::addColumn<bool>("gagne");
    QTest::newRow("vide") << "" << "TU N'AS ECRIT AUCUN MOT" << "" << QString(23, '?') << false;
    QTest::newRow("un espace") << " " << " " << "" << "?" << false;
    QTest::newRow("espaces autour") << " LOUP " << " LOUP " << "LOUP" << "?LOUP?" << false;
    QTest::newRow("minuscules") << "loup" << "loup" << "LOUP" << "????" << false;
    QTest::newRow("point d'interrogation") << "A?" << "A?" << "A" << "A?" << true;
    QTest::newRow("que des points d'interrogation") << "???" << "???" << "Z" << "???" << true;
}

void TstPendu::leMotProposeLancePartie()
{
    QFETCH(QString, saisie);
    QFETCH(QString, mot);
    QFETCH(QString, touches);
    QFETCH(QString, masque);
    QFETCH(bool, gagne);
    const Pendu *w = ouvre();
    nomme(QStringLiteral("Léa"));
    m_double->tirages = {2.5 / 8};

    clique(w, QStringLiteral("Check7"));
    for (int i = 1; i <= 6; ++i)
        QVERIFY(!visible(w, QStringLiteral("Check%1").arg(i)));
    QVERIFY(visible(w, QStringLiteral("Perso")) && visible(w, QStringLiteral("op")));
    QCOMPARE(QApplication::focusWidget(), controle(w, QStringLiteral("Perso")));
    // The word's length must fit its 16-bit count.
    QCOMPARE(controle<QLineEdit>(w, QStringLiteral("Perso"))->maxLength(), 32767);
    QCOMPARE(texte(w, QStringLiteral("Consignes")),
             QStringLiteral("Léa,\r\npropose toi-même le mot à trouver ci-dessous puis clique si OK:"));
    QCOMPARE(texte(w, QStringLiteral("Accueil")),
             QStringLiteral("Attention, Léa, tu dois taper un mot exclusivement en MAJUSCULES sinon "
                            "il ne sera pas pris en compte par le logiciel. (Espace, trait d'union "
                            "et apostrophe acceptés)"));

    saisit(w, QStringLiteral("Perso"), saisie);
    clique(w, QStringLiteral("op"));
    QCOMPARE(w->partie().mot(), mot);
    QVERIFY(!visible(w, QStringLiteral("Perso")) && !visible(w, QStringLiteral("op")));
    QCOMPARE(texte(w, QStringLiteral("theme")), QStringLiteral("Mot proposé par l'utilisateur"));
    QCOMPARE(texte(w, QStringLiteral("Consignes")),
             QStringLiteral("Léa,\r\ntu dois trouver un mot de  %1  lettres.").arg(mot.size()));
    // The capitals warning stays: the own word writes nothing there.
    QVERIFY(texte(w, QStringLiteral("Accueil")).startsWith(QStringLiteral("Attention, Léa")));
    QCOMPARE(texte(w, QStringLiteral("Label3")), QStringLiteral("Léa\r\nclique sur une touche"));
    QCOMPARE(touchesVisibles(w), toutesLesTouches());

    joue(touches);
    QCOMPARE(w->partie().masque(), masque);
    QCOMPARE(visible(w, QStringLiteral("SF")), gagne);
    QCOMPARE(texte(w, QStringLiteral("Label3")) == QStringLiteral("Jeu terminé !"), gagne);
}

void TstPendu::uneSecondeOuvertureGardeLaSaisie()
{
    const Pendu *w = ouvre();
    nomme(QStringLiteral("Léa"));
    proposeMot(QStringLiteral("LOUP"));
    joue(QStringLiteral("L"));
    clique(w, QStringLiteral("Check7"));
    QCOMPARE(texte(w, QStringLiteral("Perso")), QStringLiteral("LOUP"));
    // Opening the entry leaves the game in progress alone.
    QCOMPARE(texte(w, QStringLiteral("aff")), QStringLiteral("L???"));
    QCOMPARE(touchesVisibles(w).size(), 28);
    QVERIFY(!controle<QCheckBox>(w, QStringLiteral("Check7"))->isChecked());
    // Ticking or unticking, the entry opens the same way.
    clique(w, QStringLiteral("Check7"));
    QVERIFY(controle<QCheckBox>(w, QStringLiteral("Check7"))->isChecked());
    QVERIFY(visible(w, QStringLiteral("Perso")) && visible(w, QStringLiteral("op")));
    QCOMPARE(texte(w, QStringLiteral("Perso")), QStringLiteral("LOUP"));
}

void TstPendu::unSecondMotApresUnePartieFinieGardeLaFin()
{
    const Pendu *w = ouvre();
    nomme(QStringLiteral("Léa"));
    proposeMot(QStringLiteral("OS"));
    joue(QStringLiteral("AOS"));
    QVERIFY(visible(w, QStringLiteral("SF")));
    const QImage victoire = imageEcran(w);

    proposeMot(QStringLiteral("RIEN"));
    QCOMPARE(w->partie().jokers(), 7);
    QCOMPARE(texte(w, QStringLiteral("Label2")), QStringLiteral(" 7"));
    QCOMPARE(texte(w, QStringLiteral("aff")), QStringLiteral("????"));
    QCOMPARE(touchesVisibles(w), toutesLesTouches());
    QVERIFY(visible(w, QStringLiteral("SF")) && visible(w, QStringLiteral("Label5")));
    QCOMPARE(etiquettesVisibles(w), (QStringList{"aa", "oo", "ss"}));
    QCOMPARE(imageEcran(w), victoire);
    // The sound of the first game is not stopped by the second.
    QCOMPARE(m_double->sonEnCours, QStringLiteral("Bravo.wav"));
}

void TstPendu::unePartieGagneeAuxTouches()
{
    const Pendu *w = ouvre();
    nomme(QStringLiteral("Zoé"));
    m_double->tirages = {2.5 / 25};
    clique(w, QStringLiteral("Check1"));
    QCOMPARE(w->partie().mot(), QStringLiteral("ELEPHANT"));
    m_double->journal.clear();

    joue(QStringLiteral("E"));
    QCOMPARE(texte(w, QStringLiteral("aff")), QStringLiteral("E?E?????"));
    QCOMPARE(texte(w, QStringLiteral("Label2")), QStringLiteral(" 7"));
    QCOMPARE(texte(w, QStringLiteral("Consignes")),
             QStringLiteral("Zoé, \r\n il ne te reste plus que  7 jokers !"));
    QVERIFY(!visible(w, QStringLiteral("E")) && visible(w, QStringLiteral("ee")));

    joue(QStringLiteral("ZLPHAN"));
    QCOMPARE(texte(w, QStringLiteral("Label2")), QStringLiteral(" 6"));
    QVERIFY(!visible(w, QStringLiteral("SF")));
    joue(QStringLiteral("T"));

    QCOMPARE(m_double->journal,
             (QStringList{"image 0.bmp", "image 1.bmp", "image 1.bmp", "image 1.bmp", "image 1.bmp",
                          "image 1.bmp", "image 1.bmp", "image 1.bmp", "image victoire.bmp",
                          "son Bravo.wav"}));
    QCOMPARE(Enregistreur::origine(imageEcran(w)), QStringLiteral("victoire.bmp"));
    QCOMPARE(texte(w, QStringLiteral("aff")), QStringLiteral("ELEPHANT"));
    QCOMPARE(texte(w, QStringLiteral("Consignes")), QStringLiteral("Zoé, \r\ntu as gagné, félicitations !"));
    QCOMPARE(texte(w, QStringLiteral("Label3")), QStringLiteral("Jeu terminé !"));
    QCOMPARE(texte(w, QStringLiteral("Label2")), QStringLiteral(" 6"));
    QVERIFY(visible(w, QStringLiteral("SF")) && visible(w, QStringLiteral("Label5")));
    QVERIFY(touchesVisibles(w).isEmpty());
    QCOMPARE(etiquettesVisibles(w), (QStringList{"aa", "zz", "ee", "tt", "pp", "hh", "ll", "nn"}));
}

void TstPendu::unePartiePerdueAuxTouches()
{
    const Pendu *w = ouvre();
    nomme(QStringLiteral("Léa"));
    proposeMot(QStringLiteral("PORC-EPIC"));
    m_double->journal.clear();
    joue(QStringLiteral("-ZXWVB"));
    QCOMPARE(texte(w, QStringLiteral("Consignes")),
             QStringLiteral("Léa, \r\n il ne te reste plus que  2 jokers !"));
    joue(QStringLiteral("N"));
    QCOMPARE(texte(w, QStringLiteral("Consignes")),
             QStringLiteral("Léa, \r\n il ne te reste plus que  1 joker !"));
    QCOMPARE(m_double->journal.last(), QStringLiteral("image 6.bmp"));
    QVERIFY(!visible(w, QStringLiteral("SF")));

    joue(QStringLiteral("M"));
    QCOMPARE(m_double->journal.mid(m_double->journal.size() - 2),
             (QStringList{"image 7.bmp", "son Echec.wav"}));
    QCOMPARE(texte(w, QStringLiteral("Label2")), QStringLiteral(" 0"));
    QCOMPARE(texte(w, QStringLiteral("aff")), QStringLiteral("PORC-EPIC"));
    QCOMPARE(texte(w, QStringLiteral("Consignes")),
             QStringLiteral("Léa, \r\ntu as utilisé tous tes jokers et tu as malheureusement perdu !"));
    QCOMPARE(texte(w, QStringLiteral("Label3")), QStringLiteral("Jeu terminé !"));
    QVERIFY(visible(w, QStringLiteral("SF")) && visible(w, QStringLiteral("Label5")));
    QVERIFY(touchesVisibles(w).isEmpty());
    QCOMPARE(etiquettesVisibles(w).size(), 8);
}

void TstPendu::unePartiePerdueSurEspaceMontreLeMot()
{
    const Pendu *w = ouvre();
    nomme(QStringLiteral("Léa"));
    proposeMot(QStringLiteral("LOUP"));
    joue(QStringLiteral("LZXWVBN"));
    joue(QStringLiteral(" "));
    QCOMPARE(w->partie().jokers(), 0);
    QCOMPARE(texte(w, QStringLiteral("aff")), QStringLiteral("LOUP"));
    QCOMPARE(m_double->sonEnCours, QStringLiteral("Echec.wav"));
}

void TstPendu::uneImageAbsenteLaisseLEcranInchange()
{
    const Pendu *w = ouvre();
    nomme(QStringLiteral("Léa"));
    proposeMot(QStringLiteral("OS"));
    m_double->absentes = {QStringLiteral("1.bmp"), QStringLiteral("victoire.bmp")};
    joue(QStringLiteral("O"));
    const QImage etape0 = imageEcran(w);
    joue(QStringLiteral("Z"));
    QCOMPARE(imageEcran(w), etape0);
    QCOMPARE(texte(w, QStringLiteral("Label2")), QStringLiteral(" 6"));
    joue(QStringLiteral("S"));
    QCOMPARE(imageEcran(w), etape0);
    QCOMPARE(texte(w, QStringLiteral("Consignes")), QStringLiteral("Léa, \r\ntu as gagné, félicitations !"));
    QCOMPARE(m_double->sonEnCours, QStringLiteral("Bravo.wav"));
}

QTEST_MAIN(TstPendu)
#include "tst_pendu.moc"
