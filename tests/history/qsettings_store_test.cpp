#include "history/qsettings_store.h"
#include "history/redo_history.h"
#include "support/synthetic_bank.h"

#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>
#include <QDir>
#include <QTest>
#include <unistd.h>

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
        const QuestionBank bank = test::syntheticBank();
        QSettingsStore store;
        QCOMPARE(store.location("Lumbra"), dir_.path() + QStringLiteral("/Lumbra.conf"));
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
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
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

private:
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(QSettingsStoreTest)
#include "qsettings_store_test.moc"
