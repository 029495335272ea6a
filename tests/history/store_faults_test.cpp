// The real main window over a settings file that is damaged, missing or cannot be used:
// it starts, a test can be sat and finished, a failed save is told once and the history
// stays in memory, and the file on disk is either left as it was or well formed.

#include "app/main_window.h"
#include "engine/random_source.h"
#include "history/qsettings_store.h"
#include "support/main_window_driver.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace bw;
using bw::test::MainWindowDriver;

namespace {

enum Fault { FolderInPlace, PipeInPlace, FolderUnderAFile, LockIsAFolder, ReadOnlyFolder, UnreadableFile };

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The bytes of a literal, NULs included.
template <size_t N>
QByteArray bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QByteArray digits(std::initializer_list<std::pair<int, char>> flags)
{
    QByteArray text(165, '0');
    for (const auto &[question, digit] : flags)
        text[question - 1] = digit;
    return text;
}

// A history that flags a question in every ten, with every digit in use.
QByteArray goodHistory()
{
    QByteArray text(165, '0');
    for (int q = 3; q <= 165; q += 10)
        text[q - 1] = static_cast<char>('1' + (q / 10) % 9);
    return text;
}

// The value of redo in group aaa as the file holds it, read line by line as QSettings writes it.
QByteArray storedRedo(const QString &path)
{
    QByteArray group;
    QByteArray found = "<no redo in [aaa]>";
    for (QByteArray line : readFile(path).split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.startsWith('['))
            group = line;
        else if (group == "[aaa]" && line.startsWith("redo="))
            found = line.mid(5);
    }
    return found;
}

int flaggedCount(const QByteArray &text)
{
    return static_cast<int>(text.size() - text.count('0'));
}

// Every entry under a folder with what it holds; pipes are never opened.
std::map<QString, QByteArray> snapshot(const QString &folder)
{
    std::map<QString, QByteArray> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString name = QDir(folder).relativeFilePath(info.filePath());
        if (info.isDir())
            entries[name] = "<folder>";
        else if (!info.isFile())
            entries[name] = "<special>";
        else
            entries[name] = info.isReadable() ? readFile(info.filePath()) : "<unreadable> " + QByteArray::number(info.size());
    }
    return entries;
}

// Sits a test of five questions, answers every one wrongly and finishes it; gives the
// questions that were asked.
QList<int> sitWrongly(MainWindowDriver &d)
{
    d.click("Command2");
    QList<int> asked;
    for (int p = 1; p <= d.quiz().testSize; ++p) {
        asked << d.current().question;
        d.answerCurrent(false);
        d.click("Command4");
    }
    d.click("Command6");
    return asked;
}

QByteArray withWrong(QByteArray text, const QList<int> &wrong)
{
    for (const int q : wrong)
        text[q - 1] = '1';
    return text;
}

QByteArray memory(const MainWindowDriver &d)
{
    return QByteArray::fromStdString(d.window->history().storedText());
}

QByteArray randomBinary()
{
    QByteArray bytes(4096, '\0');
    QRandomGenerator generator(20240611);
    for (char &byte : bytes)
        byte = static_cast<char>(generator.bounded(256));
    // No line of it can pass for a key, and its first line is not a group: QSettings calls it damaged.
    bytes.replace('=', 'x');
    bytes[0] = 'x';
    return bytes;
}

} // namespace

class StoreFaultsTest : public QObject {
    Q_OBJECT
private slots:
    void damagedFilesAreReadAndSaved_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("loaded");   // the history the window starts with
        QTest::addColumn<bool>("keptAside");      // a .damaged copy must hold the old bytes
        QTest::addColumn<QString>("otherKey");    // a value that must survive the save
        QTest::addColumn<QString>("otherValue");
        const QByteArray none(165, '0');
        const QByteArray good = goodHistory();

        QTest::newRow("empty file") << QByteArray() << none << false << QString() << QString();
        QTest::newRow("group without the key") << QByteArray("[aaa]\n") << none << false << QString() << QString();
        QTest::newRow("random binary") << randomBinary() << none << true << QString() << QString();
        QTest::newRow("binary around a good history")
            << QByteArray("\x01\x02junk\x7f\n[aaa]\nredo=" + good + "\n\xff\xfe" "more junk\n") << good << true
            << QString() << QString();
        QByteArray huge;
        while (huge.size() < 10000)
            huge += "0012";
        QTest::newRow("10,000-character value") << "[aaa]\nredo=" + huge + "\n" << huge.left(165) << false << QString()
                                                << QString();
        QTest::newRow("NUL bytes in the value")
            << bytes("[aaa]\nredo=1\0" "2\0\0" "3\n") << QByteArray("102003") + QByteArray(159, '0') << false
            << QString() << QString();
        QTest::newRow("NUL bytes before the group")
            << bytes("\0\0\n[aaa]\nredo=01\n") << digits({{2, '1'}}) << true << QString() << QString();
        QTest::newRow("invalid UTF-8 after a digit")
            << QByteArray("[aaa]\nredo=7\xff\xfe\xc3\n") << digits({{1, '7'}}) << false << QString() << QString();
        QTest::newRow("commas read as a list")
            << QByteArray("[aaa]\nredo=1,1,,1\n") << digits({{1, '1'}, {3, '1'}, {6, '1'}}) << false << QString()
            << QString();
        QTest::newRow("quoted commas") << QByteArray("[aaa]\nredo=\"1,1\"\n") << digits({{1, '1'}, {3, '1'}}) << false
                                       << QString() << QString();
        QTest::newRow("redo outside group aaa")
            << QByteArray("redo=111\n[other]\nredo=111\n") << none << false << QStringLiteral("other/redo")
            << QStringLiteral("111");
        QTest::newRow("unclosed group header") << QByteArray("[aaa\nredo=0011\n") << digits({{3, '1'}, {4, '1'}}) << true
                                               << QString() << QString();
        QTest::newRow("Windows line ends") << QByteArray("[aaa]\r\nredo=0011\r\n[keep]\r\nx=y\r\n")
                                           << digits({{3, '1'}, {4, '1'}}) << false << QStringLiteral("keep/x")
                                           << QStringLiteral("y");
    }
    void damagedFilesAreReadAndSaved()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, loaded);
        QFETCH(bool, keptAside);
        QFETCH(QString, otherKey);
        QFETCH(QString, otherValue);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath(QStringLiteral("Lumbra.conf"));
        QVERIFY(writeFile(file, content));

        QSettingsStore store(dir.path());
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        QCOMPARE(memory(d), loaded);
        QCOMPARE(d.enabled("Command7"), flaggedCount(loaded) > 0);

        const QByteArray expected = withWrong(loaded, sitWrongly(d));
        QCOMPARE(d.button("Command6")->text(), QStringLiteral("Scores"));
        QCOMPARE(d.dialogs.told, QStringList());
        QCOMPARE(memory(d), expected);
        QCOMPARE(storedRedo(file), expected);
        const QString aside = file + QStringLiteral(".damaged");
        QCOMPARE(QFile::exists(aside), keptAside);
        if (keptAside)
            QCOMPARE(readFile(aside), content);
        if (!otherKey.isEmpty())
            QCOMPARE(QSettings(file, QSettings::IniFormat).value(otherKey).toString(), otherValue);

        d.click("Command7");
        QCOMPARE(d.quiz().testSize, int16_t(flaggedCount(expected)));
        MainWindowDriver nextRun(store, random);
        QCOMPARE(memory(nextRun), expected);
    }

    void faultyStoresFailTheSaveOnce_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QByteArray>("loaded");
        // What the message names, under the folder, and the reason it gives.
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("why");
        const QByteArray none(165, '0');
        const QString file = QStringLiteral("Lumbra.conf");
        QTest::newRow("folder in place of the file") << int(FolderInPlace) << none << file << "Is a folder, not a file";
        QTest::newRow("pipe in place of the file") << int(PipeInPlace) << none << file << "Not a regular file";
        QTest::newRow("store folder under a regular file")
            << int(FolderUnderAFile) << none << QStringLiteral("blocker/store") << "Not a directory";
        QTest::newRow("folder in place of the lock")
            << int(LockIsAFolder) << goodHistory() << QStringLiteral("Lumbra.conf.lock") << "Could not be locked";
        QTest::newRow("read-only folder")
            << int(ReadOnlyFolder) << goodHistory() << QStringLiteral("Lumbra.conf.update-lock") << "Permission denied";
        QTest::newRow("unreadable file") << int(UnreadableFile) << none << file << "Permission denied";
    }
    void faultyStoresFailTheSaveOnce()
    {
        QFETCH(int, fault);
        QFETCH(QByteArray, loaded);
        QFETCH(QString, where);
        QFETCH(QString, why);
#ifdef Q_OS_WIN
        if (fault == PipeInPlace || fault == ReadOnlyFolder || fault == UnreadableFile)
            QSKIP("Windows has no named pipe in a folder and no permission bits a program sets; the folder and lock "
                  "rows cover the same failure");
#else
        if ((fault == ReadOnlyFolder || fault == UnreadableFile) && geteuid() == 0)
            QSKIP("root reads and writes past permission bits; the folder and lock rows cover the same failure");
#endif
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString folder = dir.path();
        const QString file = dir.filePath(QStringLiteral("Lumbra.conf"));
        const QByteArray good = "[aaa]\nredo=" + goodHistory() + "\n";
        switch (fault) {
        case FolderInPlace:
            QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Lumbra.conf/inside")));
            QVERIFY(writeFile(dir.filePath(QStringLiteral("Lumbra.conf/inside/keep")), good));
            break;
        case PipeInPlace:
#ifndef Q_OS_WIN
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
#endif
            break;
        case FolderUnderAFile:
            QVERIFY(writeFile(dir.filePath(QStringLiteral("blocker")), good));
            folder = dir.filePath(QStringLiteral("blocker/store"));
            break;
        case LockIsAFolder:
            QVERIFY(writeFile(file, good));
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Lumbra.conf.lock")));
            break;
        case ReadOnlyFolder:
            QVERIFY(writeFile(file, good));
            QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            break;
        case UnreadableFile:
            QVERIFY(writeFile(file, good));
            QVERIFY(QFile::setPermissions(file, QFileDevice::WriteOwner));
            break;
        }
        const auto before = snapshot(dir.path());

        QSettingsStore store(folder);
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        QCOMPARE(memory(d), loaded);
        const QList<int> first = sitWrongly(d);
        QCOMPARE(d.dialogs.told.size(), 1);
        QVERIFY(d.dialogs.told[0].startsWith(QString::fromLatin1(kSaveFailed)));
#ifdef Q_OS_WIN
        // Windows words the reason in its own way; the file is named all the same.
        Q_UNUSED(why);
        const QString named = QDir::toNativeSeparators(dir.filePath(where)) + QStringLiteral(": ");
        QVERIFY2(d.dialogs.told[0].contains(QStringLiteral("\r\n") + named), qPrintable(d.dialogs.told[0]));
#else
        const QString named = QDir::toNativeSeparators(dir.filePath(where)) + QStringLiteral(": ") + why;
        QVERIFY2(d.dialogs.told[0].contains(QStringLiteral("\r\n") + named + QStringLiteral("\r\n")),
                 qPrintable(d.dialogs.told[0]));
#endif
        const QList<int> second = sitWrongly(d);
        QCOMPARE(d.button("Command6")->text(), QStringLiteral("Scores"));
        QCOMPARE(d.dialogs.told.size(), 1);
        const QByteArray expected = withWrong(withWrong(loaded, first), second);
        QCOMPARE(memory(d), expected);
        QVERIFY(d.enabled("Command7"));
        d.click("Command7");
        QCOMPARE(d.quiz().testSize, int16_t(flaggedCount(expected)));

        const auto after = snapshot(dir.path());
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(after, before);
    }

    // Results that could not be saved are still saved by the first Finish that can.
    void theNextGoodSaveKeepsEverything()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath(QStringLiteral("Lumbra.conf"));
        const QByteArray good = "[aaa]\nredo=" + goodHistory() + "\n";
        QVERIFY(writeFile(file, good));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Lumbra.conf.lock")));

        QSettingsStore store(dir.path());
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        const QList<int> first = sitWrongly(d);
        QCOMPARE(d.dialogs.told.size(), 1);
        QCOMPARE(readFile(file), good);

        QVERIFY(QDir(dir.path()).rmdir(QStringLiteral("Lumbra.conf.lock")));
        const QList<int> second = sitWrongly(d);
        QCOMPARE(d.dialogs.told.size(), 1);
        QCOMPARE(storedRedo(file), withWrong(withWrong(goodHistory(), first), second));
    }
};

QTEST_MAIN(StoreFaultsTest)
#include "store_faults_test.moc"
