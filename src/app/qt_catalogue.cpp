#include "app/qt_catalogue.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>

namespace bw {

QStringList qtCatalogueFolders()
{
    QStringList folders;
#ifdef Q_OS_WIN
    folders << QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
#endif
    const QString qt = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!qt.isEmpty() && !folders.contains(qt))
        folders << qt;
    return folders;
}

QString qtCatalogue(const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(kQtCatalogueName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString::fromLatin1(kQtCatalogueResource);
}

} // namespace bw
