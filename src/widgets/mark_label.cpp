#include "widgets/mark_label.h"

#include "widgets/accessible_factory.h"

#include <QAccessibleWidget>

namespace bw {

MarkLabel::MarkLabel(QWidget *parent)
    : QLabel(parent)
{
    provideAccessible("bw::MarkLabel",
                      [](QWidget *widget) -> QAccessibleInterface * { return new QAccessibleWidget(widget, QAccessible::Graphic); });
}

} // namespace bw
