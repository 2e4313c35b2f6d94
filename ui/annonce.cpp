#include "annonce.h"

#include <QAccessible>
#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <array>

namespace {
// The bridge to the screen reader starts listening once the program runs,
// after the first window is made.
class Depart : public QObject, public QAccessible::ActivationObserver
{
public:
    explicit Depart(QWidget *controle)
        : QObject(controle)
        , m_controle(controle)
        , m_focus(controle->window()->focusWidget())
    {
        QAccessible::installActivationObserver(this);
    }
    ~Depart() override { QAccessible::removeActivationObserver(this); }

    void accessibilityActiveChanged(bool actif) override
    {
        if (!actif)
            return;
        if (m_controle->window()->focusWidget() == m_focus)
            m_controle->setFocus(Qt::OtherFocusReason);
        deleteLater();
    }

private:
    QWidget *m_controle;
    QPointer<QWidget> m_focus;
};
}

void ecouteDepuis(QWidget *controle)
{
    if (QAccessible::isActive())
        controle->setFocus(Qt::OtherFocusReason);
    else
        new Depart(controle);
}

void annonce(QWidget *fenetre, const std::function<QString()> &texte, QWidget *ensuite)
{
    // Spelling a 32,767-letter own word at every click took a click from
    // 0.9 to 4.8 ms (bench_partie), for nobody when no one listens.
    if (!QAccessible::isActive())
        return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    Q_UNUSED(ensuite);
    QAccessibleAnnouncementEvent evenement(fenetre, texte());
    QAccessible::updateAccessibility(&evenement);
#else
    // Qt 6.4 cannot announce, and Orca 43 speaks neither a changed name nor a
    // live region outside web pages: it speaks the control that takes the
    // focus. Two voices, drawing nothing, take turns, so that the focus moves
    // at each announcement, even from one to the next.
    std::array<QLabel *, 2> voix{};
    for (std::size_t i = 0; i < voix.size(); ++i) {
        const QString nom = QStringLiteral("voix%1").arg(i + 1);
        voix[i] = fenetre->findChild<QLabel *>(nom, Qt::FindDirectChildrenOnly);
        if (!voix[i]) {
            voix[i] = new QLabel(fenetre);
            voix[i]->setObjectName(nom);
            voix[i]->setGeometry(0, 0, 1, 1);
            voix[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
            voix[i]->show();
        }
    }
    QLabel *parle = voix[0]->hasFocus() ? voix[1] : voix[0];
    parle->setAccessibleName(texte());
    // Qt sets the tab order of focusable controls only; the voice stays out
    // of the Tab key's way all the same.
    QWidget *avant = ensuite ? ensuite->previousInFocusChain() : nullptr;
    if (avant && avant != parle) {
        const Qt::FocusPolicy politique = avant->focusPolicy();
        avant->setFocusPolicy(Qt::TabFocus);
        parle->setFocusPolicy(Qt::TabFocus);
        QWidget::setTabOrder(avant, parle);
        parle->setFocusPolicy(Qt::NoFocus);
        avant->setFocusPolicy(politique);
    }
    parle->setFocus(Qt::OtherFocusReason);
#endif
}
