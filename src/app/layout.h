#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

namespace bw {

// Gives a control its name and its place (from twipsRect) in one step.
template <typename Widget>
Widget *place(Widget *widget, const char *name, QRect rect)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(rect);
    return widget;
}

// A font of the layout: family and size in points as the windows are designed for.
inline QFont layoutFont(const char *family, qreal points, bool bold = false)
{
    QFont font(QString::fromLatin1(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace bw
