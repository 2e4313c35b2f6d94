// How long the player waits: opening the main window, starting a game, one
// key click; and how much memory a long session holds. Figures are printed,
// not judged: compare them from one change to the next.
#include "aide_fenetres.h"

#include "fenetres.h"
#include "jeu.h"
#include "pendu.h"
#include "rejouer.h"

#include <QFile>
#include <QRegularExpression>

namespace {
qlonglong memoireMaximaleKo()
{
    QFile statut(QStringLiteral("/proc/self/status"));
    if (!statut.open(QIODevice::ReadOnly))
        return -1;
    const auto trouve = QRegularExpression(QStringLiteral("VmHWM:\\s+(\\d+)"))
                                .match(QString::fromLatin1(statut.readAll()));
    return trouve.hasMatch() ? trouve.captured(1).toLongLong() : -1;
}
}

class BenchFenetre : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installePolices(); }
    void ouvrirLaFenetre();
    void commencerUnePartie();
    void unClicDeTouche();
    void memoireApresCentParties();
};

void BenchFenetre::ouvrirLaFenetre()
{
    Enregistreur d;
    QBENCHMARK {
        ouvrePendu(d);
    }
}

void BenchFenetre::commencerUnePartie()
{
    Enregistreur d;
    const auto fenetre = ouvrePendu(d);
    Pendu &w = *fenetre;
    clique(&w, QStringLiteral("Entree"));
    QBENCHMARK {
        clique(&w, QStringLiteral("Check1"));
    }
    QCOMPARE(w.partie().jokers(), 7);
}

void BenchFenetre::unClicDeTouche()
{
    Enregistreur d;
    const auto fenetre = ouvrePendu(d);
    Pendu &w = *fenetre;
    clique(&w, QStringLiteral("Entree"));
    clique(&w, QStringLiteral("Check4"));
    auto *touche = controle<QAbstractButton>(&w, QStringLiteral("A"));
    QBENCHMARK {
        // The same key again and again: the whole of a click, without its end.
        touche->show();
        touche->click();
        clique(&w, QStringLiteral("Check4"));
    }
}

void BenchFenetre::memoireApresCentParties()
{
    Enregistreur d;
    Jeu jeu(Services{d, d, d});
    jeu.ouvrePendu();
    const qlonglong avant = memoireMaximaleKo();
    for (int partie = 0; partie < 100; ++partie) {
        gagneSurUnMot(jeu.pendu(), QStringLiteral("Léa"));
        clique(jeu.pendu(), QStringLiteral("SF"));
        clique(jeu.rejouer(), QStringLiteral("oui"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const qlonglong apres = memoireMaximaleKo();
    QVERIFY(apres > 0);
    qInfo("peak memory: %lld KiB after the first window, %lld KiB after 100 more games",
          avant, apres);
}

QTEST_MAIN(BenchFenetre)
#include "bench_fenetre.moc"
