#pragma once

#include <QRect>
#include <QtMath>

namespace bw {

// Layout values are given in twips; at 100% scaling 15 twips make one logical pixel, and
// Qt's high-DPI scaling takes it from there. Every conversion goes through here.
inline constexpr double kTwipsPerPixel = 15.0;

inline int twips(double value)
{
    return qRound(value / kTwipsPerPixel);
}

inline QRect twipsRect(double left, double top, double width, double height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

inline QSize twipsSize(double width, double height)
{
    return QSize(twips(width), twips(height));
}

} // namespace bw
