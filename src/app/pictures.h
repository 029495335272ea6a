#pragma once

#include <QPixmap>
#include <QString>

namespace bw {

// A picture from the resources at its logical size, sharp at the given device pixel ratio:
// the 2x drawing is used above 1x, resampled where the ratio falls between.
QPixmap picture(const QString &path, QSize size, qreal devicePixelRatio);

} // namespace bw
