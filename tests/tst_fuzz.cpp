// A seeded random walk over all a player can click or type, hostile text
// included, checking the rules of a game after every action. 100,000 actions
// over 20 seeds; GIBETTO_FUZZ_SEED=<seed> replays one walk, and
// GIBETTO_FUZZ_ACTIONS sets the actions a seed.
#include "enregistreur.h"
#include "jeu.h"
#include "pendu.h"
#include "pilote.h"

#include <QRandomGenerator>

namespace {
const QStringList textes = {
    "", "   ", "OS", "A-B C'D", "??", "😀 ÉTÉ", "E\u0301TE", "שלום", "\x01\x07\x1b",
    QString(QChar(0)) + "A", "\tA\nB\r\n", QString(300, 'N'),
};
// The longest word the game counts, and one more pasted. A name that long
// makes every message slow to lay out, so only words get them.
const QStringList mots = textes + QStringList{QString(32767, 'E'), QString(32768, 'B')};
}

class TstFuzz : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lesReglesTiennentQuoiQueFasseLeJoueur();
};

void TstFuzz::lesReglesTiennentQuoiQueFasseLeJoueur()
{
    QApplication::setQuitOnLastWindowClosed(false);
    const int actions = qEnvironmentVariableIsSet("GIBETTO_FUZZ_ACTIONS")
            ? qEnvironmentVariableIntValue("GIBETTO_FUZZ_ACTIONS") : 5000;
    const quint32 seule = qEnvironmentVariableIntValue("GIBETTO_FUZZ_SEED");
    for (quint32 graine = seule ? seule : 1; graine <= (seule ? seule : 20); ++graine) {
        QRandomGenerator des(graine);
        Enregistreur machine;
        auto jeu = std::make_unique<Jeu>(Services{machine, machine, machine});
        jeu->ouvrePendu();
        QStringList lettres; // the model of the game in play
        QSet<QChar> essayees;
        bool finie = false;
        for (int n = 0; n < actions; ++n) {
            const QByteArray ou = QStringLiteral("seed %1, action %2: ").arg(graine).arg(n).toUtf8();
            machine.tirages = {des.generateDouble()};
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
                jeu = std::make_unique<Jeu>(Services{machine, machine, machine});
                jeu->ouvrePendu();
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
            int manques = 0;
            for (const QString &lettre : lettres)
                masque += lettre.size() == 1 && essayees.contains(lettre.at(0)) ? lettre : "?";
            for (const QChar c : essayees)
                manques += lettres.contains(QString(c)) ? 0 : 1;
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
}

QTEST_MAIN(TstFuzz)
#include "tst_fuzz.moc"
