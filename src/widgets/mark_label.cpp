#include "widgets/mark_label.h"

#include <QAccessibleWidget>

namespace bw {

namespace {

QAccessibleInterface *markInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("bw::MarkLabel") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

MarkLabel::MarkLabel(QWidget *parent)
    : QLabel(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(markInterface);
        return true;
    }();
    (void)factoryInstalled;
}

} // namespace bw
