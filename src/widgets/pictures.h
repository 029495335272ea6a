#pragma once

#include <QPixmap>
#include <QString>

namespace bw {

// Registers the compiled-in pictures; the core library is static, so nothing does it by
// itself. Safe to call any number of times.
void initPictureResources();

// A picture from the resources at its logical size, sharp at the given device pixel ratio:
// the 2x drawing is used above 1x, resampled where the ratio falls between.
QPixmap picture(const QString &path, QSize size, qreal devicePixelRatio);

} // namespace bw
