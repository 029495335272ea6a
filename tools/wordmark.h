#pragma once

#include <QPixmap>
#include <QSize>

namespace bw {

// The "Brightwell" wordmark with its red leaf, 260 x 48 logical pixels.
inline constexpr QSize kWordmarkSize{260, 48};

// Draws the wordmark for a screen with the given device pixel ratio: 1 gives 260 x 48
// pixels, 2 gives 520 x 96 for high-DPI screens. The logical size is always kWordmarkSize.
QPixmap wordmarkPixmap(qreal devicePixelRatio);

} // namespace bw
