// The word lists, the draws and the texts written when a game starts.
#include "depart.h"
#include "enregistreur.h"
#include "themes.h"

#include <QTest>

#include <cmath>

class TstMots : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void chaqueListeTireDuPremierAuDernierMot();
    void uneSaisieVideTireUnMotOuUnNom_data();
    void uneSaisieVideTireUnMotOuUnNom();
    void lesTextesDeDepart_data();
    void lesTextesDeDepart();
};

void TstMots::chaqueListeTireDuPremierAuDernierMot()
{
    QList<qsizetype> tailles;
    Enregistreur hasard;
    for (const Choix &c : choix()) {
        tailles.append(c.mots.size());
        if (c.mots.isEmpty())
            continue;
        hasard.tirages = {0.0, std::nextafter(1.0, 0.0)};
        QCOMPARE(tireMot(c.mots, hasard), c.mots.first());
        QCOMPARE(tireMot(c.mots, hasard), c.mots.last());
    }
    QCOMPARE(tailles, (QList<qsizetype>{25, 27, 30, 29, 29, 32, 0}));
    QCOMPARE(choix()[2].mots.count(QStringLiteral("VADUZ")), 2);
}

void TstMots::uneSaisieVideTireUnMotOuUnNom_data()
{
    QTest::addColumn<bool>("mot");
    QTest::addColumn<QString>("saisie");
    QTest::addColumn<double>("tirage");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("fallback word") << true << "" << 0.5 << "CONSIGNES MAL LUES";
    QTest::newRow("spaces are a word") << true << "  " << 0.5 << "  ";
    QTest::newRow("anonymous name") << false << "" << 0.8 << "JOUEUR MYSTÈRE";
    QTest::newRow("name as typed") << false << " zoé " << 0.8 << " zoé ";
}

void TstMots::uneSaisieVideTireUnMotOuUnNom()
{
    QFETCH(bool, mot);
    QFETCH(QString, saisie);
    QFETCH(double, tirage);
    Enregistreur hasard;
    hasard.tirages = {tirage};
    QTEST(mot ? motPropose(saisie, hasard) : nomDuJoueur(saisie, hasard), "attendu");
    QCOMPARE(hasard.journal.size(), saisie.isEmpty() ? 1 : 0);
}

void TstMots::lesTextesDeDepart_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("attendu");
    const QString zoe = QStringLiteral("Zoé");
    QTest::newRow("Consignes") << consignesDepart(zoe, 9)
                               << "Zoé,\r\ntu dois trouver un mot de  9  lettres.";
    QTest::newRow("Accueil") << accueilDepart(zoe, 25)
                             << "Zoé, tu dois trouver un mot de  25  lettres. Attention, les "
                                "espaces, traits d'union ou apostrophes peuvent être comptés "
                                "dans le nombre de lettres...";
    QTest::newRow("Label3") << invite(zoe) << "Zoé\r\nclique sur une touche";
    QTest::newRow("own word, Consignes")
            << consignesPerso(zoe)
            << "Zoé,\r\npropose toi-même le mot à trouver ci-dessous puis clique si OK:";
    QTest::newRow("own word, Accueil")
            << accueilPerso(zoe)
            << "Attention, Zoé, tu dois taper un mot exclusivement en MAJUSCULES sinon il ne "
               "sera pas pris en compte par le logiciel. (Espace, trait d'union et apostrophe "
               "acceptés)";
    QTest::newRow("welcome") << bienvenue(zoe)
                             << "Bienvenue à toi, Zoé, tu as le choix entre plusieurs listes de "
                                "mots à trouver. Coche la case située en face de la liste que tu "
                                "veux choisir ...";
    QTest::newRow("own word title") << choix().back().titre << "Mot proposé par l'utilisateur";
}

void TstMots::lesTextesDeDepart()
{
    QFETCH(QString, texte);
    QTEST(texte, "attendu");
}

QTEST_GUILESS_MAIN(TstMots)
#include "tst_mots.moc"
