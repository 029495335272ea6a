#include "widgets/instant_mnemonic.h"

#include <QAbstractButton>
#include <QEvent>
#include <QShortcutEvent>

namespace bw {

namespace {

// Lives as the button's child, so it goes with it.
class InstantMnemonic : public QObject {
public:
    explicit InstantMnemonic(QAbstractButton *button)
        : QObject(button)
    {
        button->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A button is sent shortcut events for its own mnemonic only.
        if (event->type() != QEvent::Shortcut || static_cast<QShortcutEvent *>(event)->isAmbiguous())
            return false;
        auto *button = static_cast<QAbstractButton *>(watched);
        if (button->isEnabled())
            button->click();
        return true;
    }
};

} // namespace

void actOnMnemonicAtOnce(QAbstractButton *button)
{
    if (!button->findChild<InstantMnemonic *>(QString(), Qt::FindDirectChildrenOnly))
        new InstantMnemonic(button);
}

} // namespace bw
