#include "wordmark.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>
#include <cmath>

namespace bw {

namespace {

const QColor kLeafRed(0xC8, 0x10, 0x2E);
const QColor kLeafRedLight(0xE0, 0x3A, 0x4E);
const QColor kInk(0x1E, 0x2A, 0x44);
const QColor kRule(0xC8, 0x10, 0x2E);

// Right half of a stylised maple leaf, from the top point down to the stem, in a frame where
// the leaf spans -1..1 both ways (y grows downwards). The left half is its mirror image.
constexpr std::array<QPointF, 14> kLeafHalf{{
    {0.00, -1.00},
    {0.16, -0.70},
    {0.33, -0.78},
    {0.27, -0.30},
    {0.55, -0.58},
    {0.62, -0.42},
    {0.92, -0.48},
    {0.81, -0.17},
    {0.94, -0.10},
    {0.50, 0.27},
    {0.58, 0.45},
    {0.06, 0.38},
    {0.07, 0.86},
    {0.00, 0.86},
}};

QPainterPath leafPath(const QPointF &centre, qreal radius)
{
    QPolygonF outline;
    for (const QPointF &point : kLeafHalf)
        outline << centre + point * radius;
    for (auto it = kLeafHalf.rbegin(); it != kLeafHalf.rend(); ++it)
        outline << centre + QPointF(-it->x(), it->y()) * radius;
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    return path;
}

} // namespace

QPixmap wordmarkPixmap(qreal devicePixelRatio)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap pixmap(QSize(static_cast<int>(std::lround(kWordmarkSize.width() * ratio)),
                         static_cast<int>(std::lround(kWordmarkSize.height() * ratio))));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::white);

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // The leaf, in a soft gradient, tilted a little as if it were falling.
    const QPointF leafCentre(24.0, 24.0);
    painter.save();
    painter.translate(leafCentre);
    painter.rotate(-8.0);
    QLinearGradient fill(QPointF(0.0, -20.0), QPointF(0.0, 20.0));
    fill.setColorAt(0.0, kLeafRedLight);
    fill.setColorAt(1.0, kLeafRed);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(leafPath(QPointF(0.0, 0.0), 19.0));
    painter.restore();

    // The name, with a short red rule under it.
    QFont name(QStringLiteral("Times New Roman"));
    name.setPixelSize(30);
    name.setBold(true);
    name.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    painter.setFont(name);
    painter.setPen(kInk);
    const QString text = QStringLiteral("Brightwell");
    const QRectF nameBox(52.0, 2.0, 204.0, 36.0);
    painter.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);

    const qreal ruleWidth = qMin(QFontMetricsF(name).horizontalAdvance(text), nameBox.width());
    painter.setPen(Qt::NoPen);
    painter.setBrush(kRule);
    painter.drawRoundedRect(QRectF(nameBox.left() + 1.0, 39.0, ruleWidth - 2.0, 3.0), 1.5, 1.5);
    painter.end();
    return pixmap;
}

} // namespace bw
