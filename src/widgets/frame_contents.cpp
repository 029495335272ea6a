#include "widgets/frame_contents.h"

#include "widgets/accessible_factory.h"

#include <QAccessibleWidget>
#include <QGroupBox>

namespace bw {

namespace {

// The contents area on the accessibility bus: a plain filler with no name and no label of its
// own, which screen readers pass over.
class FrameContentsAccessible : public QAccessibleWidget {
public:
    explicit FrameContentsAccessible(QWidget *widget)
        : QAccessibleWidget(widget, QAccessible::Client)
    {
    }

    QString text(QAccessible::Text type) const override
    {
        // No caption borrowed from the frame around it.
        return type == QAccessible::Name ? widget()->accessibleName() : QAccessibleWidget::text(type);
    }

    QList<QPair<QAccessibleInterface *, QAccessible::Relation>> relations(QAccessible::Relation match) const override
    {
        return QAccessibleWidget::relations(QAccessible::Relation(match & ~QAccessible::Label));
    }
};

} // namespace

FrameContents::FrameContents(QGroupBox *frame)
    : QWidget(frame)
{
    provideAccessible("bw::FrameContents",
                      [](QWidget *widget) -> QAccessibleInterface * { return new FrameContentsAccessible(widget); });
    setObjectName(frame->objectName() + QStringLiteral("Contents"));
    setGeometry(frame->rect());
}

} // namespace bw
