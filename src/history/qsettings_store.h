#pragma once

#include "history/settings_store.h"

#include <QString>

namespace bw {

// The settings store on QSettings. By default it uses the place where QSettings keeps the
// organisation's settings natively: on Unix desktops <config folder>/<application>.conf
// (honouring XDG_CONFIG_HOME); on Windows the per-user registry key
// Software\VB and VBA Program Settings\<application>, where older desktop programs keep them.
// Sections become groups. Given a folder, it keeps <folder>/<application>.conf instead.
class QSettingsStore : public SettingsStore {
public:
    QSettingsStore() = default;
    explicit QSettingsStore(QString folder);

    std::string read(const std::string &application, const std::string &section,
                     const std::string &key, const std::string &fallback) override;
    bool write(const std::string &application, const std::string &section, const std::string &key,
               const std::string &value) override;

    // Where the values of this application are kept (a file path, or a registry path).
    QString location(const std::string &application) const;

private:
    QString folder_;
};

} // namespace bw
