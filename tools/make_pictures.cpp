// Draws the program's pictures (the verdict tick and cross, the program icon, the banner's
// wordmark) and writes them
// as PNG files into the given folder, each at 1x and 2x. The files are committed under
// resources/pictures; run this again after changing a drawing:
//   build/default/make_pictures resources/pictures
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <functional>

#include "wordmark.h"

namespace {

const QColor kRed(0xD0, 0x10, 0x10);

using Drawing = std::function<void(QPainter &, QSizeF)>;

bool save(const QString &folder, const QString &name, QSize size, const Drawing &draw)
{
    for (int scale : {1, 2}) {
        QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        draw(painter, QSizeF(size));
        painter.end();
        const QString file = folder + QLatin1Char('/') + name + (scale == 2 ? QStringLiteral("@2x") : QString())
                             + QStringLiteral(".png");
        if (!image.save(file))
            return false;
    }
    return true;
}

// Strokes a path in red over a thin white halo, so that the mark stands out on light, dark
// and high-contrast backgrounds alike.
void strokeMark(QPainter &p, const QPainterPath &path, qreal width)
{
    p.setPen(QPen(QColor(255, 255, 255, 220), width + 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(kRed, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

void drawTick(QPainter &p, QSizeF s)
{
    QPainterPath path;
    path.moveTo(s.width() * 0.22, s.height() * 0.52);
    path.lineTo(s.width() * 0.42, s.height() * 0.84);
    path.lineTo(s.width() * 0.80, s.height() * 0.14);
    strokeMark(p, path, 3.2);
}

void drawCross(QPainter &p, QSizeF s)
{
    const qreal m = 4.5;
    QPainterPath path;
    path.moveTo(m, m);
    path.lineTo(s.width() - m, s.height() - m);
    path.moveTo(s.width() - m, m);
    path.lineTo(m, s.height() - m);
    strokeMark(p, path, 3.4);
}

void drawIcon(QPainter &p, QSizeF s)
{
    const qreal w = s.width();
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawRoundedRect(QRectF(w * 0.04, w * 0.04, w * 0.92, w * 0.92), w * 0.18, w * 0.18);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(w * 0.18, w * 0.18, w * 0.64, w * 0.64), w * 0.08, w * 0.08);
    QPen pen(kRed, w * 0.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QPainterPath tick;
    tick.moveTo(w * 0.30, w * 0.52);
    tick.lineTo(w * 0.45, w * 0.67);
    tick.lineTo(w * 0.71, w * 0.34);
    p.drawPath(tick);
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources/pictures");
    QDir().mkpath(folder);
    bool ok = save(folder, QStringLiteral("tick"), QSize(30, 18), drawTick)
              && save(folder, QStringLiteral("cross"), QSize(24, 24), drawCross);
    for (int scale : {1, 2}) {
        const QString file = folder + (scale == 2 ? QStringLiteral("/wordmark@2x.png") : QStringLiteral("/wordmark.png"));
        ok = ok && bw::wordmarkPixmap(scale).toImage().save(file);
    }
    for (int size : {16, 32, 48, 64, 128, 256})
        ok = ok && save(folder, QStringLiteral("icon-%1").arg(size), QSize(size, size), drawIcon);
    return ok ? 0 : 1;
}
