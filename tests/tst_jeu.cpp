// The life of the program: "Suite" at the end of a game, the replay window,
// a fresh main window with the name carried over, and the end.
#include "aide_fenetres.h"

#include "fenetres.h"
#include "jeu.h"
#include "pendu.h"
#include "rejouer.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <functional>

#include <memory>

namespace {
void ramasse()
{
    // Closed windows go at the next turn of the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Runs the program's event loop with `geste` as its first event. True when
// the loop ends by itself, as the program does once its last window is gone.
bool leProgrammeSeTermine(const std::function<void()> &geste, int attente = 3000)
{
    QTimer::singleShot(0, geste);
    QTimer garde;
    garde.setSingleShot(true);
    QObject::connect(&garde, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    garde.start(attente);
    return QApplication::exec() == 0;
}

int fenetresVisibles()
{
    int n = 0;
    for (const QWidget *w : QApplication::topLevelWidgets())
        n += w->isVisible() ? 1 : 0;
    return n;
}
}

class TstJeu : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void laFenetreRejouerEstCommeDessinee_data();
    void laFenetreRejouerEstCommeDessinee();
    void entreeEtEchapNeCliquentRien();

    void suiteOuvreRejouerEtFermeLaPartie();
    void ouiOuvreUneFenetreNeuveAvecLeNom_data();
    void ouiOuvreUneFenetreNeuveAvecLeNom();
    void unSecondSuiteRemontreLaMemeFenetre();
    void nonTermineLeProgramme();
    void fermerRejouerVautNon();
    void fermerLaFenetreApresUnePartieRejoueeTermine();
    void fermerLaPremiereFenetreTermine();
    void beaucoupDePartiesNAccumulentAucuneFenetre();

private:
    Pendu *gagneUnePartie(const QString &nom);

    std::unique_ptr<Enregistreur> m_double;
    std::unique_ptr<Jeu> m_jeu;
};

void TstJeu::initTestCase()
{
    installePolices();
}

void TstJeu::init()
{
    m_double = std::make_unique<Enregistreur>();
    m_jeu = std::make_unique<Jeu>(Services{*m_double, *m_double, *m_double});
}

void TstJeu::cleanup()
{
    m_jeu.reset();
    ramasse();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

Pendu *TstJeu::gagneUnePartie(const QString &nom)
{
    Pendu *w = m_jeu->pendu() ? m_jeu->pendu() : m_jeu->ouvrePendu();
    if (!QTest::qWaitForWindowExposed(w))
        qFatal("the main window did not show");
    gagneSurUnMot(w, nom);
    return w;
}

void TstJeu::laFenetreRejouerEstCommeDessinee_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("face");
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("poids");
    QTest::addColumn<QColor>("texte");
    QTest::addColumn<QString>("legende");
    const QColor bleu(0, 0, 192);
    QTest::newRow("oui") << "oui" << QRect(56, 96, 57, 41) << "Arial Black" << 14.25 << 900
                         << QColor() << "OUI";
    QTest::newRow("non") << "non" << QRect(168, 96, 57, 41) << "Arial Black" << 14.25 << 900
                         << QColor() << "NON";
    QTest::newRow("Label1") << "Label1" << QRect(8, 144, 273, 65) << "Script MT Bold" << 18.0
                            << 700 << QColor(255, 0, 0)
                            << "Gibetto :   logique,  vocabulaire  et orthographe";
    QTest::newRow("nj") << "nj" << QRect(0, 8, 257, 33) << "Times New Roman" << 15.75 << 700
                        << bleu << "";
    QTest::newRow("Label2") << "Label2" << QRect(0, 48, 257, 41) << "Script MT Bold" << 24.0 << 700
                            << bleu << "Veux-tu rejouer ?";
}

void TstJeu::laFenetreRejouerEstCommeDessinee()
{
    QFETCH(QString, nom);
    QFETCH(QRect, place);
    QFETCH(QString, face);
    QFETCH(double, points);
    QFETCH(int, poids);
    QFETCH(QColor, texte);
    QFETCH(QString, legende);

    clique(gagneUnePartie(QStringLiteral("Léa")), QStringLiteral("SF"));
    const Rejouer *r = m_jeu->rejouer();
    QVERIFY(r && r->isVisible());
    QCOMPARE(r->windowTitle(), QStringLiteral("        Continuer à jouer"));
    QCOMPARE(r->size(), QSize(287, 212));
    QCOMPARE(r->minimumSize(), r->maximumSize());
    QVERIFY(!(r->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(r->palette().color(QPalette::Window), QColor(224, 224, 224));
    QVERIFY(r->windowIcon().availableSizes().contains(QSize(32, 32)));
    QCOMPARE(r->focusWidget(), controle(r, QStringLiteral("oui")));

    const QWidget *c = controle(r, nom);
    QVERIFY(c->isVisible());
    QCOMPARE(c->geometry(), place);
    QCOMPARE(c->font().family(), face);
    QCOMPARE(c->font().pointSizeF(), points);
    QCOMPARE(c->font().weight(), poids);
    const bool saisie = qobject_cast<const QLineEdit *>(c);
    if (texte.isValid()) {
        QCOMPARE(c->palette().color(saisie ? QPalette::Text : QPalette::WindowText), texte);
        QCOMPARE(c->palette().color(saisie ? QPalette::Base : QPalette::Window), QColor(224, 224, 224));
    }
    if (auto *b = qobject_cast<const QAbstractButton *>(c))
        QCOMPARE(b->text(), legende);
    else if (!saisie)
        QCOMPARE(::texte(r, nom), legende);
}

void TstJeu::entreeEtEchapNeCliquentRien()
{
    clique(gagneUnePartie(QStringLiteral("Léa")), QStringLiteral("SF"));
    Rejouer *r = m_jeu->rejouer();
    QSignalSpy oui(r, &Rejouer::oui);
    QSignalSpy non(r, &Rejouer::non);
    auto *bouton = controle(r, QStringLiteral("oui"));
    bouton->setFocus();
    QTest::keyClick(bouton, Qt::Key_Return);
    QTest::keyClick(bouton, Qt::Key_Enter);
    QTest::keyClick(bouton, Qt::Key_Escape);
    QCOMPARE(oui.count(), 0);
    QCOMPARE(non.count(), 0);
    QVERIFY(r->isVisible());
}

void TstJeu::suiteOuvreRejouerEtFermeLaPartie()
{
    QPointer<Pendu> w = gagneUnePartie(QStringLiteral("Léa"));
    QCOMPARE(m_double->sonEnCours, QStringLiteral("Bravo.wav"));
    QVERIFY(!m_jeu->rejouer());

    clique(w, QStringLiteral("SF"));
    const Rejouer *r = m_jeu->rejouer();
    QVERIFY(r && r->isVisible());
    QCOMPARE(r->nomSaisi(), QStringLiteral("Léa"));
    QVERIFY(m_double->sonEnCours.isEmpty());
    QCOMPARE(m_double->journal.last(), QStringLiteral("arret"));
    QVERIFY(!w->isVisible());
    ramasse();
    QVERIFY(w.isNull());
    QCOMPARE(fenetresVisibles(), 1);
}

void TstJeu::ouiOuvreUneFenetreNeuveAvecLeNom_data()
{
    QTest::addColumn<QString>("saisie");
    QTest::addColumn<QString>("nom");
    QTest::newRow("inchange") << QString() << "Léa";
    QTest::newRow("modifie") << "Zoé Martin" << "Zoé Martin";
    QTest::newRow("vide") << "" << "";
}

void TstJeu::ouiOuvreUneFenetreNeuveAvecLeNom()
{
    QFETCH(QString, saisie);
    QFETCH(QString, nom);
    clique(gagneUnePartie(QStringLiteral("Léa")), QStringLiteral("SF"));
    QPointer<Rejouer> r = m_jeu->rejouer();
    if (!saisie.isNull())
        saisit(r, QStringLiteral("nj"), saisie);
    const int journal = int(m_double->journal.size());

    clique(r, QStringLiteral("oui"));
    Pendu *neuve = m_jeu->pendu();
    QVERIFY(neuve && neuve->isVisible());
    QCOMPARE(texte(neuve, QStringLiteral("nj")), nom);
    QVERIFY(!r->isVisible());
    ramasse();
    QVERIFY(!r.isNull());
    QCOMPARE(fenetresVisibles(), 1);
    // A fresh start: nothing of the old game shows through, nothing sounds.
    QVERIFY(neuve->partie().nom().isEmpty());
    QVERIFY(neuve->partie().mot().isEmpty());
    QCOMPARE(neuve->partie().jokers(), 0);
    for (const char *cache : {"Accueil", "Liste", "Check7", "aff", "SF", "Label5", "A", "aa", "oo"})
        QVERIFY2(!visible(neuve, QLatin1String(cache)), cache);
    QCOMPARE(m_double->journal.size(), journal);
    QVERIFY(m_double->sonEnCours.isEmpty());
}

void TstJeu::unSecondSuiteRemontreLaMemeFenetre()
{
    clique(gagneUnePartie(QStringLiteral("Léa")), QStringLiteral("SF"));
    const Rejouer *premiere = m_jeu->rejouer();
    clique(premiere, QStringLiteral("oui"));
    ramasse();

    // Named anew in the second game.
    clique(gagneUnePartie(QStringLiteral("Tom")), QStringLiteral("SF"));
    QCOMPARE(m_jeu->rejouer(), premiere);
    QVERIFY(premiere->isVisible());
    QCOMPARE(premiere->nomSaisi(), QStringLiteral("Tom"));
    QCOMPARE(m_double->journal.count(QStringLiteral("arret")), 2);
}

void TstJeu::nonTermineLeProgramme()
{
    QVERIFY(!leProgrammeSeTermine([this] {
        clique(gagneUnePartie(QStringLiteral("Léa")), QStringLiteral("SF"));
    }, 500));
    QPointer<Rejouer> r = m_jeu->rejouer();
    QVERIFY(leProgrammeSeTermine([r] { clique(r, QStringLiteral("non")); }));
    QVERIFY(r.isNull());
    QVERIFY(!m_jeu->pendu());
}

void TstJeu::fermerRejouerVautNon()
{
    clique(gagneUnePartie(QStringLiteral("Léa")), QStringLiteral("SF"));
    QPointer<Rejouer> r = m_jeu->rejouer();
    QSignalSpy non(r.data(), &Rejouer::non);
    QVERIFY(leProgrammeSeTermine([r] { r->close(); }));
    QCOMPARE(non.count(), 1);
    QVERIFY(r.isNull());
}

void TstJeu::fermerLaFenetreApresUnePartieRejoueeTermine()
{
    QVERIFY(!leProgrammeSeTermine([this] {
        clique(gagneUnePartie(QStringLiteral("Léa")), QStringLiteral("SF"));
        clique(m_jeu->rejouer(), QStringLiteral("oui"));
    }, 500));
    // The replay window still exists, hidden; it must not keep the program alive.
    QVERIFY(m_jeu->rejouer());
    QVERIFY(leProgrammeSeTermine([this] { m_jeu->pendu()->close(); }));
}

void TstJeu::fermerLaPremiereFenetreTermine()
{
    Pendu *w = m_jeu->ouvrePendu();
    QVERIFY(leProgrammeSeTermine([w] { w->close(); }));
}

void TstJeu::beaucoupDePartiesNAccumulentAucuneFenetre()
{
    QList<qsizetype> widgets;
    for (int partie = 0; partie < 40; ++partie) {
        clique(gagneUnePartie(QStringLiteral("Léa")), QStringLiteral("SF"));
        clique(m_jeu->rejouer(), QStringLiteral("oui"));
        ramasse();
        QCOMPARE(QApplication::topLevelWidgets().size(), 2);
        widgets.append(QApplication::allWidgets().size());
    }
    QCOMPARE(widgets.first(), widgets.last());
    QCOMPARE(std::count(widgets.cbegin(), widgets.cend(), widgets.first()), widgets.size());
    qInfo("%d games: %lld widgets alive after each", int(widgets.size()), qlonglong(widgets.first()));
}

QTEST_MAIN(TstJeu)
#include "tst_jeu.moc"
