#include "app/announce.h"

namespace bw {

namespace {

std::function<void(QObject *, QAccessible::Event)> &observer()
{
    static std::function<void(QObject *, QAccessible::Event)> instance;
    return instance;
}

} // namespace

void announce(QObject *object, QAccessible::Event type)
{
    QAccessibleEvent event(object, type);
    QAccessible::updateAccessibility(&event);
    if (observer())
        observer()(object, type);
}

void setAnnouncementObserver(std::function<void(QObject *, QAccessible::Event)> watcher)
{
    observer() = std::move(watcher);
}

} // namespace bw
