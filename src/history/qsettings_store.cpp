#include "history/qsettings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <memory>

namespace bw {

namespace {

#ifdef Q_OS_WIN
constexpr const char *kRegistryOrganisation = "VB and VBA Program Settings";
#endif

// How long a save waits for another writer's lock on the file. A writer holds it for
// milliseconds; QSettings itself would wait without a limit.
constexpr int kLockWaitMs = 2000;
// A lock file older than this that no live process holds is taken for one left by a writer
// that died while taking it (it names no process then). QSettings would wait 30 s for it.
constexpr int kStaleLockMs = 1000;
// How long a save waits for another copy's turn at the file (a turn lasts milliseconds), and
// after how long a lock file that names no live process is taken for one left by a writer
// that died while making it. A lock that names a process that has ended is taken over at once.
constexpr int kTurnWaitMs = 5000;
constexpr int kStaleTurnMs = 4000;
// A file QSettings could not make out is copied to <file>.damaged (then .damaged-1, ...)
// before it is written over; past this many copies the file is left alone.
constexpr int kDamagedCopies = 20;

// The file that keeps the application's values; empty when they live in the registry.
QString settingsFile(const QString &folder, const std::string &application)
{
    const QString name = QString::fromStdString(application) + QStringLiteral(".conf");
    if (!folder.isEmpty())
        return folder + QLatin1Char('/') + name;
#ifdef Q_OS_WIN
    return {};
#else
    // Where QSettings keeps user settings natively (XDG_CONFIG_HOME, or ~/.config).
    QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QLatin1Char('/') + name;
#endif
}

// QSettings opens whatever stands at the file's path: a named pipe there would hold the
// program for ever, waiting for a writer. Only a regular file (or none yet) is used.
bool usable(const QString &file)
{
    if (file.isEmpty())
        return true;
    const QFileInfo info(file);
    return !info.exists() || info.isFile();
}

std::unique_ptr<QSettings> openSettings(const QString &folder, const std::string &application)
{
    const QString app = QString::fromStdString(application);
    if (!folder.isEmpty())
        return std::make_unique<QSettings>(settingsFile(folder, application), QSettings::IniFormat);
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

QByteArray contents(const QString &file, bool *ok)
{
    QFile in(file);
    *ok = in.open(QIODevice::ReadOnly);
    return *ok ? in.readAll() : QByteArray();
}

// Whether QSettings cannot make out all of these bytes. Its objects on one file share what
// was parsed but not the damage that was found, so a file read earlier in this run can
// look sound to a new object: the bytes are parsed from a copy no other object has seen.
// Without a place for the copy, what the caller's object found stands.
bool damaged(const QByteArray &bytes, bool foundDamaged)
{
    QTemporaryFile copy;
    if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush())
        return foundDamaged;
    QSettings parsed(copy.fileName(), QSettings::IniFormat);
    parsed.allKeys();
    return parsed.status() != QSettings::NoError;
}

// Keeps the bytes of a file QSettings cannot make out under a name of their own before the
// file is written over, since QSettings drops every line it cannot read when it writes.
bool keepIfDamaged(const QString &file, const QByteArray &original, bool foundDamaged)
{
    if (!damaged(original, foundDamaged))
        return true;
    for (int n = 0; n < kDamagedCopies; ++n) {
        const QString copy = file + (n == 0 ? QStringLiteral(".damaged") : QStringLiteral(".damaged-%1").arg(n));
        if (QFileInfo::exists(copy)) {
            bool readable = false;
            if (contents(copy, &readable) == original && readable)
                return true; // kept already
            continue;
        }
        QSaveFile out(copy);
        return out.open(QIODevice::WriteOnly) && out.write(original) == original.size() && out.commit();
    }
    return false;
}

// QSettings waits for its lock file without a limit: a lock file that names no process
// (left by a writer killed while taking it) holds the window for 30 s, a folder in its
// place for ever. Wait a bounded time for it here, clearing a lock left by a writer that
// died on the way; QLockFile never clears one that a live process still holds.
bool takeSettingsLock(QLockFile &lock)
{
    lock.setStaleLockTime(kStaleLockMs);
    return lock.tryLock(kLockWaitMs);
}

bool lockComesFree(const QString &file)
{
    if (file.isEmpty())
        return true;
    QLockFile lock(file + QStringLiteral(".lock"));
    if (!takeSettingsLock(lock))
        return false;
    lock.unlock();
    return true;
}

// The value in a parsed file. A file that could not be read gives nothing. A damaged one
// still gives the values QSettings could make out: dropping them would lose them at the next save.
std::string valueIn(const QSettings &settings, const std::string &section, const std::string &key,
                    const std::string &fallback)
{
    if (settings.status() == QSettings::AccessError)
        return fallback;
    const QVariant value = settings.value(keyPath(section, key));
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString().toStdString();
    case QMetaType::QStringList:
        // An unquoted comma makes QSettings read the text as a list; what was stored is the text.
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    default:
        return fallback;
    }
}

// The value in these bytes of the settings file, parsed afresh. QSettings keeps what it
// parsed of a file, for every object on it in this process, while the file's size and time
// of change look the same: a history is always as long as the last one, and another copy's
// save within the same tick of the file system's clock would go unseen, by a new object and
// by sync() alike. So the bytes are parsed from a copy no object has seen. Without a place
// for the copy, what QSettings holds stands.
std::string freshValue(const QByteArray &bytes, const QSettings &cached, const std::string &section,
                       const std::string &key, const std::string &fallback)
{
    QTemporaryFile copy;
    if (copy.open() && copy.write(bytes) == bytes.size() && copy.flush())
        return valueIn(QSettings(copy.fileName(), QSettings::IniFormat), section, key, fallback);
    return valueIn(cached, section, key, fallback);
}

// The settings file as it is to be written: these bytes, read under the file's turn, with the
// one value set, every other line as QSettings writes it. QSettings is given them in a file of
// its own that no object of this process has parsed: on the settings file itself it would take
// every other value from what it parsed earlier while the file's size and time of change look
// the same, and another copy's save or language within the same tick of the file system's
// clock would be written back as it was. Empty when there is no place for that file.
QByteArray withValue(const QByteArray &bytes, const std::string &section, const std::string &key,
                     const std::string &value)
{
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return {};
    const QString path = scratch.filePath(QStringLiteral("settings.conf"));
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            return {};
    }
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue(keyPath(section, key), QString::fromStdString(value));
        settings.sync();
        if (settings.status() == QSettings::AccessError)
            return {};
    }
    bool ok = false;
    const QByteArray written = contents(path, &ok);
    return ok ? written : QByteArray();
}

// The system's reason why nothing can be written at path: it tries to make a file where the
// first missing folder on the way would go, or beside the file, and writes nothing.
QString whyNotWritable(const QString &path)
{
    if (path.isEmpty())
        return {};
    QFileInfo target(path);
    while (!QFileInfo::exists(target.absolutePath()) && !target.absoluteDir().isRoot())
        target = QFileInfo(target.absolutePath());
    QSaveFile probe(target.absoluteFilePath());
    if (!probe.open(QIODevice::WriteOnly))
        return probe.errorString();
    probe.cancelWriting();
    return {};
}

} // namespace

QSettingsStore::QSettingsStore(QString folder) : folder_(std::move(folder)) {}

std::string QSettingsStore::read(const std::string &application, const std::string &section,
                                 const std::string &key, const std::string &fallback)
{
    const QString file = settingsFile(folder_, application);
    if (!usable(file))
        return fallback;
    // In the registry (QSettings on Windows) every value is read from the registry itself.
    if (file.isEmpty())
        return valueIn(*openSettings(folder_, application), section, key, fallback);
    // What another copy of the program saved a moment ago, not what QSettings last parsed.
    bool readable = false;
    const QByteArray bytes = contents(file, &readable);
    return readable ? freshValue(bytes, *openSettings(folder_, application), section, key, fallback) : fallback;
}

bool QSettingsStore::write(const std::string &application, const std::string &section,
                           const std::string &key, const std::string &value)
{
    return update(application, section, key, value, [&value](const std::string &) { return value; });
}

bool QSettingsStore::update(const std::string &application, const std::string &section, const std::string &key,
                            const std::string &fallback,
                            const std::function<std::string(const std::string &)> &change)
{
    error_.clear();
    const QString file = settingsFile(folder_, application);
    // In the registry (QSettings on Windows) each value is kept on its own and replaced in one
    // step; there is no file to lock beside.
    if (file.isEmpty())
        return writeTaken(application, section, key, change(read(application, section, key, fallback)));
    const QFileInfo info(file);
    if (!usable(file))
        return fail(file, info.isDir() ? QStringLiteral("Is a folder, not a file") : QStringLiteral("Not a regular file"));
    if (!QDir().mkpath(info.absolutePath()))
        return fail(info.absolutePath(), whyNotWritable(file));
    const QString turnFile = file + QStringLiteral(".update-lock");
    QLockFile turn(turnFile);
    turn.setStaleLockTime(kStaleTurnMs);
    if (!turn.tryLock(kTurnWaitMs)) {
        if (turn.error() == QLockFile::LockFailedError)
            return fail(turnFile, QStringLiteral("Another program kept it locked"));
        const QString why = whyNotWritable(turnFile);
        return fail(turnFile, why.isEmpty() ? QStringLiteral("Could not be locked") : why);
    }
    // The file as it is now: the value is changed from it, and every other value kept as it.
    const bool exists = info.exists();
    QByteArray bytes;
    std::string current = fallback;
    if (exists) {
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly))
            return fail(file, in.errorString());
        bytes = in.readAll();
        current = freshValue(bytes, *openSettings(folder_, application), section, key, fallback);
    }
    return writeOver(application, file, exists, bytes, section, key, change(current));
}

bool QSettingsStore::writeOver(const std::string &application, const QString &file, bool exists,
                               const QByteArray &bytes, const std::string &section, const std::string &key,
                               const std::string &value)
{
    const QByteArray next = withValue(bytes, section, key, value);
    // Without a place to make the new file in, QSettings writes it over the file itself.
    if (next.isEmpty())
        return writeTaken(application, section, key, value);
    // A file that cannot be written to is left as it is, though its folder would take a new one.
    if (exists && !QFileInfo(file).isWritable())
        return fail(file, whyNotWritable(file));
    // Held as QSettings holds it, for any QSettings that writes the file meanwhile.
    QLockFile lock(file + QStringLiteral(".lock"));
    if (!takeSettingsLock(lock))
        return fail(file + QStringLiteral(".lock"), QStringLiteral("Could not be locked"));
    if (exists && !keepIfDamaged(file, bytes, false))
        return fail(file + QStringLiteral(".damaged"), whyNotWritable(file + QStringLiteral(".damaged")));
    // Written beside the file, flushed to disk and renamed over it: a crash leaves either the
    // old file or the new one.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(next) != next.size() || !out.commit()) {
        const QString why = out.errorString();
        return fail(file, why.isEmpty() ? whyNotWritable(file) : why);
    }
    // As QSettings leaves a file it creates: its owner may read and write it.
    if (!exists)
        QFile::setPermissions(file, QFile::permissions(file) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

bool QSettingsStore::fail(const QString &where, const QString &why)
{
    error_ = QDir::toNativeSeparators(where) + QStringLiteral(": ") + (why.isEmpty() ? QStringLiteral("Could not be written") : why);
    return false;
}

bool QSettingsStore::writeTaken(const std::string &application, const std::string &section,
                                const std::string &key, const std::string &value)
{
    const QString file = settingsFile(folder_, application);
    const QString shown = file.isEmpty() ? location(application) : file;
    const auto existing = openSettings(folder_, application);
    // Parse every section now, so that the writer below, which shares this parse, meets no
    // damage of its own to report.
    existing->allKeys();
    // A file that could not be read is never overwritten: it may hold what the user has.
    if (existing->status() == QSettings::AccessError) {
        QFile in(file);
        return fail(shown, in.open(QIODevice::ReadOnly) ? QString() : in.errorString());
    }
    if (!existing->isWritable())
        return fail(shown, whyNotWritable(file));
    if (!lockComesFree(file))
        return fail(file + QStringLiteral(".lock"), QStringLiteral("Could not be locked"));
    const bool foundDamaged = existing->status() == QSettings::FormatError;
    bool readable = false;
    const QByteArray original = file.isEmpty() || !QFileInfo::exists(file) ? QByteArray() : contents(file, &readable);
    if (readable && !keepIfDamaged(file, original, foundDamaged))
        return fail(file + QStringLiteral(".damaged"), whyNotWritable(file + QStringLiteral(".damaged")));
    // QSettings keeps reporting damage it has found even after it wrote a clean file over it,
    // and a later write error does not replace that report. A second object on the same file
    // shares what the first one parsed and starts with a clean status, so its status after
    // the sync says whether this write was kept.
    const auto settings = openSettings(folder_, application);
    if (settings->status() != QSettings::NoError)
        return fail(shown, whyNotWritable(file));
    settings->setValue(keyPath(section, key), QString::fromStdString(value));
    // QSettings writes a new file beside the old one and renames it over it, so a crash
    // leaves either the old value or the new one.
    settings->sync();
    return settings->status() == QSettings::NoError || fail(shown, whyNotWritable(file));
}

QString QSettingsStore::location(const std::string &application) const
{
    const QString file = settingsFile(folder_, application);
    return file.isEmpty() ? openSettings(folder_, application)->fileName() : file;
}

} // namespace bw
