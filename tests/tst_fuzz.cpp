// A seeded random walk over everything a player can click or type, hostile
// text included, checking the rules of a game after every action.
// GIBETTO_FUZZ_SEED=<seed> replays one walk.
#include "enregistreur.h"
#include "jeu.h"
#include "pendu.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTest>

namespace {
const QStringList textes = {
    "", "   ", "OS", "A-B C'D", "??", "😀 ÉTÉ", "E\u0301TE", "שלום", "\x01\x07\x1b",
    QString(QChar(0)) + "A", "\tA\nB\r\n", QString(300, 'N'),
};
// The longest word the game counts, and one more pasted. A name that long
// makes every message slow to lay out, so only words get them.
const QStringList mots = textes + QStringList{QString(32767, 'E'), QString(32768, 'B')};

QList<QWidget *> fenetresMontrees()
{
    QList<QWidget *> montrees;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            montrees.append(w);
    }
    return montrees;
}

// What the rules say of the game in play, from the keys used since its start.
struct Modele
{
    QStringList lettres;
    QSet<QChar> essayees;
    bool finie = false;
};
}

class TstFuzz : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lesReglesTiennentQuoiQueFasseLeJoueur();

private:
    void marche(quint32 graine, int actions);
};

void TstFuzz::lesReglesTiennentQuoiQueFasseLeJoueur()
{
    QApplication::setQuitOnLastWindowClosed(false);
    const QByteArray rejoue = qgetenv("GIBETTO_FUZZ_SEED");
    if (!rejoue.isEmpty())
        return marche(rejoue.toUInt(), 5000);
    // GIBETTO_FUZZ_ACTIONS=<count> walks fewer than 100,000 actions, as the slower sanitizer build does.
    const int graines = qEnvironmentVariableIntValue("GIBETTO_FUZZ_ACTIONS") / 5000;
    for (int graine = 1; graine <= (graines > 0 ? graines : 20) && !QTest::currentTestFailed(); ++graine)
        marche(graine, 5000);
}

void TstFuzz::marche(quint32 graine, int actions)
{
    QRandomGenerator des(graine);
    Enregistreur machine;
    auto jeu = std::make_unique<Jeu>(Services{machine, machine, machine});
    jeu->ouvrePendu();
    Modele modele;
    for (int n = 0; n < actions; ++n) {
        const QString ou = QStringLiteral("seed %1, action %2").arg(graine).arg(n);
        machine.tirages = {des.generateDouble()};
        // As between a player's clicks: caches are trimmed, windows painted.
        if (n % 20 == 0)
            QCoreApplication::processEvents();
        const QList<QWidget *> montrees = fenetresMontrees();
        QVERIFY2(montrees.size() == 1, qPrintable(ou + ": not exactly one window shown"));
        QWidget *fenetre = montrees.first();
        QList<QWidget *> cibles;
        for (QWidget *c : fenetre->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            const bool saisie = c->objectName() == "nj" || c->objectName() == "Perso";
            if (c->isVisible() && c->isEnabled() && (saisie || qobject_cast<QAbstractButton *>(c)))
                cibles.append(c);
        }
        QWidget *cible = cibles.at(des.bounded(int(cibles.size())));
        const QString nom = cible->objectName();
        if (auto *boite = qobject_cast<QLineEdit *>(cible)) {
            boite->clear();
            const QStringList &choix = nom == "Perso" ? mots : textes;
            boite->insert(choix.at(des.bounded(int(choix.size()))));
            continue;
        }
        auto *pendu = qobject_cast<Pendu *>(fenetre);
        if (nom == "non") {
            qobject_cast<QAbstractButton *>(cible)->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY2(fenetresMontrees().isEmpty(), qPrintable(ou + ": a window stays after NON"));
            jeu = std::make_unique<Jeu>(Services{machine, machine, machine});
            jeu->ouvrePendu();
            continue;
        }
        if (qgetenv("GIBETTO_FUZZ_TRACE") == "1")
            std::fprintf(stderr, "%s: %s\n", qPrintable(ou), qPrintable(nom));
        qobject_cast<QAbstractButton *>(cible)->click();
        const bool fermee = fenetre->isHidden(); // a closed window is gone after the deferred deletes
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!pendu || fermee)
            continue;
        const Partie &partie = pendu->partie();
        const Touche *touche = nullptr;
        for (const Touche &t : clavier) {
            if (nom == QLatin1String(t.bouton))
                touche = &t;
        }
        if (nom == "op" || (nom.startsWith("Check") && nom != "Check7"))
            modele = {caracteres(partie.mot()), {}, false};
        else if (touche)
            modele.essayees.insert(QChar(touche->caractere));
        else
            continue;

        QString masque;
        int manques = 0;
        for (const QString &lettre : modele.lettres)
            masque += modele.essayees.contains(lettre.at(0)) && lettre.size() == 1 ? lettre : "?";
        for (const QChar c : modele.essayees)
            manques += modele.lettres.contains(QString(c)) ? 0 : 1;
        QVERIFY2(partie.longueur() == modele.lettres.size(), qPrintable(ou + ": length"));
        QVERIFY2(partie.masque() == masque, qPrintable(ou + ": mask " + partie.masque().left(40)));
        QVERIFY2(partie.jokers() >= 0 && partie.jokers() == 7 - manques, qPrintable(ou + ": jokers"));
        const bool finit = touche && !modele.finie && (masque == partie.mot() || manques == 7);
        const bool enJeu = std::any_of(clavier.begin(), clavier.end(), [pendu](const Touche &t) {
            return pendu->findChild<QWidget *>(t.bouton)->isVisibleTo(pendu);
        });
        QVERIFY2(enJeu == !(modele.finie || finit), qPrintable(ou + ": the game ends on the wrong click"));
        modele.finie = modele.finie || finit;
    }
}

QTEST_MAIN(TstFuzz)
#include "tst_fuzz.moc"
