// The engine's work at the moments a user waits for it: building a test, marking it, and
// reading and saving the incorrect-question history. Google Benchmark; run it through
// bench/run.sh or on its own (it writes only into a temporary folder).

#include "bank/question_bank.h"
#include "engine/quiz.h"
#include "engine/random_source.h"
#include "history/qsettings_store.h"
#include "history/redo_history.h"
#include "test_doubles.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int16_t kFullTest = 165;

const bw::QuestionBank &loadedBank()
{
    static const std::unique_ptr<bw::QuestionBank> bank = [] {
        auto filled = std::make_unique<bw::QuestionBank>();
        filled->inlineread();
        return filled;
    }();
    return *bank;
}

// A history with about one question in three answered wrongly.
std::string sampleHistory()
{
    std::string text;
    for (int q = 1; q <= kFullTest; ++q)
        text.push_back(q % 3 == 0 ? '1' : '0');
    return text;
}

// The parts of the program the engine works with, as the main window holds them.
struct Engine {
    explicit Engine(bw::SettingsStore &store) : history(store, loadedBank()), quiz(loadedBank(), history, random) {}
    bw::ClockRandomSource random;
    bw::RedoHistory history;
    bw::Quiz quiz;
};

// A full test, sat: every question answered, some of them wrongly.
void sitFullTest(Engine &engine)
{
    engine.quiz.startTest(kFullTest);
    for (int16_t p = 1; p <= engine.quiz.testSize; ++p) {
        engine.quiz.currentPos = p;
        engine.quiz.selectAnswer(static_cast<int16_t>(p % 4), true);
    }
    engine.quiz.currentPos = 1;
}

void BM_BankFilled(benchmark::State &state)
{
    auto bank = std::make_unique<bw::QuestionBank>();
    for (auto _ : state) {
        bank->inlineread();
        benchmark::DoNotOptimize(bank->questionCount);
    }
}
BENCHMARK(BM_BankFilled)->Unit(benchmark::kMicrosecond);

void BM_TestBuilt165(benchmark::State &state)
{
    bw::test::MemoryStore store;
    Engine engine(store);
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine.quiz.startTest(kFullTest));
        benchmark::DoNotOptimize(engine.quiz.testItems.data());
    }
    state.SetItemsProcessed(state.iterations() * kFullTest);
}
BENCHMARK(BM_TestBuilt165)->Unit(benchmark::kMicrosecond);

void BM_RedoTestBuilt165(benchmark::State &state)
{
    bw::test::MemoryStore store;
    Engine engine(store);
    for (int q = 1; q <= kFullTest; ++q)
        engine.history.redoFlags[static_cast<size_t>(q)] = 1;
    for (auto _ : state) {
        engine.history.redoMode = true;
        benchmark::DoNotOptimize(engine.quiz.startTest(kFullTest));
        benchmark::DoNotOptimize(engine.quiz.testItems.data());
    }
    state.SetItemsProcessed(state.iterations() * kFullTest);
}
BENCHMARK(BM_RedoTestBuilt165)->Unit(benchmark::kMicrosecond);

void BM_TestMarked165(benchmark::State &state)
{
    bw::test::MemoryStore store;
    Engine engine(store);
    sitFullTest(engine);
    for (auto _ : state) {
        engine.quiz.markExam();
        benchmark::DoNotOptimize(engine.quiz.correctCount);
    }
    state.SetItemsProcessed(state.iterations() * kFullTest);
}
BENCHMARK(BM_TestMarked165)->Unit(benchmark::kMicrosecond);

void BM_TestFinished165(benchmark::State &state)
{
    bw::test::MemoryStore store;
    Engine engine(store);
    sitFullTest(engine);
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine.quiz.finishTest(true));
        engine.quiz.positionAfterFinish();
        benchmark::DoNotOptimize(engine.quiz.percentText());
    }
    state.SetItemsProcessed(state.iterations() * kFullTest);
}
BENCHMARK(BM_TestFinished165)->Unit(benchmark::kMicrosecond);

void BM_HistoryParsed(benchmark::State &state)
{
    const std::string text = sampleHistory();
    std::array<int16_t, bw::kTableCapacity> flags{};
    for (auto _ : state) {
        bw::RedoHistory::parse(text, kFullTest, flags);
        benchmark::DoNotOptimize(flags.data());
    }
}
BENCHMARK(BM_HistoryParsed)->Unit(benchmark::kMicrosecond);

void BM_HistoryLoadedFromMemory(benchmark::State &state)
{
    bw::test::MemoryStore store;
    store.values["Lumbra/aaa/redo"] = sampleHistory();
    Engine engine(store);
    for (auto _ : state) {
        engine.history.loadRedo();
        benchmark::DoNotOptimize(engine.history.hasRedo);
    }
}
BENCHMARK(BM_HistoryLoadedFromMemory)->Unit(benchmark::kMicrosecond);

void BM_HistorySavedToMemory(benchmark::State &state)
{
    bw::test::MemoryStore store;
    store.values["Lumbra/aaa/redo"] = sampleHistory();
    Engine engine(store);
    engine.history.loadRedo();
    for (auto _ : state)
        benchmark::DoNotOptimize(engine.history.saveRedo());
}
BENCHMARK(BM_HistorySavedToMemory)->Unit(benchmark::kMicrosecond);

// The same through the real store, on a file in a temporary folder, as at start-up and at
// the end of every test; wall time, since that is what the user waits for. Saving includes
// the lock, the new file written beside the old one, flushed to disk, and the rename.
void BM_HistoryLoadedFromFile(benchmark::State &state)
{
    QTemporaryDir folder;
    bw::QSettingsStore store(folder.path());
    Engine engine(store);
    engine.history.parse(sampleHistory(), kFullTest, engine.history.redoFlags);
    if (!engine.history.saveRedo())
        state.SkipWithError("the history could not be saved in the temporary folder");
    for (auto _ : state) {
        engine.history.loadRedo();
        benchmark::DoNotOptimize(engine.history.hasRedo);
    }
}
BENCHMARK(BM_HistoryLoadedFromFile)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_HistorySavedToFile(benchmark::State &state)
{
    QTemporaryDir folder;
    bw::QSettingsStore store(folder.path());
    Engine engine(store);
    engine.history.parse(sampleHistory(), kFullTest, engine.history.redoFlags);
    int flip = 0;
    for (auto _ : state) {
        // A different value each time, so that every save really writes the file.
        engine.history.redoFlags[1] = static_cast<int16_t>(++flip % 2);
        if (!engine.history.saveRedo()) {
            state.SkipWithError("the history could not be saved in the temporary folder");
            break;
        }
    }
}
BENCHMARK(BM_HistorySavedToFile)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
