// The windows' wiring: each click reaches the engine and what it decides
// reaches the right controls; the windows' lifetimes and the program's end.
#include "depart.h"
#include "enregistreur.h"
#include "controles.h"
#include "jeu.h"
#include "pendu.h"
#include "rejouer.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
QWidget *fenetre(const char *nom)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(nom))
            return w;
    }
    return nullptr;
}

template<typename T = QWidget>
T *controle(const QWidget *w, const QString &nom)
{
    auto *c = w->findChild<T *>(nom, Qt::FindDirectChildrenOnly);
    if (!c)
        qFatal("no control %s", qPrintable(nom));
    return c;
}

bool visible(const QWidget *w, const QString &nom)
{
    return controle(w, nom)->isVisibleTo(w);
}

void clique(const QWidget *w, const QString &nom)
{
    auto *b = controle<QAbstractButton>(w, nom);
    QVERIFY2(b->isVisible(), qPrintable(nom + " is hidden"));
    QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
}

QString texte(const QWidget *w, const QString &nom)
{
    if (auto *zone = w->findChild<Zone *>(nom))
        return zone->texte();
    if (auto *etiquette = w->findChild<Etiquette *>(nom))
        return etiquette->legende();
    return controle<QLineEdit>(w, nom)->text();
}

void saisit(const QWidget *w, const QString &nom, const QString &texte)
{
    controle<QLineEdit>(w, nom)->setText(texte);
}

QStringList montres(const QWidget *w)
{
    QStringList noms;
    for (const QWidget *c : w->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (c->isVisibleTo(w))
            noms.append(c->objectName());
    }
    return noms;
}

// The program's event loop, ended by the gesture within a few seconds.
bool finitLeJeu(const std::function<void()> &geste)
{
    QApplication::setQuitOnLastWindowClosed(true);
    QTimer::singleShot(0, geste);
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
    const bool fini = QApplication::exec() == 0;
    QApplication::setQuitOnLastWindowClosed(false);
    return fini;
}

QString ecran(const QWidget *w)
{
    return controle<QLabel>(w, "Ecran")->pixmap().toImage().text("fichier");
}
}

class TstFenetres : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void auDepartQuatreControlesSeMontrent();
    void entreeAccueilleLeJoueur_data();
    void entreeAccueilleLeJoueur();
    void chaqueCocheLanceSonTheme();
    void leMotProposeLanceLaPartie_data();
    void leMotProposeLanceLaPartie();
    void uneToucheMontreLeBilanDuMoteur();
    void uneImageAbsenteLaisseLEcranVide();
    void suiteOuiNonMenentDUneFenetreALAutre();
    void fermerLaFenetreQuandRejouerEstCacheeFinitLeJeu();

private:
    Pendu *commence(const QString &mot);

    Enregistreur m_machine;
    std::unique_ptr<Jeu> m_jeu;
    Pendu *m_pendu = nullptr;
};

void TstFenetres::init()
{
    m_machine = {};
    QApplication::setQuitOnLastWindowClosed(false);
    m_jeu = std::make_unique<Jeu>(Services{m_machine, m_machine, m_machine});
    m_jeu->ouvrePendu();
    m_pendu = static_cast<Pendu *>(fenetre("Pendu"));
    QVERIFY(QTest::qWaitForWindowExposed(m_pendu));
}

void TstFenetres::cleanup()
{
    m_jeu.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

Pendu *TstFenetres::commence(const QString &mot)
{
    saisit(m_pendu, "nj", "Zoé");
    clique(m_pendu, "Entree");
    clique(m_pendu, "Check7");
    saisit(m_pendu, "Perso", mot);
    clique(m_pendu, "op");
    return m_pendu;
}

void TstFenetres::auDepartQuatreControlesSeMontrent()
{
    QCOMPARE(montres(m_pendu), (QStringList{"Question1", "nj", "Entree", "Ecran"}));
    QVERIFY(!controle<QLabel>(m_pendu, "Ecran")->pixmap().isNull());
    QCOMPARE(m_pendu->focusWidget(), controle(m_pendu, "Ecran"));
    // Enter in the name box clicks nothing.
    QTest::keyClick(controle(m_pendu, "nj"), Qt::Key_Return);
    QVERIFY(!visible(m_pendu, "Accueil"));
}

void TstFenetres::entreeAccueilleLeJoueur_data()
{
    QTest::addColumn<QString>("saisie");
    QTest::addColumn<QString>("nom");
    QTest::newRow("typed") << "zoé " << "zoé ";
    QTest::newRow("empty") << "" << "JOUEUR MYSTÈRE";
}

void TstFenetres::entreeAccueilleLeJoueur()
{
    QFETCH(QString, saisie);
    QFETCH(QString, nom);
    m_machine.tirages = {0.8};
    saisit(m_pendu, "nj", saisie);
    clique(m_pendu, "Entree");
    QCOMPARE(texte(m_pendu, "Accueil"), bienvenue(nom));
    QCOMPARE(texte(m_pendu, "nj"), saisie);
    QCOMPARE(montres(m_pendu).size(), 4 + 2 + 7);
}

void TstFenetres::chaqueCocheLanceSonTheme()
{
    saisit(m_pendu, "nj", "Zoé");
    for (std::size_t i = 0; i + 1 < nombreChoix; ++i) {
        clique(m_pendu, "Entree");
        const QString coche = QStringLiteral("Check%1").arg(i + 1);
        m_machine.tirages = {0.0};
        clique(m_pendu, coche);
        const QString mot = choix()[i].mots.first();
        QCOMPARE(m_pendu->partie().mot(), mot);
        QCOMPARE(texte(m_pendu, "aff"), QString(mot.size(), '?'));
        QCOMPARE(texte(m_pendu, "theme"), choix()[i].titre);
        QCOMPARE(texte(m_pendu, "Accueil"), accueilDepart("Zoé", qint16(mot.size())));
        QCOMPARE(texte(m_pendu, "Consignes"), consignesDepart("Zoé", qint16(mot.size())));
        QCOMPARE(texte(m_pendu, "Label3"), invite("Zoé"));
        QCOMPARE(texte(m_pendu, "Label2"), " 7");
        for (std::size_t j = 0; j < nombreChoix; ++j)
            QCOMPARE(visible(m_pendu, QStringLiteral("Check%1").arg(j + 1)), j == i);
        for (const Touche &t : clavier)
            QVERIFY(visible(m_pendu, t.bouton));
    }
}

void TstFenetres::leMotProposeLanceLaPartie_data()
{
    QTest::addColumn<QString>("saisie");
    QTest::addColumn<QString>("mot");
    QTest::newRow("typed") << " OS" << " OS";
    QTest::newRow("empty") << "" << "CONSIGNES MAL LUES";
}

void TstFenetres::leMotProposeLanceLaPartie()
{
    QFETCH(QString, saisie);
    QFETCH(QString, mot);
    saisit(m_pendu, "nj", "Zoé");
    clique(m_pendu, "Entree");
    clique(m_pendu, "Check7");
    QCOMPARE(texte(m_pendu, "Consignes"), consignesPerso("Zoé"));
    QCOMPARE(texte(m_pendu, "Accueil"), accueilPerso("Zoé"));
    QCOMPARE(QApplication::focusWidget(), controle(m_pendu, "Perso"));
    m_machine.tirages = {0.5};
    saisit(m_pendu, "Perso", saisie);
    clique(m_pendu, "op");
    QCOMPARE(m_pendu->partie().mot(), mot);
    QCOMPARE(texte(m_pendu, "theme"), choix().back().titre);
    QCOMPARE(texte(m_pendu, "Consignes"), consignesDepart("Zoé", qint16(mot.size())));
    QVERIFY(!visible(m_pendu, "Perso") && !visible(m_pendu, "op"));
    QVERIFY(visible(m_pendu, "apostrophe"));
}

void TstFenetres::uneToucheMontreLeBilanDuMoteur()
{
    commence("OS");
    Partie moteur;
    moteur.nomme("Zoé");
    moteur.commence("OS");
    for (const char *touche : {"Z", "O", "S"}) {
        clique(m_pendu, touche);
        moteur.essai(QChar::fromLatin1(*touche).unicode());
        const Bilan b = moteur.bilan();
        QVERIFY(!visible(m_pendu, touche));
        QVERIFY(visible(m_pendu, QString(touche).toLower().repeated(2)));
        QCOMPARE(texte(m_pendu, "aff"), b.aff);
        QCOMPARE(texte(m_pendu, "Label2"), b.jokers);
        QCOMPARE(ecran(m_pendu), b.images.last().fichier);
        QCOMPARE(texte(m_pendu, "Consignes"), b.issue == Issue::EnCours ? b.message : b.messageFin);
    }
    QCOMPARE(m_machine.journal.mid(m_machine.journal.indexOf("image 1.bmp")),
             (QStringList{"image 1.bmp", "image 1.bmp", "image 1.bmp", "image victoire.bmp",
                          "son Bravo.wav"}));
    QCOMPARE(texte(m_pendu, "Label3"), "Jeu terminé !");
    QVERIFY(visible(m_pendu, "SF") && visible(m_pendu, "Label5"));
    for (const Touche &t : clavier)
        QVERIFY(!visible(m_pendu, t.bouton));

    // A new own word on the same window: the keys are back, the end of the
    // last game stays.
    clique(m_pendu, "Check7");
    clique(m_pendu, "op");
    QVERIFY(visible(m_pendu, "A") && visible(m_pendu, "SF") && visible(m_pendu, "oo"));
    for (const char *touche : {"A", "B", "C", "D", "E", "F", "G"})
        clique(m_pendu, touche);
    QCOMPARE(texte(m_pendu, "aff"), "OS");
    QCOMPARE(m_machine.journal.last(), "son Echec.wav");
}

void TstFenetres::uneImageAbsenteLaisseLEcranVide()
{
    m_machine.absentes = {"1.bmp"};
    commence("OS");
    clique(m_pendu, "A");
    auto *image = controle<QLabel>(m_pendu, "Ecran");
    QVERIFY(image->pixmap().isNull());
    QVERIFY(image->accessibleDescription().contains("1.bmp"));
    clique(m_pendu, "B");
    QCOMPARE(ecran(m_pendu), "2.bmp");
    QVERIFY(visible(m_pendu, "C"));
}

void TstFenetres::suiteOuiNonMenentDUneFenetreALAutre()
{
    QPointer<Pendu> premier = commence("OS");
    clique(m_pendu, "O");
    clique(m_pendu, "S");
    clique(m_pendu, "SF");
    QCOMPARE(m_machine.journal.last(), "arret");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!premier);
    auto *rejouer = static_cast<Rejouer *>(fenetre("Rejouer"));
    QVERIFY(rejouer && rejouer->isVisible());
    QCOMPARE(rejouer->focusWidget(), controle(rejouer, "oui"));
    QCOMPARE(texte(rejouer, "nj"), "Zoé");

    saisit(rejouer, "nj", "Léo");
    clique(rejouer, "oui");
    m_pendu = static_cast<Pendu *>(fenetre("Pendu"));
    QVERIFY(m_pendu && m_pendu->isVisible() && !rejouer->isVisible());
    QCOMPARE(texte(m_pendu, "nj"), "Léo");
    QCOMPARE(montres(m_pendu).size(), 4);

    clique(m_pendu, "Entree");
    clique(m_pendu, "Check7");
    saisit(m_pendu, "Perso", "A");
    clique(m_pendu, "op");
    clique(m_pendu, "A");
    clique(m_pendu, "SF");
    QCOMPARE(fenetre("Rejouer"), rejouer);
    QCOMPARE(texte(rejouer, "nj"), "Léo");
    QVERIFY(finitLeJeu([rejouer] { clique(rejouer, "non"); }));
    QVERIFY(!fenetre("Rejouer") && !fenetre("Pendu"));
}

void TstFenetres::fermerLaFenetreQuandRejouerEstCacheeFinitLeJeu()
{
    commence("A");
    clique(m_pendu, "A");
    clique(m_pendu, "SF");
    clique(fenetre("Rejouer"), "oui");
    QVERIFY(finitLeJeu([] { fenetre("Pendu")->close(); }));
}

QTEST_MAIN(TstFenetres)
#include "tst_fenetres.moc"
