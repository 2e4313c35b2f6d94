#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

// The small window between two games: the player's name, "Veux-tu rejouer ?"
// and the two answers.
class Rejouer : public QWidget
{
    Q_OBJECT
public:
    explicit Rejouer(QWidget *parent = nullptr);

    void setNomSaisi(const QString &nom);
    QString nomSaisi() const;

Q_SIGNALS:
    void oui();
    // "NON", or the window closed from its title bar.
    void non();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QLineEdit *m_nj = nullptr;
    QPushButton *m_oui = nullptr;
};
