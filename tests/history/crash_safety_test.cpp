// Kills real writer processes (redo_writer) at awkward moments and reads what they leave.
// Every wait is on the writer's output or its end, bounded by kWaitMs.

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int kWaitMs = 30000;
constexpr int kKills = 50;

QByteArray fileOf(const QTemporaryDir &dir)
{
    // As text: QSettings ends its lines in CR LF on Windows.
    QFile file(dir.filePath(QStringLiteral("Lumbra.conf")));
    return file.open(QIODevice::ReadOnly | QIODevice::Text) ? file.readAll() : QByteArray("<no file>");
}

// The whole file as the store writes it when it holds the history, and the language when one
// is given.
QByteArray wellFormed(const QByteArray &digits, const QByteArray &language = {})
{
    return "[aaa]\n" + (language.isEmpty() ? QByteArray() : "language=" + language + "\n") + "redo=" + digits + "\n";
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
    // The digits after "saved ", "history " or "loaded ", or the whole line when it is not one of those.
    QByteArray digits()
    {
        const QByteArray said = line();
        const qsizetype space = said.indexOf(' ');
        return said.startsWith("saved ") || said.startsWith("history ") || said.startsWith("loaded ")
            ? said.mid(space + 1)
            : said;
    }
    // Lets a writer that waits for its input end, and answers whether it ended well.
    bool finish()
    {
        process_.closeWriteChannel();
        return process_.waitForFinished(kWaitMs) && process_.exitStatus() == QProcess::NormalExit
               && process_.exitCode() == 0;
    }
    // Sends one command line to a writer that reads its input ("copy").
    void send(const QByteArray &command)
    {
        process_.write(command + '\n');
        process_.waitForBytesWritten(kWaitMs); // now, not when this writer is next waited for
    }
    bool kill()
    {
        process_.kill();
        return process_.waitForFinished(kWaitMs);
    }

private:
    QProcess process_;
};

// The flags of a history as words: "3 17 40" for questions 3, 17 and 40 at 1, "5=7" for a 7.
QByteArray words(const QByteArray &digits)
{
    QByteArrayList flags;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (digits[i] == '1')
            flags << QByteArray::number(i + 1);
        else if (digits[i] != '0')
            flags << QByteArray::number(i + 1) + '=' + digits[i];
    }
    return digits.size() == 165 ? flags.join(' ') : "<not a history: " + digits + ">";
}

QByteArray fromWords(const QByteArray &flags)
{
    QByteArray digits(165, '0');
    for (const QByteArray &word : flags.split(' '))
        if (!word.isEmpty())
            digits[word.toInt() - 1] = '1';
    return digits;
}

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
    void initTestCase()
    {
#ifdef Q_OS_WIN
        // The program keeps its history in the registry on Windows (registry_store_test). A
        // settings file there cannot be opened for a moment while another process replaces
        // it, which these processes racing over one file meet at random.
        QSKIP("on Windows the history lives in the registry, not in this settings file");
#endif
    }

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

    // Two copies of the program on one settings file, each loading it when it starts. A step
    // is "<copy> <command>" (see redo_writer), with "-> <flags>" when what it answers matters.
    // A step that starts with "=" leaves the file's time of change as it was before it, as a
    // file system with coarse times does when two copies write within one tick: the file then
    // looks unchanged to a copy that goes by its size and time. The file starts with the
    // history and the language (none when empty), and must end with both.
    void twoCopiesKeepEachOthersResults_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArrayList>("steps");
        QTest::addColumn<QByteArray>("kept");
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QByteArray>("keptLanguage");
        const auto row = [](const char *name, const QByteArray &stored, const QByteArrayList &steps, const QByteArray &kept,
                            const QByteArray &language = {}, const QByteArray &keptLanguage = {}) {
            QTest::newRow(name) << stored << steps << kept << language << keptLanguage;
        };
        const QByteArrayList bothJudge = {"A judge 53=1 66=1 3=0", "B judge 22=1 17=0"};
        row("A saves, then B, then A again", "3 17 40", bothJudge + QByteArrayList{"A save", "B save", "A save"},
            "22 40 53 66");
        row("B saves, then A, then B again", "3 17 40", bothJudge + QByteArrayList{"B save", "A save", "B save"},
            "22 40 53 66");
        row("one question in both: the later save counts", "5",
            {"A judge 5=1", "B judge 5=0", "B save", "A save -> 5"}, "5");
        row("saved before another copy's clear, then more", "3 17 40",
            {"A judge 53=1", "A save", "B clear", "A judge 66=1", "A save -> 66"}, "66");
        row("judged before another copy's clear, saved after it", "3 17 40", {"A judge 53=1", "B clear", "A save -> 53"},
            "53");
        row("redo: the other copy's saved results and this copy's unsaved ones", "3 17 40",
            {"B judge 22=1 40=0", "B save", "A judge 3=0", "A redo -> 17 22"}, "3 17 22");
        row("redo after another copy cleared", "3 17", {"B clear", "A redo -> "}, "");
        // Looking at a finished test again judges nothing: only a changed verdict is this copy's.
        const QByteArray nextTest = "A finish 1=0 2=1 3=0 4=0 5=0 -> ";
        row("shown in the review, then cleared by the other copy", "7",
            {"A finish 7=1 -> 7", "A show 7", "B clear", nextTest + "2"}, "2");
        row("shown again after taking in the other copy's clear", "7",
            {"A finish 7=1 -> 7", "B clear", "A activate -> ", "A show 7", nextTest + "2"}, "2");
        row("shown in the review, then answered rightly by the other copy", "7 40",
            {"A finish 7=1 -> 7 40", "A show 7", "B finish 7=0 -> 40", nextTest + "2 40"}, "2 40");
        row("an answer changed after Finish counts over the other copy's clear", "",
            {"A finish 7=1 -> 7", "B clear", "A answer 7=0", "A answer 7=1", nextTest + "2 7"}, "2 7");
        // The language and the history share the file: writing one keeps the other as the file
        // holds it, also when the other copy wrote it within the same tick.
        row("a language switch after another copy's save in the same tick", "3 17 40",
            {"A language en", "B judge 7=1", "=B save", "A language fr"}, "3 7 17 40", "en", "fr");
        row("a language switch after another copy's clear in the same tick", "3 17 40",
            {"A language en", "=B clear", "A language fr"}, "", "en", "fr");
        row("a save after another copy's language switch in the same tick", "3 17 40",
            {"B judge 7=1", "B save", "=A language fr", "B judge 8=1", "B save -> 3 7 8 17 40"}, "3 7 8 17 40", "en", "fr");
        row("a clear after another copy's language switch in the same tick", "3 17 40",
            {"B clear", "=A language fr", "B clear"}, "", "en", "fr");
    }
    void twoCopiesKeepEachOthersResults()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArrayList, steps);
        QFETCH(QByteArray, kept);
        QFETCH(QByteArray, language);
        QFETCH(QByteArray, keptLanguage);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("Lumbra.conf"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(wellFormed(fromWords(stored), language)) > 0);
        }
        Writer a(dir, {QStringLiteral("copy")});
        Writer b(dir, {QStringLiteral("copy")});
        QCOMPARE(words(a.digits()), stored);
        QCOMPARE(words(b.digits()), stored);
        for (QByteArray step : steps) {
            const bool sameTick = step.startsWith('=');
            if (sameTick)
                step.remove(0, 1);
            const QFileInfo info(path);
            const QDateTime changedBefore = info.lastModified();
            const qint64 sizeBefore = info.size();
            const qsizetype arrow = step.indexOf(" -> ");
            Writer &copy = step.startsWith('A') ? a : b;
            copy.send(step.mid(2, arrow < 0 ? -1 : arrow - 2));
            const QByteArray said = copy.line();
            QVERIFY2(!said.startsWith("failed") && !said.startsWith('<'), (step + ": " + said).constData());
            if (arrow >= 0)
                QCOMPARE(words(said.mid(said.indexOf(' ') + 1)), step.mid(arrow + 4));
            if (sameTick) {
                // Another size would show the change whatever the time.
                QCOMPARE(QFileInfo(path).size(), sizeBefore);
                QFile file(path);
                QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(changedBefore, QFileDevice::FileModificationTime));
                file.close();
                QCOMPARE(QFileInfo(path).lastModified(), changedBefore);
            }
        }
        QVERIFY(a.finish());
        QVERIFY(b.finish());
        QCOMPARE(words(loadedByANewRun(dir)), kept);
        QCOMPARE(fileOf(dir), wellFormed(fromWords(kept), keptLanguage));
    }

    // Two copies save over and over at the same moment, each flagging a question of its own
    // at every save: any save that wrote over the other's without reading it loses a flag.
    // One of them may be killed in the middle of a save; the other goes on saving.
    void twoCopiesSavingAtOnce_data()
    {
        QTest::addColumn<bool>("killOne");
        QTest::newRow("both finish") << false;
        QTest::newRow("one killed while saving") << true;
    }
    void twoCopiesSavingAtOnce()
    {
        QFETCH(bool, killOne);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        Writer a(dir, {QStringLiteral("copy")});
        Writer b(dir, {QStringLiteral("copy")});
        QCOMPARE(a.digits(), QByteArray(165, '0'));
        QCOMPARE(b.digits(), QByteArray(165, '0'));
        a.send("each 1 80");
        b.send("each 81 160");
        QByteArray expected(165, '0');
        const int killAfter = killOne ? QRandomGenerator::global()->bounded(1, 40) : 80;
        for (int q = 1; q <= killAfter; ++q) {
            QCOMPARE(a.line(), "saved " + QByteArray::number(q));
            expected[q - 1] = '1';
        }
        if (killOne) {
            // In the middle of the next save: once a lock on the file is held again.
            const QDeadlineTimer deadline(kWaitMs);
            while (!QFile::exists(dir.filePath(QStringLiteral("Lumbra.conf.update-lock")))
                   && !QFile::exists(dir.filePath(QStringLiteral("Lumbra.conf.lock"))) && !deadline.hasExpired()) {
            }
            QVERIFY(a.kill());
        } else {
            QCOMPARE(a.line(), QByteArray("done"));
        }
        for (int q = 81; q <= 160; ++q) {
            QCOMPARE(b.line(), "saved " + QByteArray::number(q));
            expected[q - 1] = '1';
        }
        QCOMPARE(b.line(), QByteArray("done"));
        QVERIFY(b.finish());
        const QByteArray loaded = loadedByANewRun(dir);
        // A killed copy may have kept saves it made after the last one read here: they follow
        // on from it, one question after another.
        for (int q = killAfter + 1; killOne && q <= 80 && loaded[q - 1] == '1'; ++q)
            expected[q - 1] = '1';
        QCOMPARE(words(loaded), words(expected));
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
