#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QString>

namespace bw {

// Registers the compiled-in pictures; the core library is static, so nothing does it by
// itself. Safe to call any number of times.
void initPictureResources();

// A picture from the resources at its logical size, sharp at the given device pixel ratio:
// the 2x drawing is used above 1x, resampled where the ratio falls between. Only the drawing
// used is read.
QPixmap picture(const QString &path, QSize size, qreal devicePixelRatio);

// An icon drawn at each of the given square sizes: pattern names the drawing of a size, %1
// standing for the size (":/pictures/icon-%1.png"), and its 2x drawing lies beside it
// ("icon-16@2x.png"). A drawing is read only when a size it serves is asked for.
QIcon sizedIcon(const QString &pattern, const QList<int> &sizes);

} // namespace bw
