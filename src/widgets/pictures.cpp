#include "widgets/pictures.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <utility>

static void registerPictures()
{
    Q_INIT_RESOURCE(pictures);
}

namespace bw {

namespace {

// "icon-16.png" gives "icon-16@2x.png".
QString doubleDrawing(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? path + QStringLiteral("@2x") : path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

// The pictures are PNG files: read as such, without asking every image plug-in whether it
// knows the file better.
QImage readPng(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// Draws each size from its own file, read on first use and kept.
class SizedIconEngine : public QIconEngine {
public:
    struct Drawing {
        int pixels;  // its width and height
        int size;    // the icon size it is drawn for: pixels, or half of them for a 2x drawing
        QString path;
    };

    SizedIconEngine(QList<int> sizes, QList<Drawing> drawings)
        : sizes_(std::move(sizes)), drawings_(std::move(drawings))
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size() * ratio, mode, state, ratio));
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const Drawing *drawing = best(size);
        return drawing ? fitted(*drawing, size) : QSize();
    }

    // One drawing for both states.
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        return drawn(best(size), size, mode);
    }

    // Above 1x, the 2x drawing of the size asked for where there is one, as QIcon takes the
    // "@2x" file; otherwise the drawing that best fills the pixels.
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        const Drawing *drawing = nullptr;
        if (scale > 1.0) {
            const int logical = qRound(std::max(size.width(), size.height()) / scale);
            for (const Drawing &candidate : drawings_)
                if (candidate.size == logical && candidate.pixels == 2 * logical)
                    drawing = &candidate;
        }
        return drawn(drawing ? drawing : best(size), size, mode);
    }

    void virtual_hook(int id, void *data) override
    {
        if (id == ScaledPixmapHook) {
            auto *argument = static_cast<ScaledPixmapArgument *>(data);
            argument->pixmap = scaledPixmap(argument->size, argument->mode, argument->state, argument->scale);
            return;
        }
        QIconEngine::virtual_hook(id, data);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        QList<QSize> sizes;
        if (mode == QIcon::Normal && state == QIcon::Off)
            for (int size : sizes_)
                sizes.append(QSize(size, size));
        return sizes;
    }

    bool isNull() override { return drawings_.isEmpty(); }
    QString key() const override { return QStringLiteral("bw::SizedIconEngine"); }
    QIconEngine *clone() const override { return new SizedIconEngine(*this); }

private:
    // The drawing read (once) and fitted to the size asked for.
    QPixmap drawn(const Drawing *drawing, const QSize &size, QIcon::Mode mode)
    {
        if (!drawing)
            return {};
        QPixmap &read = read_[drawing->path];
        if (read.isNull())
            read = QPixmap::fromImage(readPng(drawing->path));
        QPixmap shown = read;
        const QSize actual = fitted(*drawing, size);
        if (!shown.isNull() && shown.size() != actual)
            shown = shown.scaled(actual, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (mode != QIcon::Normal && qobject_cast<QApplication *>(QCoreApplication::instance())) {
            QStyleOption option;
            option.palette = QApplication::palette();
            shown = QApplication::style()->generatedIconPixmap(mode, shown, &option);
        }
        return shown;
    }

    // A drawing is shown at its own size, or made smaller to fit; never larger.
    static QSize fitted(const Drawing &drawing, const QSize &size)
    {
        QSize actual(drawing.pixels, drawing.pixels);
        if (actual.width() > size.width() || actual.height() > size.height())
            actual.scale(size, Qt::KeepAspectRatio);
        return actual;
    }

    // The smallest drawing at least as large as asked, else the largest.
    const Drawing *best(const QSize &size) const
    {
        const int wanted = std::max(size.width(), size.height());
        for (const Drawing &drawing : drawings_)
            if (drawing.pixels >= wanted)
                return &drawing;
        return drawings_.isEmpty() ? nullptr : &drawings_.constLast();
    }

    QList<int> sizes_;
    QList<Drawing> drawings_; // by size in pixels; a 1x drawing comes before a 2x one as large
    QHash<QString, QPixmap> read_;
};

} // namespace

void initPictureResources()
{
    static const bool registered = (registerPictures(), true);
    Q_UNUSED(registered);
}

QPixmap picture(const QString &path, QSize size, qreal devicePixelRatio)
{
    initPictureResources();
    QPixmap best;
    if (devicePixelRatio > 1.0) {
        best = QPixmap::fromImage(readPng(doubleDrawing(path)));
        best.setDevicePixelRatio(2.0);
    }
    if (best.isNull()) {
        best = QPixmap::fromImage(readPng(path));
        best.setDevicePixelRatio(1.0);
    }
    if (!qFuzzyCompare(best.devicePixelRatio(), devicePixelRatio)) {
        best = best.scaled((QSizeF(size) * devicePixelRatio).toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        best.setDevicePixelRatio(devicePixelRatio);
    }
    return best;
}

QIcon sizedIcon(const QString &pattern, const QList<int> &sizes)
{
    initPictureResources();
    QList<SizedIconEngine::Drawing> drawings;
    QList<int> sorted = sizes;
    std::sort(sorted.begin(), sorted.end());
    for (int size : sorted) {
        drawings.append({size, size, pattern.arg(size)});
        const QString path = doubleDrawing(pattern.arg(size));
        if (QFile::exists(path))
            drawings.append({2 * size, size, path});
    }
    // By size in pixels; of two as large, the one drawn for that size first.
    std::sort(drawings.begin(), drawings.end(), [](const SizedIconEngine::Drawing &a, const SizedIconEngine::Drawing &b) {
        return a.pixels != b.pixels ? a.pixels < b.pixels : a.size > b.size;
    });
    return QIcon(new SizedIconEngine(sorted, drawings));
}

} // namespace bw
