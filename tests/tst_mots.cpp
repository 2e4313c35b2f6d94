// The word lists and their draw: from the first word to the last, never past.
#include "enregistreur.h"
#include "themes.h"

#include <QTest>

#include <cmath>

class TstMots : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void chaqueListeTireDuPremierAuDernierMot();
};

void TstMots::chaqueListeTireDuPremierAuDernierMot()
{
    QList<qsizetype> tailles;
    Enregistreur hasard;
    for (const QStringList &liste : {choix()[0].mots, choix()[1].mots, choix()[2].mots,
                                     choix()[3].mots, choix()[4].mots, choix()[5].mots,
                                     motsDeSecours(), nomsAnonymes()}) {
        tailles.append(liste.size());
        hasard.tirages = {0.0, std::nextafter(1.0, 0.0)};
        QCOMPARE(tireMot(liste, hasard), liste.first());
        QCOMPARE(tireMot(liste, hasard), liste.last());
    }
    QCOMPARE(tailles, (QList<qsizetype>{25, 27, 30, 29, 29, 32, 8, 9}));
    QVERIFY(choix().back().mots.isEmpty());
    QCOMPARE(choix()[2].mots.count(QStringLiteral("VADUZ")), 2);
}

QTEST_GUILESS_MAIN(TstMots)
#include "tst_mots.moc"
