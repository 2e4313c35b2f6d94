// The windows' wiring: each click reaches the engine, what it decides reaches
// the right controls, with the exact texts; the windows' lives; and the rules
// of a game holding whatever a player does.
#include "enregistreur.h"
#include "jeu.h"
#include "pendu.h"
#include "pilote.h"

#include <QRandomGenerator>

#include <cmath>

namespace {
const QStringList textes = {"", "   ", "OS", "A-B C'D", "??", "😀 ÉTÉ", "E\u0301TE", "שלום", "\x01\x07\x1b",
                             QString(QChar(0)) + "A", "\tA\nB\r\n", QString(300, 'N')};
// The longest word the game counts, and one more pasted. A name that long
// makes every message slow to lay out, so only words get them.
const QStringList mots = textes + QStringList{QString(32767, 'E'), QString(32768, 'B')};
}

class TstFenetres : public QObject
{
    Q_OBJECT
    Enregistreur m_machine;
    std::unique_ptr<Jeu> m_jeu;
    QWidget *m_pendu = nullptr;

    void commence(const QString &mot)
    {
        saisit(m_pendu, "nj", "Zoé");
        clique(m_pendu, {"Entree", "Check7"});
        saisit(m_pendu, "Perso", mot);
        clique(m_pendu, {"op"});
    }
    const Partie &partie() const { return static_cast<Pendu *>(m_pendu)->partie(); }

private Q_SLOTS:
    void init()
    {
        m_machine = {};
        QApplication::setQuitOnLastWindowClosed(false);
        m_jeu = std::make_unique<Jeu>(Services{m_machine, m_machine, m_machine});
        m_jeu->ouvrePendu();
        m_pendu = fenetre("Pendu");
        QVERIFY(QTest::qWaitForWindowExposed(m_pendu));
    }
    void cleanup() { m_jeu.reset(); }

    void auDepartQuatreControlesSeMontrent()
    {
        QCOMPARE(montres(m_pendu), (QStringList{"Question1", "nj", "Entree", "Ecran"}));
        QCOMPARE(m_pendu->focusWidget()->objectName(), "Ecran");
        // The name as typed, then one drawn for an empty box.
        m_machine.tirages = {0.8};
        for (const QString nom : {" zoé ", ""}) {
            saisit(m_pendu, "nj", nom);
            clique(m_pendu, {"Entree"});
            QCOMPARE(texte(m_pendu, "Accueil"),
                     "Bienvenue à toi, " + (nom.isEmpty() ? "JOUEUR MYSTÈRE" : nom) + ", tu as le choix entre plusieurs "
                     "listes de mots à trouver. Coche la case située en face de la liste que tu veux choisir ...");
            QCOMPARE(montres(m_pendu).size(), 4 + 2 + 7);
        }
        // A click anywhere on a check box's grey area ticks it.
        auto *coche = m_pendu->findChild<QAbstractButton *>("Check2");
        QTest::mouseClick(coche, Qt::LeftButton, {}, coche->rect().bottomRight());
        QVERIFY(coche->isChecked());
    }

    void chaqueCocheLanceSonTheme()
    {
        // Each box draws from its own list, up to its last word and never past.
        saisit(m_pendu, "nj", "Zoé");
        for (std::size_t i = 0; i + 1 < nombreChoix; ++i) {
            clique(m_pendu, {"Entree"});
            const QString coche = QStringLiteral("Check%1").arg(i + 1);
            m_machine.tirages = {std::nextafter(1.0, 0.0)};
            clique(m_pendu, {coche});
            QCOMPARE(partie().mot(), choix()[i].mots.last());
            QCOMPARE(texte(m_pendu, "theme"), choix()[i].titre);
            QCOMPARE(montres(m_pendu).filter("Check"), QStringList{coche});
        }
        // The last, on "BURKINA FASSO", with every text of a game's start.
        QCOMPARE(texte(m_pendu, "aff"), "?????????????");
        QCOMPARE(texte(m_pendu, "Accueil"),
                 "Zoé, tu dois trouver un mot de  13  lettres. Attention, les espaces, traits "
                 "d'union ou apostrophes peuvent être comptés dans le nombre de lettres...");
        QCOMPARE(texte(m_pendu, "Consignes"), "Zoé,\r\ntu dois trouver un mot de  13  lettres.");
        QCOMPARE(texte(m_pendu, "Label3"), "Zoé\r\nclique sur une touche");
        QCOMPARE(texte(m_pendu, "Label2"), " 7");
    }

    void leMotProposeLanceLaPartie()
    {
        saisit(m_pendu, "nj", "Zoé");
        clique(m_pendu, {"Entree"});
        m_machine.tirages = {0.5};
        // As typed, then a fallback word for an empty entry.
        for (const QString mot : {" OS", ""}) {
            clique(m_pendu, {"Check7"});
            QCOMPARE(texte(m_pendu, "Consignes"),
                     "Zoé,\r\npropose toi-même le mot à trouver ci-dessous puis clique si OK:");
            QCOMPARE(texte(m_pendu, "Accueil"),
                     "Attention, Zoé, tu dois taper un mot exclusivement en MAJUSCULES sinon il ne sera "
                     "pas pris en compte par le logiciel. (Espace, trait d'union et apostrophe acceptés)");
            QCOMPARE(m_pendu->focusWidget()->objectName(), "Perso");
            QCOMPARE(montres(m_pendu).filter("Check"), QStringList{"Check7"});
            saisit(m_pendu, "Perso", mot);
            clique(m_pendu, {"op"});
            QCOMPARE(partie().mot(), mot.isEmpty() ? "CONSIGNES MAL LUES" : mot);
            QCOMPARE(texte(m_pendu, "theme"), "Mot proposé par l'utilisateur");
            QCOMPARE(montres(m_pendu).filter(QRegularExpression("^(Perso|op|apostrophe)$")), QStringList{"apostrophe"});
        }
    }

    void uneToucheMontreLeBilanDuMoteur()
    {
        commence("OS");
        Partie moteur;
        moteur.nomme("Zoé");
        moteur.commence("OS");
        for (const char *touche : {"Z", "O", "S"}) {
            clique(m_pendu, {touche});
            moteur.essai(QChar::fromLatin1(*touche).unicode());
            const Bilan b = moteur.bilan();
            const QStringList vus = montres(m_pendu);
            QVERIFY(!vus.contains(touche) && vus.contains(QString(touche).toLower().repeated(2)));
            QCOMPARE(texte(m_pendu, "aff"), b.aff);
            QCOMPARE(texte(m_pendu, "Label2"), b.jokers);
            QCOMPARE(texte(m_pendu, "Consignes"), b.issue == Issue::EnCours ? b.message : b.messageFin);
        }
        QCOMPARE(m_machine.journal.mid(m_machine.journal.indexOf("image 1.bmp")),
                 (QStringList{"image 1.bmp", "image 1.bmp", "image 1.bmp", "image victoire.bmp", "son Bravo.wav"}));
        QCOMPARE(texte(m_pendu, "Label3"), "Jeu terminé !");
        QVERIFY(montres(m_pendu).contains("SF") && montres(m_pendu).contains("Label5") && !montres(m_pendu).contains("A"));

        // A new own word on the same window: the keys are back, the end of the
        // last game stays.
        clique(m_pendu, {"Check7", "op"});
        QVERIFY(montres(m_pendu).contains("A") && montres(m_pendu).contains("SF") && montres(m_pendu).contains("oo"));
        // The used key's red label under it shows nowhere, not even at its corners.
        const QImage o = m_pendu->grab(m_pendu->findChild<QWidget *>("O")->geometry()).toImage();
        for (int i = 0; i < o.width() * o.height(); ++i)
            QVERIFY(o.pixel(i % o.width(), i / o.width()) != qRgb(192, 0, 0));
    }

    void suiteOuiNonMenentDUneFenetreALAutre()
    {
        commence("OS");
        clique(m_pendu, {"O", "S", "SF"});
        QCOMPARE(m_machine.journal.last(), "arret");
        auto *rejouer = fenetre("Rejouer");
        QVERIFY(!fenetre("Pendu") && rejouer->isVisible());
        QCOMPARE(rejouer->focusWidget()->objectName(), "oui");
        QCOMPARE(texte(rejouer, "nj"), "Zoé");

        saisit(rejouer, "nj", "Léo");
        clique(rejouer, {"oui"});
        m_pendu = fenetre("Pendu");
        QVERIFY(m_pendu->isVisible() && !rejouer->isVisible());
        QCOMPARE(texte(m_pendu, "nj"), "Léo");
        QCOMPARE(montres(m_pendu).size(), 4);
        commence("A");
        clique(m_pendu, {"A", "SF"});
        QCOMPARE(fenetre("Rejouer"), rejouer);
        QCOMPARE(texte(rejouer, "nj"), "Zoé");
        // NON closes the last window for good, and with it the game.
        clique(rejouer, {"non"});
        QVERIFY(!fenetre("Rejouer") && !fenetre("Pendu"));
    }

    // A seeded random walk over all a player can click or type, hostile text included, checking
    // the rules of a game after every action: 5,000 actions a seed, or GIBETTO_FUZZ_ACTIONS.
    // A seed's walk replays alone as tst_fenetres lesReglesTiennentQuoiQueFasseLeJoueur:7.
    void lesReglesTiennentQuoiQueFasseLeJoueur_data()
    {
        QTest::addColumn<quint32>("graine");
        for (quint32 graine = 1; graine <= 20; ++graine)
            QTest::addRow("%u", graine) << graine;
    }
    void lesReglesTiennentQuoiQueFasseLeJoueur()
    {
        QFETCH(quint32, graine);
        QRandomGenerator des(graine);
        const int actions = qEnvironmentVariableIsSet("GIBETTO_FUZZ_ACTIONS")
                ? qEnvironmentVariableIntValue("GIBETTO_FUZZ_ACTIONS") : 5000;
        QStringList lettres; // the model of the game in play
        QSet<QChar> essayees;
        bool finie = false;
        for (int n = 0; n < actions; ++n) {
            const QByteArray ou = QByteArray::number(n) + "th action: ";
            m_machine.tirages = {des.generateDouble()};
            if (n % 20 == 0) // as between a player's clicks: caches trimmed, windows painted
                QCoreApplication::processEvents();
            const QPointer<QWidget> fenetre = seuleFenetre();
            QVERIFY2(fenetre, ou + "not exactly one window shown");
            QWidgetList cibles = fenetre->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
            cibles.removeIf([](QWidget *c) {
                return !c->isVisible() || !(qobject_cast<QAbstractButton *>(c) || c->objectName() == "nj"
                                            || c->objectName() == "Perso");
            });
            QWidget *cible = cibles.at(des.bounded(int(cibles.size())));
            const QString nom = cible->objectName();
            if (auto *boite = qobject_cast<QLineEdit *>(cible)) {
                const QStringList &choix = nom == "Perso" ? mots : textes;
                boite->clear();
                boite->insert(choix.at(des.bounded(int(choix.size()))));
                continue;
            }
            static_cast<QAbstractButton *>(cible)->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (nom == "non") {
                QVERIFY2(!seuleFenetre(), ou + "a window stays after NON");
                init();
            }
            auto *pendu = qobject_cast<Pendu *>(fenetre.get());
            const auto touche = std::find_if(clavier.begin(), clavier.end(),
                                             [&](const Touche &t) { return nom == t.bouton; });
            if (!pendu || !fenetre->isVisible())
                continue;
            if (nom == "op" || (nom.startsWith("Check") && nom != "Check7"))
                lettres = caracteres(pendu->partie().mot()), essayees.clear(), finie = false;
            else if (touche != clavier.end())
                essayees.insert(QChar(touche->caractere));
            else
                continue;

            QString masque;
            for (const QString &lettre : lettres)
                masque += lettre.size() == 1 && essayees.contains(lettre.at(0)) ? lettre : "?";
            const auto manques = std::count_if(essayees.begin(), essayees.end(), [&](QChar c) { return !lettres.contains(c); });
            const Partie &partie = pendu->partie();
            QVERIFY2(partie.longueur() == lettres.size() && partie.masque() == masque, ou + "mask");
            QVERIFY2(partie.jokers() >= 0 && partie.jokers() == 7 - manques, ou + "jokers");
            // The game ends on the click that completes the word or takes the last joker.
            finie = finie || (touche != clavier.end() && (masque == partie.mot() || manques == 7));
            const bool enJeu = std::any_of(clavier.begin(), clavier.end(), [pendu](const Touche &t) {
                return pendu->findChild<QWidget *>(t.bouton)->isVisibleTo(pendu);
            });
            QVERIFY2(enJeu != finie, ou + "the game ends on the wrong click");
        }
    }

    // The size the window system gives the window, on Wayland as elsewhere.
    void laFenetreGardeSaTaille()
    {
        QCOMPARE(m_pendu->windowHandle()->size(), QSize(674, 456));
    }
};

QTEST_MAIN(TstFenetres)
#include "tst_fenetres.moc"
