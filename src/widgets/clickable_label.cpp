#include "widgets/clickable_label.h"

#include <QMouseEvent>

namespace bw {

ClickableLabel::ClickableLabel(QWidget *parent)
    : QLabel(parent)
{
}

bool isClickRelease(const QWidget &widget, const QMouseEvent &event)
{
    return event.button() == Qt::LeftButton && widget.rect().contains(event.position().toPoint());
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (isClickRelease(*this, *event)) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

} // namespace bw
