#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <vector>

namespace bw::test {

// A key as a person types it.
struct TypedKey {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// Sends a key to whatever has the keyboard focus now, as the keyboard does: an open menu, the
// focus widget of the modal window that is open, else the application's focus widget, else
// the active window.
inline void sendKeyToFocus(const TypedKey &typed)
{
    if (QWidget *menu = QApplication::activePopupWidget()) {
        QTest::keyClick(menu, typed.key, typed.modifiers);
        return;
    }
    QWidget *target = QApplication::focusWidget();
    if (QWidget *modal = QApplication::activeModalWidget(); modal && (!target || !modal->isAncestorOf(target)))
        target = modal->focusWidget() ? modal->focusWidget() : modal;
    if (!target)
        target = QApplication::activeWindow();
    if (target)
        QTest::keyClick(target, typed.key, typed.modifiers);
}

// Under a Wayland compositor that takes keys from a virtual keyboard (sway), with_wayland.sh
// asks for the keys to be typed there, with wtype: each key then goes where the compositor
// has put the keyboard, as a person's would, and one typed to a window that a modal window
// blocks is lost.
inline bool typingThroughCompositor()
{
    static const bool wtype = qgetenv("BRIGHTWELL_KEY_TYPIST") == "wtype";
    return wtype;
}

// wtype's arguments for one key, with its modifiers held.
inline QStringList wtypeArguments(const TypedKey &typed)
{
    QStringList modifiers;
    if (typed.modifiers & Qt::AltModifier)
        modifiers << QStringLiteral("alt");
    if (typed.modifiers & Qt::ControlModifier)
        modifiers << QStringLiteral("ctrl");
    if (typed.modifiers & Qt::ShiftModifier)
        modifiers << QStringLiteral("shift");
    QString name;
    const int key = typed.key;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        name = QChar(u'a' + (key - Qt::Key_A));
    else if (key >= Qt::Key_0 && key <= Qt::Key_9)
        name = QChar(u'0' + (key - Qt::Key_0));
    else if (key == Qt::Key_Return)
        name = QStringLiteral("Return");
    else if (key == Qt::Key_Escape)
        name = QStringLiteral("Escape");
    else if (key == Qt::Key_PageDown)
        name = QStringLiteral("Next");
    else if (key == Qt::Key_PageUp)
        name = QStringLiteral("Prior");
    else if (key == Qt::Key_Up)
        name = QStringLiteral("Up");
    else if (key == Qt::Key_Down)
        name = QStringLiteral("Down");
    else if (key == Qt::Key_Space)
        name = QStringLiteral("space");
    else if (key == Qt::Key_Tab)
        name = QStringLiteral("Tab");
    else if (key == Qt::Key_Alt)
        name = QStringLiteral("Alt_L");
    else if (key == Qt::Key_F10)
        name = QStringLiteral("F10");
    QStringList arguments;
    for (const QString &modifier : modifiers)
        arguments << QStringLiteral("-M") << modifier;
    arguments << QStringLiteral("-k") << name;
    for (const QString &modifier : modifiers)
        arguments << QStringLiteral("-m") << modifier;
    return arguments;
}

// Whether the window the user sees in front has the keyboard: the modal window when one is
// open, else a window that is shown.
inline bool keyboardOnTheWindowInFront()
{
    const QWindow *focused = QGuiApplication::focusWindow();
    if (!focused || !focused->isVisible())
        return false;
    const QWidget *modal = QApplication::activeModalWidget();
    return !modal || modal->windowHandle() == focused;
}

// Notes the moment a key typed through the compositor has been handed to the program. Its
// press is what counts (a key that opens a window leaves its release to the window it opened
// from, which that window then blocks), or for a shortcut the question whether a widget
// wants the key for itself, which Qt asks instead.
class KeyArrival : public QObject {
public:
    explicit KeyArrival(int key) : key_(key) { qApp->installEventFilter(this); }
    ~KeyArrival() override { qApp->removeEventFilter(this); }
    bool arrived = false;
    // The window the compositor handed the key to.
    QWindow *window = nullptr;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        const bool press = event->type() == QEvent::KeyPress && event->spontaneous();
        if ((press || event->type() == QEvent::ShortcutOverride) && static_cast<QKeyEvent *>(event)->key() == key_) {
            arrived = true;
            if (auto *to = qobject_cast<QWindow *>(receiver); to && !window)
                window = to;
        }
        return false;
    }

private:
    int key_;
};

// A key typed through the compositor went astray: the test fails, and a modal window that
// waited for it is closed, so that the test ends instead of hanging in it.
inline void keyWentAstray(const QString &what)
{
    QTest::qFail(qPrintable(what), __FILE__, __LINE__);
    if (QWidget *modal = QApplication::activeModalWidget())
        QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
}

// Types a key as a person does. Through the compositor it waits until the window in front has
// the keyboard, and then for the key to come back to the program.
inline void typeKey(const TypedKey &typed)
{
    if (!typingThroughCompositor()) {
        sendKeyToFocus(typed);
        return;
    }
    // A loaded machine and a compositor take their time: generous limits, never a fixed wait.
    constexpr int kLimitMs = 30000;
    const QString command = QStringLiteral("wtype ") + wtypeArguments(typed).join(QLatin1Char(' '));
    if (!QTest::qWaitFor(keyboardOnTheWindowInFront, kLimitMs)) {
        const QWindow *focused = QGuiApplication::focusWindow();
        keyWentAstray(QStringLiteral("the keyboard is on %1, not on the window in front, for %2")
                          .arg(focused ? focused->objectName() : QStringLiteral("no window"), command));
        return;
    }
    KeyArrival arrival(typed.key);
    if (QProcess::execute(QStringLiteral("wtype"), wtypeArguments(typed)) != 0) {
        keyWentAstray(command + QStringLiteral(" failed"));
        return;
    }
    if (!QTest::qWaitFor([&arrival] { return arrival.arrived; }, kLimitMs))
        keyWentAstray(command + QStringLiteral(" never reached the program"));
}

// Whether the compositor has given the keyboard to window: a Shift typed through it comes
// to that window. The program's own idea of the active window can run ahead of the
// compositor's, when Qt takes a request to activate a window as granted.
inline bool compositorKeyboardOn(QWidget *window)
{
    constexpr int kLimitMs = 30000;
    KeyArrival arrival(Qt::Key_Shift);
    return QProcess::execute(QStringLiteral("wtype"), {QStringLiteral("-k"), QStringLiteral("Shift_L")}) == 0
        && QTest::qWaitFor([&arrival] { return arrival.arrived; }, kLimitMs) && arrival.window == window->windowHandle();
}

// Types keys one after another, gapMs apart, each to the focus of the moment it is due. Every
// key has a timer of its own, so keys keep coming while a modal window runs its own loop.
// Returns at once; the keys arrive as the event loop runs. They are sent inside the program
// on every display: typed that fast, a key that opens a window and the next one would race
// the window's appearance on any real display.
inline void typeKeysLater(const std::vector<TypedKey> &keys, int gapMs, int *typed = nullptr)
{
    int due = 0;
    for (const TypedKey &key : keys) {
        due += gapMs;
        QTimer::singleShot(due, Qt::PreciseTimer, qApp, [key, typed] {
            sendKeyToFocus(key);
            if (typed)
                ++*typed;
        });
    }
}

// Runs action on the modal window named objectName (or of that class) once it is open, from inside its own event
// loop, so that a test can look at a real modal window and answer it without blocking. Polls on
// timers; after about 5 s of waiting it rejects whatever modal window is open instead, so that
// a test that fails never hangs in a modal loop.
inline void whenModalShown(const char *objectName, std::function<void(QWidget *)> action, int polls = 1000)
{
    QTimer::singleShot(5, Qt::PreciseTimer, qApp, [objectName, action, polls] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && (modal->objectName() == QLatin1String(objectName) || modal->inherits(objectName))) {
            action(modal);
        } else if (polls > 0) {
            whenModalShown(objectName, action, polls - 1);
        } else if (modal) {
            qWarning("no modal window named %s came; closing %s", objectName, qPrintable(modal->objectName()));
            QMetaObject::invokeMethod(modal, "reject");
        }
    });
}

} // namespace bw::test
