// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Finds the game's windows and works their controls, as a player would.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QAbstractButton>
#include <QTest>

// The window shown when exactly one is.
inline QWidget *seuleFenetre()
{
    QWidgetList montrees = QApplication::topLevelWidgets();
    montrees.removeIf([](QWidget *w) { return !w->isVisible(); });
    return montrees.size() == 1 ? montrees.first() : nullptr;
}

// Clicks each control in turn, as long as it is there, at its bottom right
// corner: a check box ticks from anywhere on its grey area.
inline void clique(const QWidget *w, const QStringList &noms)
{
    for (const QString &nom : noms) {
        auto *b = w ? w->findChild<QAbstractButton *>(nom) : nullptr;
        QVERIFY2(b && b->isVisible(), qPrintable(nom + " is not there"));
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().bottomRight());
    }
}

inline void saisit(const QWidget *w, const QString &nom, const QString &texte)
{
    w->findChild<QLineEdit *>(nom)->setText(texte);
}
