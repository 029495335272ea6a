#include "history/qsettings_store.h"

#include <QSettings>
#include <memory>

namespace bw {

namespace {

#ifdef Q_OS_WIN
constexpr const char *kRegistryOrganisation = "VB and VBA Program Settings";
#endif

std::unique_ptr<QSettings> openSettings(const QString &folder, const std::string &application)
{
    const QString app = QString::fromStdString(application);
    if (!folder.isEmpty())
        return std::make_unique<QSettings>(folder + QLatin1Char('/') + app + QStringLiteral(".conf"),
                                           QSettings::IniFormat);
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QString::fromLatin1(kRegistryOrganisation), app);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, app);
#endif
}

QString keyPath(const std::string &section, const std::string &key)
{
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

} // namespace

QSettingsStore::QSettingsStore(QString folder) : folder_(std::move(folder)) {}

std::string QSettingsStore::read(const std::string &application, const std::string &section,
                                 const std::string &key, const std::string &fallback)
{
    const auto settings = openSettings(folder_, application);
    if (settings->status() != QSettings::NoError)
        return fallback;
    const QVariant value = settings->value(keyPath(section, key));
    if (!value.isValid() || value.typeId() != QMetaType::QString)
        return fallback;
    return value.toString().toStdString();
}

bool QSettingsStore::write(const std::string &application, const std::string &section,
                           const std::string &key, const std::string &value)
{
    const auto settings = openSettings(folder_, application);
    // A file that could not be read is never overwritten: it may hold what the user has.
    if (settings->status() != QSettings::NoError || !settings->isWritable())
        return false;
    settings->setValue(keyPath(section, key), QString::fromStdString(value));
    // QSettings writes a new file beside the old one and renames it over it, so a crash
    // leaves either the old value or the new one.
    settings->sync();
    return settings->status() == QSettings::NoError;
}

QString QSettingsStore::location(const std::string &application) const
{
    return openSettings(folder_, application)->fileName();
}

} // namespace bw
