#pragma once

#include "history/settings_store.h"

#include <QString>

namespace bw {

// The settings store on QSettings. By default it uses the place where QSettings keeps the
// organisation's settings natively: on Unix desktops <config folder>/<application>.conf
// (honouring XDG_CONFIG_HOME); on Windows the per-user registry key
// Software\VB and VBA Program Settings\<application>, where older desktop programs keep them
// (the Windows program itself keeps the history through RegistryStore, which reports a save
// only once the registry has flushed it). Sections become groups. Given a folder, it keeps <folder>/<application>.conf instead.
//
// What it does with a file that is not as it wrote it:
// - a file it cannot read (or a folder, pipe or device in its place) reads as nothing stored
//   and is never written over: every write fails;
// - a file QSettings cannot wholly make out still gives the values it could read, and is
//   copied to <file>.damaged before the first write over it, since QSettings drops every line
//   it cannot read when it writes the file again;
// - a text QSettings reads as a list (it holds unquoted commas) reads as the text it was.
// A write is true only when the new file is in place.
//
// Writes and updates of one file, from every copy of the program, take turns: each holds
// the lock file <file>.update-lock (QLockFile) from its read to the new file's rename. A lock
// left by a writer that died is taken over. The new file is the file as read in that turn
// with the one value set: every other value (the history, the language) is kept as the file
// held it then, never as this copy last saw it.
class QSettingsStore : public SettingsStore {
public:
    QSettingsStore() = default;
    explicit QSettingsStore(QString folder);

    std::string read(const std::string &application, const std::string &section,
                     const std::string &key, const std::string &fallback) override;
    bool write(const std::string &application, const std::string &section, const std::string &key,
               const std::string &value) override;
    bool update(const std::string &application, const std::string &section, const std::string &key,
                const std::string &fallback, const std::function<std::string(const std::string &)> &change) override;
    std::string lastError() const override { return error_.toStdString(); }

    // Where the values of this application are kept (a file path, or a registry path).
    QString location(const std::string &application) const;

private:
    // Writes the value over these bytes of the file, read with the file's turn taken, keeping
    // every other value as they hold it.
    bool writeOver(const std::string &application, const QString &file, bool exists, const QByteArray &bytes,
                   const std::string &section, const std::string &key, const std::string &value);
    // Writes through QSettings on the store itself (the registry, or a file when there is no
    // scratch place), with the file's turn already taken.
    bool writeTaken(const std::string &application, const std::string &section, const std::string &key,
                    const std::string &value);
    bool fail(const QString &where, const QString &why);

    QString folder_;
    QString error_;
};

} // namespace bw
