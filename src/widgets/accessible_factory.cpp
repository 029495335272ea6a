#include "widgets/accessible_factory.h"

#include <QAccessible>
#include <QWidget>
#include <vector>

namespace bw {

namespace {

struct Provided {
    const char *className;
    QAccessibleInterface *(*make)(QWidget *);
};

std::vector<Provided> &provided()
{
    static std::vector<Provided> classes;
    return classes;
}

QAccessibleInterface *interfaceFor(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    for (const Provided &entry : provided()) {
        if (className == QLatin1String(entry.className))
            return entry.make(static_cast<QWidget *>(object));
    }
    return nullptr;
}

} // namespace

void provideAccessible(const char *className, QAccessibleInterface *(*make)(QWidget *))
{
    auto &classes = provided();
    if (classes.empty())
        QAccessible::installFactory(interfaceFor);
    for (const Provided &entry : classes) {
        if (qstrcmp(entry.className, className) == 0)
            return;
    }
    classes.push_back({className, make});
}

} // namespace bw
