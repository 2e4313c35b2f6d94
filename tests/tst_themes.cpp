// The built-in lists, the draws that pick from them and the texts of a
// game's start.
#include "clavier.h"
#include "enregistreur.h"
#include "depart.h"
#include "themes.h"

#include <QTest>

#include <cmath>

namespace {
// The largest draw below 1.
const double presqueUn = std::nextafter(1.0, 0.0);
}

class TstThemes : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void chaqueListeASonTitreEtSaTaille_data();
    void chaqueListeASonTitreEtSaTaille();
    void chaqueMotSeTrouveAvecLesTouches();
    void vaduzRevientDeuxFoisParmiLesCapitales();
    void unTirageVaDuPremierAuDernierMot_data();
    void unTirageVaDuPremierAuDernierMot();
    void leNomVideDevientUnNomAnonyme_data();
    void leNomVideDevientUnNomAnonyme();
};

void TstThemes::chaqueListeASonTitreEtSaTaille_data()
{
    QTest::addColumn<int>("numero");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<int>("taille");
    QTest::addColumn<QString>("premier");
    QTest::addColumn<QString>("dernier");
    QTest::newRow("1") << 1 << "Thème choisi: Animaux d'Afrique" << 25 << "HIPPOPOTAME" << "CAIMAN";
    QTest::newRow("2") << 2 << "Thème choisi: Animaux d'Europe" << 27 << "RENARD" << "GRAND DUC";
    QTest::newRow("3") << 3 << "Thème choisi: Capitales d'Europe" << 30 << "PARIS" << "SOFIA";
    QTest::newRow("4") << 4 << "Divers mots choisis au hasard" << 29 << "ANTICONSTITUTIONNELLEMENT"
                       << "ARRIERE-GRAND-MERE";
    QTest::newRow("5") << 5 << "Thème choisi: Noms de métiers" << 29 << "ARCHITECTE" << "JOURNALISTE";
    QTest::newRow("6") << 6 << "Thème choisi: Pays du Monde" << 32 << "AFGHANISTAN" << "BURKINA FASSO";
}

void TstThemes::chaqueListeASonTitreEtSaTaille()
{
    QFETCH(int, numero);
    QFETCH(QString, titre);
    QFETCH(int, taille);
    QFETCH(QString, premier);
    QFETCH(QString, dernier);
    const Theme &theme = themes().at(std::size_t(numero - 1));
    QCOMPARE(theme.numero, numero);
    QCOMPARE(theme.titre, titre);
    QCOMPARE(theme.mots.size(), taille);
    QCOMPARE(theme.mots.first(), premier);
    QCOMPARE(theme.mots.last(), dernier);
}

void TstThemes::chaqueMotSeTrouveAvecLesTouches()
{
    QString touches;
    for (const Touche &t : clavier)
        touches.append(QChar(t.caractere));
    QStringList tous = motsDeSecours();
    for (const Theme &theme : themes())
        tous += theme.mots;
    int plusCourt = 100;
    int plusLong = 0;
    for (const QString &mot : std::as_const(tous)) {
        for (const QChar c : mot)
            QVERIFY2(touches.contains(c), qPrintable(mot));
        plusCourt = std::min(plusCourt, int(mot.size()));
        plusLong = std::max(plusLong, int(mot.size()));
    }
    QCOMPARE(plusCourt, 3);
    QCOMPARE(plusLong, 25);
}

void TstThemes::vaduzRevientDeuxFoisParmiLesCapitales()
{
    const QStringList &capitales = themes()[2].mots;
    QCOMPARE(capitales.count(QStringLiteral("VADUZ")), 2);
    QCOMPARE(capitales.at(19), QStringLiteral("VADUZ"));
    QCOMPARE(capitales.at(27), QStringLiteral("VADUZ"));
    QCOMPARE(capitales.at(18), QStringLiteral("ANDORRE"));
    QCOMPARE(themes()[5].mots.at(4), QStringLiteral("ANDORRE"));
}

void TstThemes::unTirageVaDuPremierAuDernierMot_data()
{
    QTest::addColumn<QStringList>("liste");
    QTest::addColumn<double>("tirage");
    QTest::addColumn<QString>("mot");
    const auto theme = [](int numero) { return themes().at(std::size_t(numero - 1)).mots; };
    QTest::newRow("r = 0") << theme(1) << 0.0 << "HIPPOPOTAME";
    QTest::newRow("r juste sous 1") << theme(1) << presqueUn << "CAIMAN";
    QTest::newRow("au milieu") << theme(1) << 0.5 << "OKAPI";
    QTest::newRow("trente-deux") << theme(6) << presqueUn << "BURKINA FASSO";
    QTest::newRow("apostrophe") << theme(6) << 30.5 / 32 << "COTE D'IVOIRE";
    QTest::newRow("le plus court") << theme(2) << 7.5 / 27 << "ANE";
    QTest::newRow("secours, premier") << motsDeSecours() << 0.0 << "OUPS";
    QTest::newRow("secours, dernier") << motsDeSecours() << presqueUn << "ABSENCE DE REPONSE";
}

void TstThemes::unTirageVaDuPremierAuDernierMot()
{
    QFETCH(QStringList, liste);
    QFETCH(double, tirage);
    QFETCH(QString, mot);
    Enregistreur hasard;
    hasard.tirages = {tirage};
    QCOMPARE(tireMot(liste, hasard), mot);
    QCOMPARE(hasard.journal, QStringList{QStringLiteral("hasard")});
}

void TstThemes::leNomVideDevientUnNomAnonyme_data()
{
    QTest::addColumn<double>("tirage");
    QTest::addColumn<QString>("nom");
    const QStringList attendus = {
        "PERSONNE", "UTILISATEUR LAMBDA", "TARTEMPION", "UTILISATEUR NON IDENTIFIÉ",
        "PARTICIPANT(E)", "JOUEUR ANONYME", "INCONNU(E)", "JOUEUR MYSTÈRE", "QUELQU'UN(E)",
    };
    for (int i = 0; i < 9; ++i)
        QTest::addRow("%d", i + 1) << (i + 0.5) / 9 << attendus.at(i);
    QTest::newRow("r juste sous 1") << presqueUn << "QUELQU'UN(E)";
}

void TstThemes::leNomVideDevientUnNomAnonyme()
{
    QFETCH(double, tirage);
    QFETCH(QString, nom);
    Enregistreur hasard;
    hasard.tirages = {tirage};
    QCOMPARE(nomDuJoueur(QString(), hasard), nom);
    // A name given, even of spaces, is kept as typed and draws nothing.
    QCOMPARE(nomDuJoueur(QStringLiteral("  "), hasard), QStringLiteral("  "));
    QCOMPARE(nomDuJoueur(QStringLiteral("élodie"), hasard), QStringLiteral("élodie"));
    QCOMPARE(hasard.journal.size(), 1);
}

QTEST_GUILESS_MAIN(TstThemes)
#include "tst_themes.moc"
