#pragma once

#include <QAccessible>
#include <functional>

namespace bw {

// Tells assistive technology that something it reads has changed, for widgets that do not
// say so themselves (a group box's title, for one).
void announce(QObject *object, QAccessible::Event type);

// Lets tests watch the announcements, which Qt drops while no screen reader is active.
void setAnnouncementObserver(std::function<void(QObject *, QAccessible::Event)> observer);

} // namespace bw
