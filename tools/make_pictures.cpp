// Draws the program's pictures (the verdict tick and cross, the program icon, the banner's
// wordmark) and writes them
// as PNG files into the given folder, each at 1x and 2x, and the icon once more as the
// Windows icon file. The files are committed under resources/pictures and resources/windows;
// run this again after changing a drawing:
//   build/default/make_pictures resources/pictures resources/windows
// The pictures the program reads as it starts (the wordmark and the small icon sizes, at 1x)
// are written plain: rows unfiltered and not compressed, so that reading one is little more
// than copying it. The resources keep them uncompressed too (resources/pictures.qrc), and the
// packages compress them anyway.
#include <QBuffer>
#include <QDir>
#include <QFile>
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

void putBE(QByteArray &out, quint32 value)
{
    for (int shift : {24, 16, 8, 0})
        out.append(static_cast<char>((value >> shift) & 0xFF));
}

quint32 crc32(const QByteArray &data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : data) {
        crc ^= static_cast<quint8>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putChunk(QByteArray &out, const char *type, const QByteArray &body)
{
    putBE(out, static_cast<quint32>(body.size()));
    const QByteArray typed = QByteArray(type) + body;
    out.append(typed);
    putBE(out, crc32(typed));
}

// A PNG file of 8-bit RGB, or RGBA where the picture has transparency, every row unfiltered and
// the whole stored rather than compressed; the same pixels as QImage::save writes.
bool savePlain(const QImage &picture, const QString &file)
{
    const bool alpha = picture.hasAlphaChannel();
    const QImage image = picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    QByteArray rows;
    const qsizetype rowBytes = static_cast<qsizetype>(image.width()) * (alpha ? 4 : 3);
    for (int y = 0; y < image.height(); ++y) {
        rows.append('\0'); // filter type None
        rows.append(reinterpret_cast<const char *>(image.constScanLine(y)), rowBytes);
    }
    QByteArray header;
    putBE(header, static_cast<quint32>(image.width()));
    putBE(header, static_cast<quint32>(image.height()));
    header.append(char(8));               // bits per channel
    header.append(char(alpha ? 6 : 2));   // RGBA or RGB
    header.append(QByteArray(3, '\0'));  // deflate, adaptive filtering, no interlace
    QByteArray density;
    putBE(density, static_cast<quint32>(image.dotsPerMeterX()));
    putBE(density, static_cast<quint32>(image.dotsPerMeterY()));
    density.append(char(1)); // per metre
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    putChunk(png, "IHDR", header);
    putChunk(png, "pHYs", density);
    putChunk(png, "IDAT", qCompress(rows, 0).mid(4)); // qCompress puts the length first
    putChunk(png, "IEND", QByteArray());
    QFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(png) == png.size();
}

bool save(const QString &folder, const QString &name, QSize size, const Drawing &draw, bool plainAt1x = false)
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
        if (!(scale == 1 && plainAt1x ? savePlain(image, file) : image.save(file)))
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

QImage drawn(QSize size, const Drawing &draw)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, QSizeF(size));
    return image;
}

void putLE(QByteArray &out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A Windows icon file holding the icon at every size Explorer and the taskbar ask for: the
// small ones as 32-bit bitmaps, which every reader of icon files takes, the largest as PNG.
bool saveIco(const QString &file, const Drawing &draw)
{
    const QList<int> sizes{16, 24, 32, 48, 64, 256};
    QList<QByteArray> images;
    for (int size : sizes) {
        const QImage image = drawn(QSize(size, size), draw);
        QByteArray data;
        if (size >= 256) {
            QBuffer buffer(&data);
            buffer.open(QIODevice::WriteOnly);
            if (!image.save(&buffer, "PNG"))
                return false;
        } else {
            // BITMAPINFOHEADER, twice the height for the colour and the mask, bottom row first.
            const int maskStride = ((size + 31) / 32) * 4;
            putLE(data, 40, 4);
            putLE(data, static_cast<quint32>(size), 4);
            putLE(data, static_cast<quint32>(size * 2), 4);
            putLE(data, 1, 2);
            putLE(data, 32, 2);
            putLE(data, 0, 4);
            putLE(data, static_cast<quint32>(size * size * 4 + maskStride * size), 4);
            putLE(data, 0, 4);
            putLE(data, 0, 4);
            putLE(data, 0, 4);
            putLE(data, 0, 4);
            for (int y = size - 1; y >= 0; --y) {
                for (int x = 0; x < size; ++x)
                    putLE(data, image.pixel(x, y), 4); // 0xAARRGGBB: B, G, R, A in the file
            }
            // The mask stays clear: the alpha channel says what is transparent.
            data.append(QByteArray(maskStride * size, '\0'));
        }
        images.append(data);
    }
    QByteArray out;
    putLE(out, 0, 2);
    putLE(out, 1, 2);
    putLE(out, static_cast<quint32>(sizes.size()), 2);
    quint32 offset = static_cast<quint32>(6 + 16 * sizes.size());
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const int size = sizes[i];
        putLE(out, size >= 256 ? 0 : static_cast<quint32>(size), 1);
        putLE(out, size >= 256 ? 0 : static_cast<quint32>(size), 1);
        putLE(out, 0, 1);
        putLE(out, 0, 1);
        putLE(out, 1, 2);
        putLE(out, 32, 2);
        putLE(out, static_cast<quint32>(images[i].size()), 4);
        putLE(out, offset, 4);
        offset += static_cast<quint32>(images[i].size());
    }
    for (const QByteArray &image : images)
        out.append(image);
    QFile ico(file);
    return ico.open(QIODevice::WriteOnly) && ico.write(out) == out.size();
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources/pictures");
    QDir().mkpath(folder);
    bool ok = save(folder, QStringLiteral("tick"), QSize(30, 18), drawTick)
              && save(folder, QStringLiteral("cross"), QSize(24, 24), drawCross);
    ok = ok && savePlain(bw::wordmarkPixmap(1).toImage(), folder + QStringLiteral("/wordmark.png"))
         && bw::wordmarkPixmap(2).toImage().save(folder + QStringLiteral("/wordmark@2x.png"));
    // The window's icon sizes are read as the window opens; the larger ones are for the desktop.
    for (int size : {16, 32, 48, 64, 128, 256})
        ok = ok && save(folder, QStringLiteral("icon-%1").arg(size), QSize(size, size), drawIcon, size <= 64);
    if (argc > 2) {
        const QString windowsFolder = QString::fromLocal8Bit(argv[2]);
        QDir().mkpath(windowsFolder);
        ok = ok && saveIco(windowsFolder + QStringLiteral("/brightwell.ico"), drawIcon);
    }
    return ok ? 0 : 1;
}
