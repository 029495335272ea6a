#include "app/dialogs.h"

#include "app/fixed_window.h"
#include "widgets/instant_mnemonic.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

namespace bw {

namespace {

// A message box whose buttons answer at once, to their letter alone as to Alt and the letter,
// instead of after Qt's press animation, so that a key typed right after is not lost.
class MessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            const auto all = buttons();
            for (QAbstractButton *button : all) {
                const QKeySequence mnemonic = button->shortcut();
                if (!mnemonic.isEmpty() && mnemonic[0].key() == Qt::Key(event->key())) {
                    event->accept();
                    button->click();
                    return;
                }
            }
        }
        QMessageBox::keyPressEvent(event);
    }
};

// Without a window manager (a kiosk, a bare X display) nothing gives the keyboard back to the
// window under a modal one when it closes: the program hands it back itself, once the handler
// that opened the modal window has finished, and only if no other modal window has opened
// meanwhile (the result window after the question Finish asks), which the request would take
// the keyboard from. A Wayland compositor always hands the keyboard back itself, and answers a
// request to activate a window later, after whatever window opened next: there the program
// does not ask.
void giveKeyboardBack(QWidget *parent)
{
    QWidget *window = parent ? parent->window() : nullptr;
    if (!window || onWayland())
        return;
    QTimer::singleShot(0, window, [window] {
        if (window->isVisible() && !window->isActiveWindow() && !QApplication::activeModalWidget())
            window->activateWindow();
    });
}

// Texts carry CR LF line breaks; a label breaks lines on LF alone.
QString shownText(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

int ask(QWidget *parent, const QString &text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton defaultButton)
{
    MessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kAppTitle), shownText(text), buttons, parent);
    box.setDefaultButton(defaultButton);
    box.setTextFormat(Qt::PlainText);
    const auto all = box.buttons();
    for (QAbstractButton *button : all)
        actOnMnemonicAtOnce(button);
    const int answer = execModal(box);
    giveKeyboardBack(parent);
    return answer;
}

} // namespace

bool MessageBoxDialogs::askYesNo(QWidget *parent, const QString &text)
{
    return ask(parent, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

bool MessageBoxDialogs::askOkCancel(QWidget *parent, const QString &text)
{
    return ask(parent, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
}

void MessageBoxDialogs::tell(QWidget *parent, const QString &text)
{
    ask(parent, text, QMessageBox::Ok, QMessageBox::Ok);
}

void MessageBoxDialogs::retext(QWidget *parent, const QString &text)
{
    if (!parent)
        return;
    const auto boxes = parent->findChildren<QMessageBox *>(Qt::FindDirectChildrenOnly);
    for (QMessageBox *box : boxes)
        if (box->isVisible())
            box->setText(shownText(text));
}

void MessageBoxDialogs::runModal(QDialog &dialog)
{
    execModal(dialog);
    dialog.hide();
    giveKeyboardBack(dialog.parentWidget());
}

void leaveActivationToCompositor()
{
    // Qt's Wayland platform asks the compositor to activate the window with the focus whenever
    // the focus moves, also when the compositor has just handed that window the keyboard. When
    // the question Finish asks closes, the compositor hands the keyboard to the main window, the
    // main window asks to be activated, and the answer comes after the result window has
    // opened: the keyboard goes to the blocked main window. Nothing else listens to this signal
    // in a widgets program.
    if (onWayland())
        QObject::disconnect(qApp, &QGuiApplication::focusObjectChanged, nullptr, nullptr);
}

} // namespace bw
