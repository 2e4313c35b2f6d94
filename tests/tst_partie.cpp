// The rules of a game, a row per case: the keys a player clicks on a word,
// and everything the last click shows.
#include "clavier.h"
#include "partie.h"

#include <QTest>

Q_DECLARE_METATYPE(Issue)

namespace {
const QString lea = QStringLiteral("Léa, \r\n");
QString reste(const char *compte) { return lea + " il ne te reste plus que " + compte; }
const QString gagne = lea + "tu as gagné, félicitations !";
const QString perdu = lea + "tu as utilisé tous tes jokers et tu as malheureusement perdu !";
}

class TstPartie : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void unClicMontreSonBilan_data();
    void unClicMontreSonBilan();
    void unMotTropLongEstCoupeALaLongueurMaximale();
    void unNouveauMotRemetLesJokersASept();
};

void TstPartie::unClicMontreSonBilan_data()
{
    QTest::addColumn<QString>("mot");
    QTest::addColumn<QString>("touches");
    QTest::addColumn<QString>("masque");
    QTest::addColumn<int>("jokers");
    QTest::addColumn<QStringList>("images");
    QTest::addColumn<QString>("message");
    QTest::addColumn<Issue>("issue");
    QTest::addColumn<QString>("fin");
    QTest::addColumn<QString>("son");
    QTest::addColumn<QString>("aff");

    const auto enCours = Issue::EnCours;
    QTest::newRow("every E of ELEPHANT at once")
            << "ELEPHANT" << "E" << "E?E?????" << 7 << QStringList{"0.bmp"}
            << reste(" 7 jokers !") << enCours << "" << "" << "E?E?????";
    QTest::newRow("a miss costs a joker")
            << "ELEPHANT" << "Z" << "????????" << 6 << QStringList{"1.bmp"}
            << reste(" 6 jokers !") << enCours << "" << "" << "????????";
    QTest::newRow("one joker left is singular")
            << "OS" << "ABCDEF" << "??" << 1 << QStringList{"6.bmp"}
            << reste(" 1 joker !") << enCours << "" << "" << "??";
    QTest::newRow("a hit costs nothing after misses")
            << "ZEBRE" << "AE" << "?E??E" << 6 << QStringList{"1.bmp"}
            << reste(" 6 jokers !") << enCours << "" << "" << "?E??E";
    QTest::newRow("the hyphen is hidden like a letter")
            << "PORC-EPIC" << "-" << "????-????" << 7 << QStringList{"0.bmp"}
            << reste(" 7 jokers !") << enCours << "" << "" << "????-????";
    QTest::newRow("space and apostrophe")
            << "COTE D'IVOIRE" << " '" << "???? ?'??????" << 7 << QStringList{"0.bmp"}
            << reste(" 7 jokers !") << enCours << "" << "" << "???? ?'??????";
    QTest::newRow("small letters are never revealed")
            << "ane" << "ANE" << "???" << 4 << QStringList{"3.bmp"}
            << reste(" 4 jokers !") << enCours << "" << "" << "???";
    QTest::newRow("an accent typed apart hides with its letter")
            << "E\u0301T" << "ET" << "?T" << 6 << QStringList{"1.bmp"}
            << reste(" 6 jokers !") << enCours << "" << "" << "?T";
    QTest::newRow("a win with jokers left shows the stage, then the victory")
            << "OS" << "ZOS" << "OS" << 6 << QStringList{"1.bmp", "victoire.bmp"}
            << reste(" 6 jokers !") << Issue::Gagnee << gagne << "Bravo.wav" << "OS";
    QTest::newRow("a word of question marks is won at the first click")
            << "??" << "A" << "??" << 6 << QStringList{"1.bmp", "victoire.bmp"}
            << reste(" 6 jokers !") << Issue::Gagnee << gagne << "Bravo.wav" << "??";
    QTest::newRow("the seventh miss loses and shows the word")
            << "OS" << "ABCDEFG" << "??" << 0 << QStringList{"7.bmp"}
            << reste(" 0 joker !") << Issue::Perdue << perdu << "Echec.wav" << "OS";
    QTest::newRow("a loss on the space key shows the word too")
            << "OS" << "ABCDEF " << "??" << 0 << QStringList{"7.bmp"}
            << reste(" 0 joker !") << Issue::Perdue << perdu << "Echec.wav" << "OS";
}

void TstPartie::unClicMontreSonBilan()
{
    QFETCH(QString, mot);
    QFETCH(QString, touches);
    QFETCH(int, jokers);
    QFETCH(QStringList, images);
    QFETCH(Issue, issue);
    Partie p;
    p.nomme(QStringLiteral("Léa"));
    p.commence(mot);
    Bilan b;
    for (const QChar c : touches) {
        QVERIFY2(toucheDe(c.unicode()), "a key of the keyboard");
        QCOMPARE(b.issue, Issue::EnCours);
        p.essai(c.unicode());
        b = p.bilan();
    }
    QTEST(p.masque(), "masque");
    QCOMPARE(p.jokers(), jokers);
    QCOMPARE(b.jokers, QLatin1Char(' ') + QString::number(jokers));
    QCOMPARE(b.etape, 7 - jokers);
    QStringList fichiers;
    for (const Image &image : b.images) {
        QVERIFY(!image.description.isEmpty());
        fichiers.append(image.fichier);
    }
    QCOMPARE(fichiers, images);
    QTEST(b.message, "message");
    QCOMPARE(b.issue, issue);
    QTEST(b.messageFin, "fin");
    QTEST(b.son, "son");
    QTEST(b.aff, "aff");
    QCOMPARE(b.invite, issue == Issue::EnCours ? QString() : QStringLiteral("Jeu terminé !"));
}

void TstPartie::unMotTropLongEstCoupeALaLongueurMaximale()
{
    // The count of characters is a 16-bit number.
    Partie p;
    p.commence(QString(Partie::longueurMax + 1, QLatin1Char('A')));
    QCOMPARE(p.longueur(), qint16(Partie::longueurMax));
    QCOMPARE(p.mot().size(), Partie::longueurMax);
    p.essai(u'A');
    QCOMPARE(p.bilan().issue, Issue::Gagnee);
}

void TstPartie::unNouveauMotRemetLesJokersASept()
{
    Partie p;
    p.nomme(QStringLiteral("Léa"));
    p.commence(QStringLiteral("OS"));
    p.essai(u'A');
    p.commence(QStringLiteral("LOUP"));
    QCOMPARE(p.jokers(), qint16(7));
    QCOMPARE(p.masque(), QStringLiteral("????"));
    QCOMPARE(p.nom(), QStringLiteral("Léa"));
}

QTEST_GUILESS_MAIN(TstPartie)
#include "tst_partie.moc"
