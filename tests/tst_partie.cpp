// The rules of one game: what a key reveals, what a miss costs, and what the
// end of each click shows and says.
#include "clavier.h"
#include "nombre.h"
#include "partie.h"

#include <QSet>
#include <QTest>

namespace {
Partie partieSur(const QString &mot, const QString &nom = QStringLiteral("Léa"))
{
    Partie p;
    p.nomme(nom);
    p.commence(mot);
    return p;
}

void joue(Partie &p, const QString &touches)
{
    for (const QChar c : touches)
        p.essai(c.unicode());
}
}

class TstPartie : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void clavierCouvreLesVingtNeufTouchesDansLOrdre();
    void unCompteSEcritAvecUnEspaceDevant_data();
    void unCompteSEcritAvecUnEspaceDevant();
    void unDebutDePartieMasqueChaqueCaractere_data();
    void unDebutDePartieMasqueChaqueCaractere();
    void uneToucheReveleToutesSesPositions_data();
    void uneToucheReveleToutesSesPositions();
    void leClicSurEDansElephantDitSeptJokers();
    void uneImageParCompteDeJokers_data();
    void uneImageParCompteDeJokers();
    void leManqueDeDeuxAUnPasseAuSingulier();
    void leClicGagnantMontreLImageDuCompteAvantLaVictoire();
    void laPartieEstPerdueAZeroJokerExactement();
    void unMotDePointsDInterrogationEstGagneAuPremierClic();
    void uneLettreMinusculeNeSeReveleJamais();
    void unNouveauMotRemetLesJokersASept();
    void unMotTropLongEstCoupeALaLongueurMaximale();
};

void TstPartie::clavierCouvreLesVingtNeufTouchesDansLOrdre()
{
    QString caracteres;
    QSet<QString> etiquettes;
    for (const Touche &t : clavier) {
        caracteres.append(QChar(t.caractere));
        etiquettes.insert(QLatin1String(t.etiquette));
    }
    QCOMPARE(caracteres, QStringLiteral("AZERTYUIOPQSDFGHJKLMWXCVBN- '"));
    QCOMPARE(etiquettes.size(), 29);
    QCOMPARE(QLatin1String(clavier[26].bouton), QLatin1String("tiret"));
    QCOMPARE(QLatin1String(clavier[27].etiquette), QLatin1String("space2"));
    QCOMPARE(QLatin1String(clavier[28].etiquette), QLatin1String("apo"));
}

void TstPartie::unCompteSEcritAvecUnEspaceDevant_data()
{
    QTest::addColumn<int>("nombre");
    QTest::addColumn<QString>("texte");
    QTest::newRow("sept") << 7 << " 7";
    QTest::newRow("zero") << 0 << " 0";
    QTest::newRow("vingt-cinq") << 25 << " 25";
    QTest::newRow("negatif") << -1 << "-1";
}

void TstPartie::unCompteSEcritAvecUnEspaceDevant()
{
    QFETCH(int, nombre);
    QFETCH(QString, texte);
    QCOMPARE(enTexte(qint16(nombre)), texte);
}

void TstPartie::unDebutDePartieMasqueChaqueCaractere_data()
{
    QTest::addColumn<QString>("mot");
    QTest::addColumn<int>("longueur");
    QTest::newRow("lettres") << "ELEPHANT" << 8;
    QTest::newRow("espace") << "GRAND DUC" << 9;
    QTest::newRow("tirets") << "ARRIERE-GRAND-PERE" << 18;
    QTest::newRow("apostrophe") << "COTE D'IVOIRE" << 13;
    QTest::newRow("un espace seul") << " " << 1;
    // What the player sees as one character hides behind one "?".
    QTest::newRow("accent combinant") << QStringLiteral("E\u0301TE") << 3;
    QTest::newRow("emoji") << QStringLiteral("A\U0001F600B") << 3;
}

void TstPartie::unDebutDePartieMasqueChaqueCaractere()
{
    QFETCH(QString, mot);
    QFETCH(int, longueur);
    const Partie p = partieSur(mot);
    QCOMPARE(p.mot(), mot);
    QCOMPARE(p.longueur(), longueur);
    QCOMPARE(p.masque(), QString(longueur, QLatin1Char('?')));
    QCOMPARE(p.jokers(), 7);
}

void TstPartie::uneToucheReveleToutesSesPositions_data()
{
    QTest::addColumn<QString>("mot");
    QTest::addColumn<QChar>("touche");
    QTest::addColumn<QString>("masque");
    QTest::addColumn<int>("trouvees");
    QTest::addColumn<int>("jokers");
    QTest::newRow("E deux fois") << "ELEPHANT" << QChar('E') << "E?E?????" << 2 << 7;
    QTest::newRow("absente") << "ELEPHANT" << QChar('Z') << "????????" << 0 << 6;
    QTest::newRow("espace") << "GRAND DUC" << QChar(' ') << "????? ???" << 1 << 7;
    QTest::newRow("tiret") << "PORC-EPIC" << QChar('-') << "????-????" << 1 << 7;
    QTest::newRow("apostrophe") << "COTE D'IVOIRE" << QChar('\'') << "??????'??????" << 1 << 7;
    QTest::newRow("espace absent") << "ELEPHANT" << QChar(' ') << "????????" << 0 << 6;
    QTest::newRow("lettre accentuee") << QStringLiteral("ÉTÉ") << QChar('E') << "???" << 0 << 6;
}

void TstPartie::uneToucheReveleToutesSesPositions()
{
    QFETCH(QString, mot);
    QFETCH(QChar, touche);
    QFETCH(QString, masque);
    QFETCH(int, trouvees);
    QFETCH(int, jokers);
    Partie p = partieSur(mot);
    QCOMPARE(p.essai(touche.unicode()), trouvees);
    QCOMPARE(p.masque(), masque);
    QCOMPARE(p.trouvees(), trouvees);
    QCOMPARE(p.jokers(), jokers);
}

void TstPartie::leClicSurEDansElephantDitSeptJokers()
{
    Partie p = partieSur(QStringLiteral("ELEPHANT"), QStringLiteral("Zoé"));
    p.essai(u'E');
    const Bilan b = p.bilan();
    QCOMPARE(b.image.value_or(QString()), QStringLiteral("0.bmp"));
    QCOMPARE(b.message, QStringLiteral("Zoé, \r\n il ne te reste plus que  7 jokers !"));
    QCOMPARE(b.issue, Issue::EnCours);
    QVERIFY(b.messageFin.isEmpty());
    QCOMPARE(p.suffixe(), QStringLiteral(" jokers !"));
}

void TstPartie::uneImageParCompteDeJokers_data()
{
    QTest::addColumn<int>("jokers");
    QTest::addColumn<QString>("image");
    for (int j = 0; j <= 7; ++j)
        QTest::addRow("%d", j) << j << QString::number(7 - j) + QStringLiteral(".bmp");
    QTest::newRow("au-dessus") << 8 << QString();
    QTest::newRow("negatif") << -1 << QString();
}

void TstPartie::uneImageParCompteDeJokers()
{
    QFETCH(int, jokers);
    QFETCH(QString, image);
    QCOMPARE(imagePourJokers(qint16(jokers)).value_or(QString()), image);
}

void TstPartie::leManqueDeDeuxAUnPasseAuSingulier()
{
    Partie p = partieSur(QStringLiteral("LION"));
    joue(p, QStringLiteral("ZXCVB"));
    QCOMPARE(p.jokers(), 2);
    QCOMPARE(p.bilan().message, QStringLiteral("Léa, \r\n il ne te reste plus que  2 jokers !"));
    p.essai(u'W');
    const Bilan b = p.bilan();
    QCOMPARE(b.image.value_or(QString()), QStringLiteral("6.bmp"));
    QCOMPARE(b.message, QStringLiteral("Léa, \r\n il ne te reste plus que  1 joker !"));
    QCOMPARE(b.issue, Issue::EnCours);
}

void TstPartie::leClicGagnantMontreLImageDuCompteAvantLaVictoire()
{
    Partie p = partieSur(QStringLiteral("ANE"));
    joue(p, QStringLiteral("ZAN"));
    p.essai(u'E');
    const Bilan b = p.bilan();
    // The count's picture comes first; the window then shows the victory.
    QCOMPARE(b.image.value_or(QString()), QStringLiteral("1.bmp"));
    QCOMPARE(b.issue, Issue::Gagnee);
    QCOMPARE(b.messageFin, QStringLiteral("Léa, \r\ntu as gagné, félicitations !"));
    QCOMPARE(p.masque(), QStringLiteral("ANE"));
}

void TstPartie::laPartieEstPerdueAZeroJokerExactement()
{
    Partie p = partieSur(QStringLiteral("GRAND DUC"));
    joue(p, QStringLiteral("ZEYIOP"));
    QCOMPARE(p.bilan().issue, Issue::EnCours);
    QCOMPARE(p.jokers(), 1);
    p.essai(u'\'');
    const Bilan b = p.bilan();
    QCOMPARE(p.jokers(), 0);
    QCOMPARE(b.image.value_or(QString()), QStringLiteral("7.bmp"));
    QCOMPARE(b.message, QStringLiteral("Léa, \r\n il ne te reste plus que  0 joker !"));
    QCOMPARE(b.issue, Issue::Perdue);
    QCOMPARE(b.messageFin,
             QStringLiteral("Léa, \r\ntu as utilisé tous tes jokers et tu as malheureusement perdu !"));
}

void TstPartie::unMotDePointsDInterrogationEstGagneAuPremierClic()
{
    // "?" already equals its mask: the first key, found or not, wins.
    Partie p = partieSur(QStringLiteral("??"));
    p.essai(u'A');
    const Bilan b = p.bilan();
    QCOMPARE(p.jokers(), 6);
    QCOMPARE(b.issue, Issue::Gagnee);

    Partie q = partieSur(QStringLiteral("A?"));
    q.essai(u'A');
    QCOMPARE(q.bilan().issue, Issue::Gagnee);
}

void TstPartie::uneLettreMinusculeNeSeReveleJamais()
{
    Partie p = partieSur(QStringLiteral("chat"));
    joue(p, QStringLiteral("CHATZXW"));
    QCOMPARE(p.masque(), QStringLiteral("????"));
    const Bilan b = p.bilan();
    QCOMPARE(b.issue, Issue::Perdue);
}

void TstPartie::unNouveauMotRemetLesJokersASept()
{
    Partie p = partieSur(QStringLiteral("LOUP"));
    joue(p, QStringLiteral("ZL"));
    p.bilan();
    p.commence(QStringLiteral("HERON"));
    QCOMPARE(p.jokers(), 7);
    QCOMPARE(p.masque(), QStringLiteral("?????"));
    QCOMPARE(p.nom(), QStringLiteral("Léa"));
    QCOMPARE(p.suffixe(), QStringLiteral(" jokers !"));
}

void TstPartie::unMotTropLongEstCoupeALaLongueurMaximale()
{
    const Partie p = partieSur(QString(40000, QLatin1Char('A')));
    QCOMPARE(p.longueur(), Partie::longueurMax);
    QCOMPARE(p.masque().size(), Partie::longueurMax);
}

QTEST_GUILESS_MAIN(TstPartie)
#include "tst_partie.moc"
