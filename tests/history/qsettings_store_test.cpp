#include "history/qsettings_store.h"
#include "history/redo_history.h"
#include "support/synthetic_bank.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#ifndef Q_OS_WIN
#include <unistd.h>
#endif

using namespace bw;

class QSettingsStoreTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        // The default store follows XDG_CONFIG_HOME, so the user's own settings stay untouched.
        qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit());
    }

    void historyRoundTripsThroughTheConfigFile()
    {
#ifdef Q_OS_WIN
        QSKIP("on Windows the history lives in the registry, which registry_store_test covers");
#endif
        const QuestionBank bank = test::syntheticBank();
        QSettingsStore store;
        QCOMPARE(store.location("Lumbra"), dir_.path() + QStringLiteral("/Lumbra.conf"));
        // The store checks what stands at that path before QSettings opens it: the same file.
        QCOMPARE(store.location("Lumbra"), QSettings(QSettings::NativeFormat, QSettings::UserScope, "Lumbra").fileName());
        {
            RedoHistory history(store, bank);
            history.loadRedo();
            QVERIFY(!history.hasRedo);
            history.redoFlags[1] = 1;
            history.redoFlags[3] = 1;
            history.redoFlags[165] = 9;
            QVERIFY(history.saveRedo());
        }
        QFile file(dir_.path() + QStringLiteral("/Lumbra.conf"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray expected = "[aaa]\nredo=101" + QByteArray(161, '0') + "9\n";
        QCOMPARE(file.readAll(), expected);

        QSettingsStore nextRun;
        RedoHistory again(nextRun, bank);
        again.loadRedo();
        QVERIFY(again.hasRedo);
        QCOMPARE(again.redoFlags[1], int16_t(1));
        QCOMPARE(again.redoFlags[2], int16_t(0));
        QCOMPARE(again.redoFlags[165], int16_t(9));
    }

    void aFolderStoreKeepsItsOwnFile()
    {
        QTemporaryDir other;
        QSettingsStore store(other.path());
        QVERIFY(store.write("Lumbra", "aaa", "redo", "0101"));
        QCOMPARE(store.read("Lumbra", "aaa", "redo", "x"), std::string("0101"));
        QVERIFY(QFile::exists(other.path() + QStringLiteral("/Lumbra.conf")));
        QSettingsStore defaultStore;
        QVERIFY(defaultStore.read("Lumbra", "aaa", "redo", "") != "0101");
        QCOMPARE(store.read("Lumbra", "aaa", "missing", "fallback"), std::string("fallback"));
    }

    void aFolderThatCannotBeWrittenFailsTheWrite()
    {
#ifdef Q_OS_WIN
        QSKIP("a read-only folder on Windows still takes new files");
#else
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
#endif
        QTemporaryDir locked;
        QVERIFY(QFile::setPermissions(locked.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        QSettingsStore store(locked.path());
        QVERIFY(!store.write("Lumbra", "aaa", "redo", "1"));
        QVERIFY(QFile::setPermissions(locked.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    }

    // A folder where the file should be cannot be written over, whoever runs the program.
    void aFolderInPlaceOfTheFileFailsTheWrite()
    {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkdir(QStringLiteral("Lumbra.conf")));
        QSettingsStore store(root.path());
        QCOMPARE(store.read("Lumbra", "aaa", "redo", "d"), std::string("d"));
        QVERIFY(!store.write("Lumbra", "aaa", "redo", "1"));
    }

    // Another copy's save of a history is as long as the last one, and can fall within the
    // same tick of the file's time of change: it is read all the same, by this store and by
    // another one in the same process, which QSettings would hand the same parse; and a write
    // of another value keeps it.
    void anotherCopysSaveInTheSameTickIsReadAndKept()
    {
        QTemporaryDir root;
        const QString file = root.filePath(QStringLiteral("Lumbra.conf"));
        QSettingsStore store(root.path());
        QVERIFY(store.write("Lumbra", "aaa", "redo", "0101"));
        QCOMPARE(store.read("Lumbra", "aaa", "redo", "x"), std::string("0101"));
        const QDateTime changed = QFileInfo(file).lastModified();
        QVERIFY(writeFile(file, "[aaa]\nredo=1010\n"));
        QFile touched(file);
        QVERIFY(touched.open(QIODevice::ReadWrite) && touched.setFileTime(changed, QFileDevice::FileModificationTime));
        touched.close();
        QCOMPARE(QFileInfo(file).lastModified(), changed);
        QCOMPARE(store.read("Lumbra", "aaa", "redo", "x"), std::string("1010"));
        QCOMPARE(QSettingsStore(root.path()).read("Lumbra", "aaa", "redo", "x"), std::string("1010"));
        QVERIFY(store.write("Lumbra", "aaa", "language", "fr"));
        QSettingsStore nextRun(root.path());
        QCOMPARE(nextRun.read("Lumbra", "aaa", "redo", "x"), std::string("1010"));
        QCOMPARE(nextRun.read("Lumbra", "aaa", "language", "x"), std::string("fr"));
    }

    // Each damaged file QSettings is about to write over keeps a copy of its own.
    void damagedFilesAreCopiedBeforeTheyAreWrittenOver()
    {
        QTemporaryDir root;
        const QString file = root.filePath(QStringLiteral("Lumbra.conf"));
        QSettingsStore store(root.path());
        const QByteArray damage[] = {"[aaa]\nredo=1\nno key here\n", "[aaa\nredo=2\n"};
        for (const QByteArray &bytes : damage) {
            QVERIFY(writeFile(file, bytes));
            QCOMPARE(store.read("Lumbra", "aaa", "redo", "none"), bytes.mid(bytes.indexOf('=') + 1, 1).toStdString());
            QVERIFY(store.write("Lumbra", "aaa", "redo", "3"));
            QVERIFY(store.write("Lumbra", "aaa", "redo", "4")); // a clean file is not copied
        }
        QCOMPARE(readFile(file), QByteArray("[aaa]\nredo=4\n"));
        QCOMPARE(readFile(file + QStringLiteral(".damaged")), damage[0]);
        QCOMPARE(readFile(file + QStringLiteral(".damaged-1")), damage[1]);
        QCOMPARE(QDir(root.path()).entryList(QDir::Files).size(), 3);
    }

    // A writer killed while taking the lock leaves a lock file that names no process.
    void aLockNamingNoProcessDoesNotHoldTheSave()
    {
        QTemporaryDir root;
        QSettingsStore store(root.path());
        QVERIFY(writeFile(root.filePath(QStringLiteral("Lumbra.conf.lock")), QByteArray()));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(store.write("Lumbra", "aaa", "redo", "1"));
        QVERIFY2(timer.elapsed() < 15000, "QSettings alone waits 30 s for such a lock");
        QCOMPARE(readFile(root.filePath(QStringLiteral("Lumbra.conf"))), QByteArray("[aaa]\nredo=1\n"));
    }

    // A lock that a live writer holds is never cleared: the save gives up instead.
    void aLockHeldByALiveWriterFailsTheSave()
    {
        QTemporaryDir root;
        QSettingsStore store(root.path());
        QVERIFY(store.write("Lumbra", "aaa", "redo", "1"));
        QLockFile held(root.filePath(QStringLiteral("Lumbra.conf.lock")));
        QVERIFY(held.tryLock());
        QVERIFY(!store.write("Lumbra", "aaa", "redo", "2"));
        QVERIFY(QFile::exists(held.fileName()));
        held.unlock();
        QCOMPARE(readFile(root.filePath(QStringLiteral("Lumbra.conf"))), QByteArray("[aaa]\nredo=1\n"));
        QVERIFY(store.write("Lumbra", "aaa", "redo", "2"));
    }

private:
    static bool writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    static QByteArray readFile(const QString &path)
    {
        // As text: QSettings ends its lines in CR LF on Windows.
        QFile file(path);
        return file.open(QIODevice::ReadOnly | QIODevice::Text) ? file.readAll() : QByteArray("<unreadable>");
    }

    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(QSettingsStoreTest)
#include "qsettings_store_test.moc"
