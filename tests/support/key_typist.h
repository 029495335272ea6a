#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

namespace bw::test {

// A key as a person types it.
struct TypedKey {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// Sends a key to whatever has the keyboard focus now, as the keyboard does: the focus widget
// of the modal window that is open, else the application's focus widget, else the active window.
inline void typeKey(const TypedKey &typed)
{
    QWidget *target = QApplication::focusWidget();
    if (QWidget *modal = QApplication::activeModalWidget(); modal && (!target || !modal->isAncestorOf(target)))
        target = modal->focusWidget() ? modal->focusWidget() : modal;
    if (!target)
        target = QApplication::activeWindow();
    if (target)
        QTest::keyClick(target, typed.key, typed.modifiers);
}

// Types keys one after another, gapMs apart, each to the focus of the moment it is due. Every
// key has a timer of its own, so keys keep coming while a modal window runs its own loop.
// Returns at once; the keys arrive as the event loop runs.
inline void typeKeysLater(const std::vector<TypedKey> &keys, int gapMs, int *typed = nullptr)
{
    int due = 0;
    for (const TypedKey &key : keys) {
        due += gapMs;
        QTimer::singleShot(due, Qt::PreciseTimer, qApp, [key, typed] {
            typeKey(key);
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
