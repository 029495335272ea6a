// Kills real writer processes (redo_writer) at awkward moments and reads what they leave.
// Every wait is on the writer's output or its end, bounded by kWaitMs.

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int kWaitMs = 30000;
constexpr int kKills = 50;

QByteArray fileOf(const QTemporaryDir &dir)
{
    QFile file(dir.filePath(QStringLiteral("Lumbra.conf")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
}

// The whole file as the store writes it when it holds nothing but the history.
QByteArray wellFormed(const QByteArray &digits)
{
    return "[aaa]\nredo=" + digits + "\n";
}

// The two histories redo_writer's loop saves in turn.
QByteArray alternate(bool second)
{
    QByteArray digits;
    for (int q = 1; q <= 165; ++q)
        digits.append(static_cast<char>('0' + (q + (second ? 5 : 0)) % 10));
    return digits;
}

QByteArray flagged(std::initializer_list<std::pair<int, char>> flags)
{
    QByteArray digits(165, '0');
    for (const auto &[question, digit] : flags)
        digits[question - 1] = digit;
    return digits;
}

class Writer {
public:
    Writer(const QTemporaryDir &dir, const QStringList &arguments)
    {
        process_.start(QStringLiteral(REDO_WRITER), QStringList{dir.path()} + arguments);
    }
    ~Writer()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(kWaitMs);
        }
    }

    // The next line the writer prints, or what went wrong instead.
    QByteArray line()
    {
        while (!process_.canReadLine()) {
            if (!process_.waitForReadyRead(kWaitMs) && !process_.canReadLine())
                return "<no line; stderr: " + process_.readAllStandardError() + ">";
        }
        return process_.readLine().trimmed();
    }
    // The digits after "saved " or "history ", or the whole line when it is not one of those.
    QByteArray digits()
    {
        const QByteArray said = line();
        const qsizetype space = said.indexOf(' ');
        return said.startsWith("saved ") || said.startsWith("history ") ? said.mid(space + 1) : said;
    }
    // Lets a writer that waits for its input end, and answers whether it ended well.
    bool finish()
    {
        process_.closeWriteChannel();
        return process_.waitForFinished(kWaitMs) && process_.exitStatus() == QProcess::NormalExit
               && process_.exitCode() == 0;
    }
    bool kill()
    {
        process_.kill();
        return process_.waitForFinished(kWaitMs);
    }

private:
    QProcess process_;
};

// What a new run of the program loads from the folder.
QByteArray loadedByANewRun(const QTemporaryDir &dir)
{
    Writer reader(dir, {QStringLiteral("read")});
    const QByteArray digits = reader.digits();
    return reader.finish() ? digits : "<reader failed>";
}

} // namespace

class CrashSafetyTest : public QObject {
    Q_OBJECT
private slots:
    void killedRightAfterASaveKeepsIt()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        {
            Writer earlier(dir, {QStringLiteral("save"), QStringLiteral("2=1"), QStringLiteral("9=1")});
            QCOMPARE(earlier.digits(), flagged({{2, '1'}, {9, '1'}}));
            QVERIFY(earlier.finish());
        }
        Writer writer(dir, {QStringLiteral("save"), QStringLiteral("1=1"), QStringLiteral("2=0"), QStringLiteral("7=3")});
        const QByteArray saved = writer.digits();
        QCOMPARE(saved, flagged({{1, '1'}, {7, '3'}, {9, '1'}}));
        QVERIFY(writer.kill());
        QCOMPARE(fileOf(dir), wellFormed(saved));
        QCOMPARE(loadedByANewRun(dir), saved);
    }

    // Each writer is killed after a random number of saves: at once (early in the next
    // save), once the next save holds the file's lock (in the middle of writing), or once
    // the file has changed (as the save ends). Until then the file is read over and over,
    // as another run starting up would read it. The folder is reused, so each new writer
    // also meets whatever the last one left behind.
    void killedAtRandomMomentsLeavesOneWholeValue()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString lock = dir.filePath(QStringLiteral("Lumbra.conf.lock"));
        const QByteArray first = wellFormed(alternate(false));
        const QByteArray second = wellFormed(alternate(true));
        const auto whole = [&](const QByteArray &bytes) { return bytes == first || bytes == second; };
        const auto shown = [](int round, const QByteArray &bytes) {
            return QStringLiteral("round %1: %2").arg(round).arg(QString::fromLatin1(bytes.toHex())).toLocal8Bit();
        };
        int whileLocked = 0;
        for (int round = 0; round < kKills; ++round) {
            Writer writer(dir, {QStringLiteral("loop"), QStringLiteral("5000")});
            const int saves = QRandomGenerator::global()->bounded(1, 6);
            for (int n = 1; n <= saves; ++n)
                QCOMPARE(writer.line(), "saved " + QByteArray::number(n));
            const int moment = QRandomGenerator::global()->bounded(3);
            const QByteArray before = fileOf(dir);
            QByteArray seen = before;
            const QDeadlineTimer deadline(kWaitMs);
            while (moment > 0 && whole(seen) && !deadline.hasExpired()) {
                if (moment == 1 ? QFile::exists(lock) : seen != before)
                    break;
                seen = fileOf(dir);
            }
            QVERIFY2(whole(seen), shown(round, seen).constData());
            whileLocked += QFile::exists(lock) ? 1 : 0;
            QVERIFY(writer.kill());
            const QByteArray onDisk = fileOf(dir);
            QVERIFY2(whole(onDisk), shown(round, onDisk).constData());
        }
        qInfo("%d of %d writers were killed holding the lock", whileLocked, kKills);
        const QByteArray loaded = loadedByANewRun(dir);
        QVERIFY(whole(wellFormed(loaded)));
        Writer after(dir, {QStringLiteral("save"), QStringLiteral("4=2")});
        QByteArray expected = loaded;
        expected[3] = '2';
        QCOMPARE(after.digits(), expected);
        QVERIFY(after.finish());
        QCOMPARE(fileOf(dir), wellFormed(expected));
    }

    void processesOneAfterTheOtherKeepTheLastOnesFlags()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        {
            Writer first(dir, {QStringLiteral("save"), QStringLiteral("1=1"), QStringLiteral("3=1")});
            QCOMPARE(first.digits(), flagged({{1, '1'}, {3, '1'}}));
            QVERIFY(first.finish());
        }
        {
            Writer second(dir, {QStringLiteral("save"), QStringLiteral("3=0"), QStringLiteral("165=1")});
            QCOMPARE(second.digits(), flagged({{1, '1'}, {165, '1'}}));
            QVERIFY(second.finish());
        }
        QCOMPARE(fileOf(dir), wellFormed(flagged({{1, '1'}, {165, '1'}})));
        QCOMPARE(loadedByANewRun(dir), flagged({{1, '1'}, {165, '1'}}));
    }
};

QTEST_GUILESS_MAIN(CrashSafetyTest)
#include "crash_safety_test.moc"
