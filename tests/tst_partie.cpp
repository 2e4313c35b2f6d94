// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of a game, a row per case: the keys a player clicks on a word,
// those the rules refuse, and everything the last click taken shows and says
// to a screen reader.
#include "clavier.h"
#include "paroles.h"
#include "partie.h"

#include <QTest>

class TstPartie : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void unClicMontreSonBilan_data()
    {
        QTest::addColumn<QString>("mot");
        QTest::addColumn<QString>("touches");
        QTest::addColumn<QString>("refusees"); // changed nothing and showed nothing
        QTest::addColumn<QString>("dit"); // to a screen reader
        const QString reste7 = " Léa,   il ne te reste plus que  7 jokers !";
        const QString suite = " Pour continuer, le bouton Suite est juste après : touche Tab.";
        const QString gagne = " Léa,  tu as gagné, félicitations !" + suite;
        const QString perdu = " Léa,  tu as utilisé tous tes jokers et tu as malheureusement perdu ! Le mot était : O, S." + suite;
        QTest::newRow("every E of ELEPHANT at once") << "ELEPHANT" << "E" << "" << "E : dans le mot, 2 fois. Le mot : E, caché, E, caché, caché, caché, caché, caché." + reste7;
        QTest::newRow("small letters never show") << "ane" << "ANE" << "" << "E : pas dans le mot. Le mot : caché, caché, caché. Léa,   il ne te reste plus que  4 jokers !";
        QTest::newRow("an accent typed apart hides with its letter") << "E\u0301T" << "ET" << "" << "T : dans le mot, 1 fois. Le mot : caché, T. Léa,   il ne te reste plus que  6 jokers !";
        QTest::newRow("a sign outside the keys hides as one character") << "\U0001F600A" << "A" << "" << "A : dans le mot, 1 fois. Le mot : caché, A." + reste7;
        QTest::newRow("question marks are won at the first click") << "??" << "A" << "" << "A : pas dans le mot. Le mot : ?, ?." + gagne;
        // The count of characters is a 16-bit number.
        const QString a(Partie::longueurMax, 'A');
        QTest::newRow("a word too long is cut") << a + "A" << "A" << "" << "A : dans le mot, 32767 fois. Le mot : " + QStringList(Partie::longueurMax, "A").join(", ") + "." + gagne;
        QTest::newRow("a key tried twice counts once") << "OS" << "ZOZO" << "ZO" << "O : dans le mot, 1 fois. Le mot : O, caché. Léa,   il ne te reste plus que  6 jokers !";
        QTest::newRow("characters no key looks for") << "ÉTÉ" << "Éé1T" << "Éé1" << "T : dans le mot, 1 fois. Le mot : caché, T, caché." + reste7;
        QTest::newRow("no key after a win") << "OS" << "OSA" << "A" << "S : dans le mot, 1 fois. Le mot : O, S." + gagne;
        QTest::newRow("no key after a loss") << "OS" << "ABCDEFGO" << "O" << "G : pas dans le mot. Le mot : caché, caché." + perdu;
    }

    void unClicMontreSonBilan()
    {
        QFETCH(QString, touches);
        Partie p;
        p.nomme("Léa");
        QFETCH(QString, mot);
        p.commence(mot);
        QString refusees;
        QString dit;
        for (const QChar c : touches) {
            const std::optional<Bilan> bilan = p.essai(c.unicode());
            if (bilan)
                dit = parleEssai(c.unicode(), *bilan, p.masque(), p.mot());
            else
                refusees += c;
        }
        QTEST(dit, "dit");
        QTEST(refusees, "refusees");
    }
};

QTEST_GUILESS_MAIN(TstPartie)
#include "tst_partie.moc"
