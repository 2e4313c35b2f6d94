#pragma once

// Shared by the window tests: find controls by the names the game gives them
// and click them as a player would.

#include "enregistreur.h"
#include "controles.h"
#include "pendu.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <memory>

template<typename T = QWidget>
T *controle(const QWidget *fenetre, const QString &nom)
{
    auto *trouve = fenetre->findChild<T *>(nom, Qt::FindDirectChildrenOnly);
    if (!trouve)
        qFatal("no control named %s", qPrintable(nom));
    return trouve;
}

inline bool visible(const QWidget *fenetre, const QString &nom)
{
    return controle(fenetre, nom)->isVisibleTo(fenetre);
}

// A click lands only on what the player can see.
inline void clique(const QWidget *fenetre, const QString &nom)
{
    auto *bouton = controle<QAbstractButton>(fenetre, nom);
    QVERIFY2(bouton->isVisible(), qPrintable(nom + QStringLiteral(" is hidden")));
    QTest::mouseClick(bouton, Qt::LeftButton, {}, bouton->rect().center());
}

inline QString texte(const QWidget *fenetre, const QString &nom)
{
    if (auto *zone = fenetre->findChild<Zone *>(nom, Qt::FindDirectChildrenOnly))
        return zone->texte();
    if (auto *etiquette = fenetre->findChild<Etiquette *>(nom, Qt::FindDirectChildrenOnly))
        return etiquette->legende();
    return controle<QLineEdit>(fenetre, nom)->text();
}

inline void saisit(const QWidget *fenetre, const QString &nom, const QString &texte)
{
    auto *boite = controle<QLineEdit>(fenetre, nom);
    boite->clear();
    // Typed key by key; letters beyond ASCII arrive as text, as from a
    // keyboard with accents.
    for (const QChar c : texte) {
        if (c.unicode() < 128)
            QTest::keyClick(boite, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, boite, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// The key buttons' names for the characters of a text, for playing a game.
inline QString nomDeTouche(QChar c)
{
    if (c == QLatin1Char(' '))
        return QStringLiteral("space");
    if (c == QLatin1Char('-'))
        return QStringLiteral("tiret");
    if (c == QLatin1Char('\''))
        return QStringLiteral("apostrophe");
    return QString(c);
}

// A main window on the recording stand-in, shown, and kept when closed so
// that the test can look at it.
inline std::unique_ptr<Pendu> ouvrePendu(Enregistreur &double_)
{
    auto w = std::make_unique<Pendu>(Services{double_, double_, double_});
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        qFatal("the main window did not show");
    return w;
}

// Names the player and wins a game on the own word "OS", key by key.
inline void gagneSurUnMot(const QWidget *w, const QString &nom)
{
    saisit(w, QStringLiteral("nj"), nom);
    clique(w, QStringLiteral("Entree"));
    clique(w, QStringLiteral("Check7"));
    saisit(w, QStringLiteral("Perso"), QStringLiteral("OS"));
    clique(w, QStringLiteral("op"));
    clique(w, QStringLiteral("O"));
    clique(w, QStringLiteral("S"));
    if (!visible(w, QStringLiteral("SF")))
        qFatal("the game did not end");
}
