// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as a player finds them: each click or typed character reaches
// the engine, what it decides shows in the right controls with the exact
// texts, faces and places; the windows' lives; and the rules of a game
// holding whatever a player does.
#include "enregistreur.h"
#include "etatlecteuratspi.h"
#include "fenetres.h"
#include "jeu.h"
#include "pendu.h"
#include "pilote.h"

#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QMenu>
#include <QProcess>
#include <QRandomGenerator>

#include <algorithm>

namespace {
const QStringList textes = {"", "   ", "OS", "A-B C'D", "??", "😀 ÉTÉ", "E\u0301TE", "שלום", "\x01\x07\x1b",
                             QString(QChar(0)) + "A", "\tA\nB\r\n", QString(300, 'N')};
// The longest word the game counts, and one more pasted. A name that long
// makes every message slow to lay out, so only words get them.
const QStringList mots = textes + QStringList{QString(32767, 'E'), QString(32768, 'B')};
// What a player may type: the keys' characters in both cases, the curly
// apostrophe, and characters no key looks for.
const QString frappes = "aZe -'’é1";

void tape(QWidget *fenetre, QChar c)
{
    QWidget *focus = fenetre->focusWidget() ? fenetre->focusWidget() : fenetre;
    QTest::sendKeyEvent(QTest::Click, focus, Qt::Key(c.toUpper().unicode()), QString(c), {});
}

// Turns the screen reader on or off in the desktop's settings, through the
// accessibility bus, as the desktop's switch does.
void statut(bool lecteur)
{
    QDBusMessage m = QDBusMessage::createMethodCall("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set");
    m << "org.a11y.Status" << "ScreenReaderEnabled" << QVariant::fromValue(QDBusVariant(lecteur));
    QCOMPARE(QDBusConnection::sessionBus().call(m).type(), QDBusMessage::ReplyMessage);
}

// What a window shows a player: its title, size, icon, tab order and focus, and for
// each control shown its place, face, spoken name and caption or text, each line
// break a bare LF, shown as \n.
QMap<QString, QString> ecranDe(const QWidget *w)
{
    QMap<QString, QString> ecran;
    if (!w)
        return ecran;
    const QString n = w->objectName();
    QStringList icone;
    for (const QSize s : w->windowIcon().availableSizes())
        icone << QString("%1x%2").arg(s.width()).arg(s.height());
    icone.removeDuplicates(); // a size comes twice on a screen taking the double-size drawings
    const QSize taille = w->windowHandle()->size();
    ecran[n] = QString("\"%1\" %2x%3 icon %4").arg(w->windowTitle()).arg(taille.width()).arg(taille.height()).arg(icone.join(','));
    QStringList ordre;
    for (const QWidget *t = w->nextInFocusChain(); t != w; t = t->nextInFocusChain())
        if (t->parentWidget() == w && (t->focusPolicy() & Qt::TabFocus))
            ordre << t->objectName();
    ecran[n + ".(tab)"] = ordre.join(' ');
    // Where typing goes. Where the focus moves from a button the click hid is
    // the platform's choice.
    const QWidget *focus = w->focusWidget();
    ecran[n + ".(focus)"] = qobject_cast<const QLineEdit *>(focus) ? focus->objectName() : "-";
    for (const QWidget *c : w->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!c->isVisibleTo(w))
            continue;
        const QFontInfo f(c->font());
        auto *b = qobject_cast<const QAbstractButton *>(c);
        auto *image = qobject_cast<const QLabel *>(c);
        const QRect g = c->geometry();
        QString montre = c->property(qobject_cast<const QTextEdit *>(c) ? "plainText" : "text").toString();
        QString vu = QString("%1,%2 %3x%4 ").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
        if (b && b->isCheckable())
            vu += b->isChecked() ? "[x] " : "[ ] ";
        else if (image && !image->pixmap().isNull())
            vu += "[" + c->accessibleDescription() + "] ";
        else
            vu += QString("%1 %2 %3%4 \"%5\" ").arg(f.family()).arg(f.weight()).arg(f.pointSizeF()).arg(f.italic() ? " italique" : "")
                          .arg(montre.replace('\n', "\\n"));
        ecran[n + "." + c->objectName()] = vu + "«" + c->accessibleName() + "»";
    }
    return ecran;
}
}

class TstFenetres : public QObject
{
    Q_OBJECT
    Enregistreur m_machine;
    std::unique_ptr<Jeu> m_jeu;
    QWidget *m_pendu = nullptr;

private Q_SLOTS:
    void initTestCase() { prepareProgramme(); }
    void init()
    {
        m_machine.journal.clear();
        m_machine.tirages.clear();
        QApplication::setQuitOnLastWindowClosed(false);
        m_jeu = std::make_unique<Jeu>(Services{m_machine, m_machine, m_machine, m_machine});
        m_jeu->ouvrePendu();
        m_pendu = seuleFenetre();
        QVERIFY(QTest::qWaitForWindowActive(m_pendu));
    }
    void cleanup()
    {
        m_jeu.reset();
        m_machine.setActif(false);
    }

    // A screen reader known as the game starts: the sound plays lower from
    // the start, and the name box has the focus. Tab from what a letter's
    // outcome says reaches the first key left (e2e_orca presses Tab after the
    // first letter of each game and after the third, and at the end, where
    // Tab reaches "Suite").
    void unLecteurDesLeDepart()
    {
        m_jeu.reset();
        m_machine.setActif(true);
        init();
        QCOMPARE(m_machine.journal, QStringList{"attenue 1"});
        QCOMPARE(m_pendu->focusWidget()->objectName(), "nj");
        clique(m_pendu, {"Entree", "Check7"});
        saisit(m_pendu, "Perso", "OS");
        clique(m_pendu, {"op"});
        tape(m_pendu, 'A');
        QTest::keyClick(m_pendu->focusWidget(), Qt::Key_Tab);
        QCOMPARE(m_pendu->focusWidget()->objectName(), "Z");
    }

    // The desktop's word on the accessibility bus, which comes after the
    // game (run alone, on a session bus that has none at first), goes and
    // comes back; taken only while Qt's accessibility bridge is on. A screen
    // reader that the bridge does not reach, as Qt 6.4's under Wayland when
    // Orca starts after the game, changes nothing. Turned on in the desktop's
    // settings, the game's window inactive meanwhile: the sound plays lower,
    // and back in the window the name box has the focus. The bus gone, no
    // screen reader listens; back, it says again that one does, as the
    // settings kept it. Turned off, none does.
    void leLecteurSuitLeBus()
    {
        QDBusConnectionInterface *session = QDBusConnection::sessionBus().interface();
        QVERIFY2(!session->isServiceRegistered("org.a11y.Bus"), "already an accessibility bus");
        m_jeu.reset();
        EtatLecteurAtSpi lecteur;
        Jeu jeu(Services{m_machine, m_machine, m_machine, lecteur});
        jeu.ouvrePendu();
        QWidget *pendu = seuleFenetre();
        QVERIFY(QTest::qWaitForWindowActive(pendu));
        QWidget reglages;
        reglages.show();
        reglages.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&reglages));
        QProcess bus;
        bus.start("/usr/libexec/at-spi-bus-launcher", {});
        QVERIFY2(bus.waitForStarted(), "no accessibility bus: install at-spi2-core");
        QTRY_VERIFY_WITH_TIMEOUT(session->isServiceRegistered("org.a11y.Bus"), 10000);
        statut(true);
        QTest::qWait(500);
        QVERIFY(m_machine.journal.isEmpty());
        QAccessible::setActive(true); // as Qt's bridge tells once it is on
        QCOMPARE(m_machine.journal, QStringList{"attenue 1"});
        reglages.close();
        pendu->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(pendu));
        QCOMPARE(QApplication::focusWidget()->objectName(), "nj");
        bus.terminate();
        QVERIFY(bus.waitForFinished());
        QTRY_VERIFY_WITH_TIMEOUT(m_machine.journal.endsWith("attenue 0"), 10000);
        bus.start();
        QTRY_VERIFY_WITH_TIMEOUT(m_machine.journal.endsWith("attenue 1"), 10000);
        statut(false);
        QTRY_VERIFY_WITH_TIMEOUT(m_machine.journal.endsWith("attenue 0"), 10000);
        QCOMPARE(m_machine.journal, QStringList({"attenue 1", "attenue 0", "attenue 1", "attenue 0"}));
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

    // A session clicked and typed as a player would, against seance.txt: after
    // each step, what changed on the screen and what was loaded or heard. The
    // session as shown is written to the current folder, to compare with diff.
    void chaquePasMontreCeQuIlFaut()
    {
        QFile attendue(QFINDTESTDATA("seance.txt"));
        QVERIFY(attendue.open(QIODevice::ReadOnly | QIODevice::Text));
        QStringList lignes = QString::fromUtf8(attendue.readAll()).split('\n', Qt::SkipEmptyParts);
        for (const QString &f : qEnvironmentVariable("GIBETTO_FACES").split(',', Qt::SkipEmptyParts))
            lignes.replaceInStrings(" " + f.section(':', 0, 0) + " ", " " + f.section(':', 1) + " ");
        QStringList vu;
        QMap<QString, QString> avant;
        for (const QString &pas : lignes.filter(QRegularExpression("^# "))) {
            const QString p = pas.mid(2);
            QWidget *w = seuleFenetre();
            const qsizetype entendus = m_machine.journal.size();
            QStringList menu;
            if (p.startsWith('%'))
                m_machine.tirages = {p.mid(1).toDouble()};
            else if (p.contains('='))
                saisit(w, p.section('=', 0, 0), p.section('=', 1));
            else if (p.startsWith('@'))
                w->findChild<QWidget *>(p.mid(1))->setFocus();
            else if (p.startsWith('>'))
                for (const QChar c : p.mid(1))
                    tape(w, c);
            else if (p.startsWith('?')) {
                // A text box's right-click menu, Qt's own texts; -- a separator. Shortcuts
                // are left out: each platform has its own.
                const std::unique_ptr<QMenu> m(w->findChild<QLineEdit *>(p.mid(1))->createStandardContextMenu());
                for (const QAction *a : m->actions())
                    menu << (a->isSeparator() ? "--" : a->text().section('\t', 0, 0));
            } else if (!p.isEmpty())
                clique(w, p.split(' '));
            vu << pas;
            for (const QString &e : m_machine.journal.mid(entendus) + menu)
                vu << "  " + e;
            const QMap<QString, QString> maintenant = ecranDe(seuleFenetre());
            for (auto i = maintenant.begin(); i != maintenant.end(); ++i) {
                const bool ouverte = !i.key().contains('.') && !avant.contains(i.key());
                if (avant.value(i.key()) != i.value())
                    vu << i.key() + " " + i.value() + (ouverte ? " focus " + seuleFenetre()->focusWidget()->objectName() : "");
            }
            // A window gone goes in one line.
            for (auto i = avant.begin(); i != avant.end(); ++i)
                if (!maintenant.contains(i.key()) && (!i.key().contains('.') || maintenant.contains(i.key().section('.', 0, 0))))
                    vu << i.key() + " -";
            avant = maintenant;
        }
        QFile vue("seance-vue.txt");
        QVERIFY(vue.open(QIODevice::WriteOnly) && vue.write(vu.join('\n').toUtf8() + '\n') > 0);
        QVERIFY2(vu == lignes, qPrintable("each change under its step: diff -U0 -F '^# ' " + attendue.fileName() + " " + QFileInfo(vue).absoluteFilePath()));
    }

    // A seeded random walk over all a player can click or type, hostile text included, checking
    // after every action that one window shows, its keys only while a game is on (the rules
    // themselves are tst_partie's): 1,000 actions a seed, or GIBETTO_FUZZ_ACTIONS.
    // A seed's walk replays alone as tst_fenetres lesReglesTiennentQuoiQueFasseLeJoueur:7.
    void lesReglesTiennentQuoiQueFasseLeJoueur_data()
    {
        QTest::addColumn<quint32>("graine");
        QTest::addColumn<bool>("lecteur");
        for (quint32 graine = 1; graine <= 20; ++graine)
            QTest::addRow("%u", graine) << graine << false;
        QTest::addRow("7-lecteur") << 7u << true;
    }
    void lesReglesTiennentQuoiQueFasseLeJoueur()
    {
        QFETCH(quint32, graine);
        QFETCH(bool, lecteur);
        m_machine.setActif(lecteur);
        QRandomGenerator des(graine);
        const int actions = qEnvironmentVariableIsSet("GIBETTO_FUZZ_ACTIONS")
                ? qEnvironmentVariableIntValue("GIBETTO_FUZZ_ACTIONS") : 1000;
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
            const QString nom = cible->objectName();
            auto *boite = qobject_cast<QLineEdit *>(cible);
            if (des.bounded(3) == 0 && qobject_cast<Pendu *>(fenetre.get())) {
                // A character typed, the focus on the picture or in a box.
                (boite ? cible : fenetre->findChild<QWidget *>("Ecran"))->setFocus();
                tape(fenetre, frappes.at(des.bounded(int(frappes.size()))));
            } else if (boite) {
                const QStringList &choix = nom == "Perso" ? mots : textes;
                boite->clear();
                boite->insert(choix.at(des.bounded(int(choix.size()))));
                continue;
            } else {
                static_cast<QAbstractButton *>(cible)->click();
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (nom == "non") // where the program ends: the walk goes on in a new one
                init();
            auto *pendu = qobject_cast<Pendu *>(fenetre.get());
            if (!pendu || !fenetre->isVisible())
                continue;
            const bool touches = std::any_of(clavier.begin(), clavier.end(), [&](const Touche &t) {
                const QWidget *touche = pendu->findChild<QWidget *>(t.bouton);
                return touche && touche->isVisible();
            });
            QVERIFY2(touches == pendu->partie().enJeu(), ou + "the keys show outside a game, or hide in one");
        }
    }
};

QTEST_MAIN(TstFenetres)
#include "tst_fenetres.moc"
