#pragma once

#include "widgets/fonts.h"
#include "widgets/instant_mnemonic.h"

#include <QAbstractButton>
#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>
#include <type_traits>

namespace bw {

// Gives a control its name and its place (from twipsRect) in one step. A button also acts at
// once on its mnemonic.
template <typename Widget>
Widget *place(Widget *widget, const char *name, QRect rect)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(rect);
    if constexpr (std::is_base_of_v<QAbstractButton, Widget>)
        actOnMnemonicAtOnce(widget);
    return widget;
}

// A font of the layout: family and size in points as the windows are designed for.
inline QFont layoutFont(const char *family, qreal points, bool bold = false)
{
#ifdef Q_OS_WIN
    // Windows keeps "MS Sans Serif" as a bitmap font of a few fixed sizes, which neither scales
    // with the display nor keeps the layout's 8.25 and 9.75 points; its TrueType twin, on every
    // Windows, does both.
    if (qstrcmp(family, "MS Sans Serif") == 0)
        family = "Microsoft Sans Serif";
#endif
    QFont font(installedFamily(QString::fromLatin1(family)));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The font of every window's own controls: the main window's, and the frames and buttons of the
// modal windows, which do not take it from their owner by themselves.
inline QFont defaultWindowFont()
{
    return layoutFont("MS Sans Serif", 8.25);
}

} // namespace bw
