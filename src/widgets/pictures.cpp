#include "widgets/pictures.h"

#include <QIcon>

static void registerPictures()
{
    Q_INIT_RESOURCE(pictures);
}

namespace bw {

void initPictureResources()
{
    static const bool registered = (registerPictures(), true);
    Q_UNUSED(registered);
}

QPixmap picture(const QString &path, QSize size, qreal devicePixelRatio)
{
    initPictureResources();
    const QIcon icon(path); // finds the @2x drawing beside the 1x one
    QPixmap best = icon.pixmap(size, devicePixelRatio > 1.0 ? 2.0 : 1.0);
    if (!qFuzzyCompare(best.devicePixelRatio(), devicePixelRatio)) {
        best = best.scaled((QSizeF(size) * devicePixelRatio).toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        best.setDevicePixelRatio(devicePixelRatio);
    }
    return best;
}

} // namespace bw
