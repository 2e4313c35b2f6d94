// The windows as a player finds them: each click or typed character reaches
// the engine, what it decides shows in the right controls with the exact
// texts, faces and places; the windows' lives; and the rules of a game
// holding whatever a player does.
#include "enregistreur.h"
#include "fenetres.h"
#include "jeu.h"
#include "pendu.h"
#include "pilote.h"
#include "rejouer.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QScreen>

#include <cmath>

namespace {
const QStringList textes = {"", "   ", "OS", "A-B C'D", "??", "😀 ÉTÉ", "E\u0301TE", "שלום", "\x01\x07\x1b",
                             QString(QChar(0)) + "A", "\tA\nB\r\n", QString(300, 'N')};
// The longest word the game counts, and one more pasted. A name that long
// makes every message slow to lay out, so only words get them.
const QStringList mots = textes + QStringList{QString(32767, 'E'), QString(32768, 'B')};
// What a player may type: the keys' characters in both cases, the curly
// apostrophe, and characters no key looks for.
const QString frappes = "aZe -'’é1";

// Types one character into a window, at the control that holds its focus.
void tape(QWidget *fenetre, QChar c)
{
    QWidget *focus = fenetre->focusWidget() ? fenetre->focusWidget() : fenetre;
    QTest::sendKeyEvent(QTest::Click, focus, Qt::Key(c.toUpper().unicode()), QString(c), {});
}

// The key buttons a window shows.
QStringList touchesMontrees(const QWidget *w)
{
    QStringList noms;
    for (const Touche &t : clavier)
        if (w->findChild<QWidget *>(t.bouton)->isVisibleTo(w))
            noms.append(t.bouton);
    return noms;
}
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
    void initTestCase() { installePolices(); }
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
        QCOMPARE(m_pendu->windowTitle(), "Gibetto - Vocabulaire et orthographe -  Olaf PIRVEC");
        // Centred, within the frame added once it is shown, where the program
        // places its windows: Wayland places them itself.
        const QPoint ecart = m_pendu->geometry().center() - m_pendu->screen()->availableGeometry().center();
        const bool place = QGuiApplication::platformName() != "wayland";
        QVERIFY2(!place || (qAbs(ecart.x()) <= 2 && qAbs(ecart.y()) <= 2), "the window is not centred on its screen");
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
        QCOMPARE(texte(m_pendu, "Liste"), "AFRIQUE ANIMAUX EUROPE HASARD MÉTIERS MONDE PERSO");
        // A click anywhere on a check box's grey area ticks it.
        auto *coche = m_pendu->findChild<QAbstractButton *>("Check2");
        QTest::mouseClick(coche, Qt::LeftButton, {}, coche->rect().bottomRight());
        QVERIFY(coche->isChecked());
    }

    // The words, titles and names as the player meets them, in their order,
    // pinned by their digest.
    void lesListesSontCellesDuJeu()
    {
        QStringList tout;
        for (const Choix &c : choix())
            if (!c.mots.isEmpty())
                tout << c.titre << c.mots;
        tout << motsDeSecours() << nomsAnonymes();
        QCOMPARE(QCryptographicHash::hash(tout.join('\n').toUtf8(), QCryptographicHash::Sha256).toHex(),
                 "cc23188f29a50e0d4d7b93b19246557e999c1674ea261eb9a94f26b7d545e981");
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
        QCOMPARE(texte(m_pendu, "Consignes"), "Zoé,\ntu dois trouver un mot de  13  lettres.");
        QCOMPARE(texte(m_pendu, "Label3"), "Zoé\nclique sur une touche");
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
                     "Zoé,\npropose toi-même le mot à trouver ci-dessous puis clique si OK:");
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

    void unePartieVaJusquAuRejouer()
    {
        commence("OS");
        clique(m_pendu, {"Z"});
        QCOMPARE(texte(m_pendu, "Consignes"), "Zoé, \n il ne te reste plus que  6 jokers !");
        QCOMPARE(texte(m_pendu, "Label2"), " 6");
        clique(m_pendu, {"O", "S"});
        QCOMPARE(texte(m_pendu, "aff"), "OS");
        QCOMPARE(texte(m_pendu, "Consignes"), "Zoé, \ntu as gagné, félicitations !");
        QCOMPARE(m_machine.journal.mid(m_machine.journal.indexOf("image 1.bmp")),
                 (QStringList{"image 1.bmp", "image 1.bmp", "image 1.bmp", "image victoire.bmp", "son Bravo.wav"}));
        QCOMPARE(texte(m_pendu, "Label3"), "Jeu terminé !");
        QVERIFY(montres(m_pendu).contains("SF") && montres(m_pendu).contains("Label5") && touchesMontrees(m_pendu).isEmpty());

        // A new own word on the same window: the keys are back, the end of the
        // last game stays.
        clique(m_pendu, {"Check7", "op"});
        QVERIFY(montres(m_pendu).contains("A") && montres(m_pendu).contains("SF") && montres(m_pendu).contains("oo"));
        // A used key shows red where its button stood; a key in play shows
        // no red, not even at its corners.
        const auto rouges = [this](const char *nom) {
            const QImage vu = m_pendu->grab(m_pendu->findChild<QWidget *>(nom)->geometry()).toImage();
            int n = 0;
            for (int i = 0; i < vu.width() * vu.height(); ++i)
                n += vu.pixel(i % vu.width(), i / vu.width()) == qRgb(192, 0, 0);
            return n;
        };
        QCOMPARE(rouges("O"), 0);
        clique(m_pendu, {"O"});
        QVERIFY(rouges("O") > 300);

        // "Suite" stays through the new game, and leads to the replay window.
        clique(m_pendu, {"SF"});
        QCOMPARE(m_machine.journal.last(), "arret");
        auto *rejouer = fenetre("Rejouer");
        QVERIFY(!fenetre("Pendu") && rejouer->isVisible());
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

    // A row a control: its place in the tab order from the control that has
    // the focus when its window opens (-1: none), the name a screen reader
    // says, and the face it shows its text in.
    void chaqueControleSeMontreCommePrevu_data()
    {
        QTest::addColumn<QString>("fenetre");
        QTest::addColumn<int>("rang");
        QTest::addColumn<QString>("nomParle");
        QTest::addColumn<QString>("police");
        const QStringList tab = QString("Ecran Question1 nj Entree Accueil Check1 Check2 Check3 Check4 Check5 Check6 aff "
                                        "theme Consignes A Z E R T Y U I O P tiret Q S D F G H J K L M W X C V B N space "
                                        "apostrophe SF Check7 Perso op").split(' ');
        const QStringList tabRejouer = {"oui", "non", "nj"};
        const auto ligne = [&](const QString &fenetre, const QString &nom) -> QTestData & {
            const qsizetype rang = (fenetre == "Pendu" ? tab : tabRejouer).indexOf(nom);
            return QTest::newRow(qPrintable(fenetre + "." + nom)) << fenetre << int(rang);
        };
        const QString serif = "Liberation Serif 700 ", lato = "Lato 900 14.25", script = "Dancing Script 700 ";
        ligne("Pendu", "Question1") << "" << script + "15.75";
        ligne("Pendu", "nj") << "Ton prénom" << serif + "14.25";
        ligne("Pendu", "Entree") << "Valider le prénom" << lato;
        ligne("Pendu", "Accueil") << "" << serif + "12";
        ligne("Pendu", "Liste") << "" << serif + "12";
        ligne("Pendu", "theme") << "" << "Liberation Sans 700 12";
        ligne("Pendu", "Consignes") << "" << serif + "14.25";
        ligne("Pendu", "Perso") << "Ton mot, en majuscules" << serif + "12";
        ligne("Pendu", "op") << "Valider le mot" << "Liberation Sans 700 8.25";
        ligne("Pendu", "Ecran") << "Un désert sous le soleil" << "";
        ligne("Pendu", "aff") << "Le mot à trouver" << serif + "15.75";
        ligne("Pendu", "Label3") << "" << serif + "9.75 italique";
        ligne("Pendu", "Label1") << "" << serif + "11.25";
        ligne("Pendu", "Label2") << "" << serif + "18";
        ligne("Pendu", "Label5") << "" << serif + "14.25";
        ligne("Pendu", "SF") << "" << lato;
        const QStringList themes = QString("AFRIQUE ANIMAUX EUROPE HASARD MÉTIERS MONDE PERSO").split(' ');
        for (int i = 0; i < 7; ++i)
            ligne("Pendu", "Check" + QString::number(i + 1)) << themes[i] << "";
        for (const QChar lettre : QString("AZERTYUIOPQSDFGHJKLMWXCVBN"))
            ligne("Pendu", lettre) << QString(lettre) << lato;
        ligne("Pendu", "tiret") << "Trait d'union" << lato;
        ligne("Pendu", "space") << "Espace" << "Lato 900 12";
        ligne("Pendu", "apostrophe") << "Apostrophe" << lato;
        ligne("Pendu", "ee") << "E, déjà essayée" << lato;
        ligne("Pendu", "space2") << "Espace, déjà essayée" << "Lato 900 12";
        ligne("Rejouer", "oui") << "" << lato;
        ligne("Rejouer", "non") << "" << lato;
        ligne("Rejouer", "Label1") << "" << script + "18";
        ligne("Rejouer", "nj") << "Ton prénom" << serif + "15.75";
        ligne("Rejouer", "Label2") << "" << script + "24";
    }
    void chaqueControleSeMontreCommePrevu()
    {
        QFETCH(QString, fenetre);
        QFETCH(QString, police);
        Rejouer rejouer;
        rejouer.show();
        QWidget *w = fenetre == "Rejouer" ? &rejouer : m_pendu;
        QVERIFY(QTest::qWaitForWindowActive(w) && w->focusWidget());
        QStringList ordre;
        for (const QWidget *t = w->nextInFocusChain(); t != w; t = t->nextInFocusChain()) {
            if (t->parentWidget() == w && (t->focusPolicy() & Qt::TabFocus))
                ordre << t->objectName();
        }
        const qsizetype debut = ordre.indexOf(w->focusWidget()->objectName());
        ordre = ordre.mid(debut) + ordre.first(debut);
        const QWidget *c = w->findChild<QWidget *>(QString(QTest::currentDataTag()).section('.', 1));
        QTEST(int(ordre.indexOf(c->objectName())), "rang");
        QTEST(c->accessibleName(), "nomParle");
        const QFontInfo f(c->font());
        if (!police.isEmpty())
            QCOMPARE(QString("%1 %2 %3%4").arg(f.family()).arg(f.weight()).arg(f.pointSizeF()).arg(f.italic() ? " italique" : ""), police);
    }

    // A character typed where the focus is, against the keys it clicks.
    void unCaractereTapeCliqueSaTouche_data()
    {
        QTest::addColumn<QString>("etat"); // before a game, in play on "OS", or won
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("tapes");
        QTest::addColumn<QString>("cliquees");
        QTest::addColumn<QString>("apres"); // what the control with the focus then holds
        QTest::newRow("a small letter, a capital, an apostrophe") << "jeu" << "Ecran" << "zO'" << "Z O apostrophe" << "";
        QTest::newRow("hyphen, curly apostrophe, used keys") << "jeu" << "Ecran" << "-’’-" << "tiret apostrophe" << "";
        QTest::newRow("space, the focus on a key") << "jeu" << "R" << " " << "space" << "";
        QTest::newRow("space, the focus on a check box") << "jeu" << "Check7" << "  " << "space" << "cochée";
        QTest::newRow("a name box") << "jeu" << "nj" << " a" << "" << "Zoé a";
        QTest::newRow("the word box") << "jeu" << "Perso" << "e-" << "" << "OSe-";
        QTest::newRow("other characters") << "jeu" << "Ecran" << "é1ç" << "" << "";
        QTest::newRow("before a game") << "avant" << "Ecran" << "a-" << "" << "";
        QTest::newRow("space before a game ticks") << "avant" << "Check2" << " " << "" << "cochée";
        QTest::newRow("after a game") << "fin" << "SF" << "a" << "" << "";
    }
    void unCaractereTapeCliqueSaTouche()
    {
        QFETCH(QString, etat);
        QFETCH(QString, focus);
        QFETCH(QString, tapes);
        saisit(m_pendu, "nj", "Zoé");
        clique(m_pendu, {"Entree"});
        if (etat != "avant")
            commence("OS");
        if (etat == "fin")
            clique(m_pendu, {"O", "S"});
        if (focus == "Perso")
            clique(m_pendu, {"Check7"});
        auto *cible = m_pendu->findChild<QWidget *>(focus);
        cible->setFocus();
        QStringList cliquees = touchesMontrees(m_pendu);
        const QStringList journal = m_machine.journal;
        for (const QChar c : tapes)
            tape(m_pendu, c);
        for (const QString &t : touchesMontrees(m_pendu))
            cliquees.removeOne(t);
        QTEST(cliquees.join(' '), "cliquees");
        QCOMPARE(m_machine.journal.size() - journal.size(), cliquees.size());
        auto *boite = qobject_cast<QLineEdit *>(cible);
        auto *coche = qobject_cast<QAbstractButton *>(cible);
        QTEST(boite ? boite->text() : coche && coche->isChecked() ? "cochée" : "", "apres");
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
            QString nom = cible->objectName();
            auto *boite = qobject_cast<QLineEdit *>(cible);
            if (des.bounded(3) == 0 && qobject_cast<Pendu *>(fenetre.get())) {
                // A character typed, the focus on the picture or in a box.
                (boite ? cible : fenetre->findChild<QWidget *>("Ecran"))->setFocus();
                const QChar c = frappes.at(des.bounded(int(frappes.size())));
                const qsizetype avant = m_machine.journal.size();
                tape(fenetre, c);
                const Touche *t = toucheDe(c == u'’' ? u'\'' : c.toUpper().unicode());
                nom = m_machine.journal.size() > avant && t ? t->bouton : "";
            } else if (boite) {
                const QStringList &choix = nom == "Perso" ? mots : textes;
                boite->clear();
                boite->insert(choix.at(des.bounded(int(choix.size()))));
                continue;
            } else {
                static_cast<QAbstractButton *>(cible)->click();
            }
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
            QVERIFY2(touchesMontrees(pendu).isEmpty() == finie, ou + "the game ends on the wrong click");
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
