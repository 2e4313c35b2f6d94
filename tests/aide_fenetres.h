#pragma once

// Shared by the window tests: find controls by the names the game gives them
// and click them as a player would.

#include "ui/controles.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

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
