// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLineEdit;

// The small window between two games: the player's name, "Veux-tu rejouer ?"
// and the two answers. "NON", like its close box, closes it for good.
class Rejouer : public QWidget
{
    Q_OBJECT
public:
    explicit Rejouer(QWidget *parent = nullptr);

    void setNomSaisi(const QString &nom);
    QString nomSaisi() const;

Q_SIGNALS:
    void oui();

private:
    QLineEdit *m_nj = nullptr;
};
