#include "history/redo_history.h"
#include "support/synthetic_bank.h"
#include "support/test_doubles.h"

#include <QTest>

using namespace bw;

namespace {

std::string zeros(size_t n)
{
    return std::string(n, '0');
}

} // namespace

class RedoHistoryTest : public QObject {
    Q_OBJECT
private slots:
    void readsStoredTexts_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("expected"); // the flags 1..165 as digits
        QTest::addColumn<bool>("hasRedo");
        const QByteArray empty(165, '0');
        QByteArray seventh = empty;
        seventh[4] = '7';
        QTest::newRow("nothing flagged") << empty << empty << false;
        QTest::newRow("a 7 at position 5") << seventh << seventh << true;
        QTest::newRow("only 10 characters") << QByteArray("0100000001") << QByteArray("0100000001") + QByteArray(155, '0')
                                            << true;
        QTest::newRow("empty text") << QByteArray() << empty << false;
        QByteArray longer = empty + QByteArray(500, '9');
        QTest::newRow("extra characters ignored") << longer << empty << false;
        QByteArray letters = "1a2b x-9" + QByteArray(157, 'z');
        QTest::newRow("letters read as 0") << letters << QByteArray("10200009") + QByteArray(157, '0') << true;
        // A two-byte character counts as one position.
        QByteArray accented = QByteArray("\xc3\xa9") + "1" + QByteArray(163, '0');
        QTest::newRow("a multi-byte character is one position")
            << accented << QByteArray("01") + QByteArray(163, '0') << true;
        QByteArray broken = QByteArray("\xff\x80") + "3";
        QTest::newRow("invalid bytes") << broken << QByteArray("03") + QByteArray(163, '0') << true;
        QByteArray nul = QByteArray("1\0" "2", 3);
        QTest::newRow("NUL byte") << nul << QByteArray("102") + QByteArray(162, '0') << true;
    }
    void readsStoredTexts()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, expected);
        QFETCH(bool, hasRedo);
        const QuestionBank bank = test::syntheticBank();
        test::MemoryStore store;
        store.values["Lumbra/aaa/redo"] = stored.toStdString();
        RedoHistory history(store, bank);
        history.redoFlags.fill(4); // everything must be overwritten
        history.loadRedo();
        QCOMPARE(QByteArray::fromStdString(history.storedText()), expected);
        QCOMPARE(history.hasRedo, hasRedo);
        QCOMPARE(store.writes, 0); // loading never rewrites the stored text
        for (int16_t flag : history.redoFlags)
            QVERIFY(flag >= 0 && flag <= 9);
    }

    void missingValueIsAnEmptyHistory()
    {
        const QuestionBank bank = test::syntheticBank();
        test::MemoryStore store;
        RedoHistory history(store, bank);
        history.loadRedo();
        QVERIFY(!history.hasRedo);
        QVERIFY(!history.anyFlagged());
    }

    void saveWritesEveryDigitInOrder()
    {
        const QuestionBank bank = test::syntheticBank();
        test::MemoryStore store;
        RedoHistory history(store, bank);
        history.loadRedo();
        history.setFlag(1, 1);
        history.setFlag(3, 1);
        history.setFlag(5, 7);
        QVERIFY(history.saveRedo());
        QVERIFY(history.hasRedo);
        QCOMPARE(store.redo(), "10107" + zeros(160));
        for (const int16_t q : {int16_t{1}, int16_t{3}, int16_t{5}})
            history.setFlag(q, 0);
        QVERIFY(history.saveRedo());
        QVERIFY(!history.hasRedo);
        QCOMPARE(store.redo(), zeros(165));
    }

    // hasRedo follows the last load, save or clear, not each change of a flag.
    void hasRedoIsRecomputedOnlyByLoadSaveAndClear()
    {
        const QuestionBank bank = test::syntheticBank();
        test::MemoryStore store;
        store.values["Lumbra/aaa/redo"] = "001";
        RedoHistory history(store, bank);
        history.loadRedo();
        QVERIFY(history.hasRedo);
        history.setFlag(3, 0);
        QVERIFY(history.hasRedo);
        QVERIFY(!history.anyFlagged());
        QVERIFY(history.saveRedo());
        QVERIFY(!history.hasRedo);
    }

    void clearEmptiesStoreAndFlags()
    {
        const QuestionBank bank = test::syntheticBank();
        test::MemoryStore store;
        store.values["Lumbra/aaa/redo"] = "111";
        RedoHistory history(store, bank);
        history.loadRedo();
        QVERIFY(history.clearRedo());
        QCOMPARE(store.redo(), zeros(165));
        QVERIFY(!history.hasRedo);
        QVERIFY(!history.anyFlagged());
    }

    void failedWritesAreReported()
    {
        const QuestionBank bank = test::syntheticBank();
        test::MemoryStore store;
        store.values["Lumbra/aaa/redo"] = "1";
        RedoHistory history(store, bank);
        history.loadRedo();
        store.failWrites = true;
        history.setFlag(2, 1);
        QVERIFY(!history.saveRedo());
        QCOMPARE(store.redo(), std::string("1")); // the old value stands
        QCOMPARE(history.redoFlags[2], int16_t(1)); // and the flags stay in memory
        QVERIFY(history.hasRedo);
        QVERIFY(!history.clearRedo());
        QCOMPARE(store.redo(), std::string("1"));
        // The next save that is kept writes the clear too, not only what was judged since.
        store.failWrites = false;
        history.setFlag(4, 1);
        QVERIFY(history.saveRedo());
        QCOMPARE(store.redo(), "0001" + zeros(161));
    }
};

QTEST_APPLESS_MAIN(RedoHistoryTest)
#include "redo_history_test.moc"
