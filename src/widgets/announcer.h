#pragma once

#include <QString>
#include <QWidget>

namespace bw {

// A line that screen readers read out the moment it is given, as they read a desktop
// notification, for what changes where the keyboard is not: another question shown while the
// keyboard stays on an answer, the language switched, an answer chosen on the one the keyboard
// is already on. A reader tells a control that is already focused nothing when it changes (it
// hears the focus move, not the control change), so this says it. It draws nothing and takes no
// room in the window.
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget *window);

    void say(const QString &text);
    // What was said last, which is also the line's name on the accessibility bus.
    QString said() const { return said_; }

signals:
    // After each line is given to assistive technology.
    void announced();

private:
    QString said_;
};

} // namespace bw
