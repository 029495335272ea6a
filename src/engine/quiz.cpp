#include "engine/quiz.h"

#include <algorithm>

namespace bw {

namespace {

size_t at(int index)
{
    return static_cast<size_t>(index);
}

// The two fields count from different bases: slot k shows on button k - 1.
bool answeredRight(const TestItem &item)
{
    return item.chosen + 1 == item.correctPos;
}

} // namespace

Quiz::Quiz(const QuestionBank &bank, RedoHistory &history, RandomSource &random)
    : bank_(bank), history_(history), random_(random)
{
}

void Quiz::makeItem(TestItem &item, int16_t q, int16_t p)
{
    item.position = p;
    item.question = q;
    item.chosen = -1;
    item.recorded = -1;
    for (int16_t k = 1; k <= 4; ++k)
        item.order[at(k)] = k;
    for (int swap = 0; swap < 8; ++swap) {
        const int16_t a = randomPosition(random_, 4);
        const int16_t b = randomPosition(random_, 4);
        std::swap(item.order[at(a)], item.order[at(b)]);
    }
    for (int16_t k = 1; k <= 4; ++k) {
        if (item.order[at(k)] == bank_.answerKey[at(q)]) {
            item.correctPos = k;
            break;
        }
    }
}

void Quiz::shuffle(std::array<int16_t, kTableCapacity> &list, int16_t n)
{
    const int16_t swaps = swapCount(n);
    for (int16_t s = 0; s < swaps; ++s) {
        const int16_t a = randomPosition(random_, n);
        const int16_t b = randomPosition(random_, n);
        std::swap(list[at(a)], list[at(b)]);
    }
}

void Quiz::makeTest()
{
    currentPos = 1;
    random_.reseed();
    std::array<int16_t, kTableCapacity> numbers{};
    for (int16_t i = 1; i <= bank_.questionCount; ++i)
        numbers[at(i)] = i;
    shuffle(numbers, bank_.questionCount);
    for (int16_t i = 1; i <= testSize; ++i)
        makeItem(testItems[at(i)], numbers[at(i)], i);
}

void Quiz::makeRedoTest()
{
    currentPos = 1;
    random_.reseed();
    std::array<int16_t, kTableCapacity> numbers{};
    testSize = 0;
    for (int16_t q = 1; q <= bank_.questionCount; ++q) {
        if (history_.redoFlags[at(q)] > 0)
            numbers[at(++testSize)] = q;
    }
    shuffle(numbers, testSize);
    for (int16_t i = 1; i <= testSize; ++i)
        makeItem(testItems[at(i)], numbers[at(i)], i);
}

bool Quiz::startTest(int16_t requestedSize)
{
    if (history_.redoMode && !history_.anyFlagged()) {
        history_.redoMode = false;
        return false;
    }
    reachedLast = false;
    if (history_.redoMode) {
        makeRedoTest();
    } else {
        testSize = std::clamp<int16_t>(requestedSize, 1, bank_.questionCount);
        makeTest();
    }
    history_.redoMode = false;
    reviewMode = false;
    testFinished = 0;
    return true;
}

bool Quiz::previous()
{
    if (reviewMode) {
        if (reviewIndex < 2)
            return false;
        --reviewIndex;
        currentPos = wrongList[at(reviewIndex)];
        return true;
    }
    if (currentPos < 2)
        return false;
    --currentPos;
    return true;
}

bool Quiz::next()
{
    if (reviewMode) {
        if (reviewIndex >= wrongCount)
            return false;
        ++reviewIndex;
        currentPos = wrongList[at(reviewIndex)];
        return true;
    }
    if (currentPos >= testSize)
        return false;
    ++currentPos;
    if (currentPos == testSize)
        reachedLast = true;
    return true;
}

bool Quiz::previousEnabled() const
{
    if (testFinished == 1 && reviewMode)
        return reviewIndex >= 2;
    return currentPos >= 2;
}

bool Quiz::nextEnabled() const
{
    if (testFinished == 1 && reviewMode)
        return reviewIndex < wrongCount;
    return currentPos < testSize;
}

void Quiz::selectAnswer(int16_t i, bool selected)
{
    if (currentPos < 1 || currentPos > testSize || i < 0 || i > 3)
        return;
    TestItem &item = testItems[at(currentPos)];
    if (selected)
        item.chosen = i;
    else if (item.chosen == i)
        item.chosen = -1;
}

const TestItem &Quiz::currentItem() const
{
    return testItems[at(currentPos)];
}

void Quiz::record(TestItem &item, bool right)
{
    item.recorded = right ? int16_t{1} : int16_t{0};
    history_.setFlag(item.question, right ? int16_t{0} : int16_t{1});
}

bool Quiz::isCorrect(int16_t which)
{
    TestItem &item = testItems[at(which)];
    const bool right = answeredRight(item);
    record(item, right);
    return right;
}

void Quiz::markExam()
{
    correctCount = 0;
    wrongCount = 0;
    const int16_t size = testSize;
    for (int16_t p = 1; p <= size; ++p) {
        if (isCorrect(p)) {
            ++correctCount;
        } else {
            ++wrongCount;
            wrongList[at(wrongCount)] = p;
        }
    }
}

Verdict Quiz::checkAnswer()
{
    Verdict verdict;
    TestItem &item = testItems[at(currentPos)];
    verdict.tickSlot = static_cast<int16_t>(item.correctPos - 1);
    verdict.right = answeredRight(item);
    // The flag in memory may meanwhile hold what another copy saved or cleared: only a
    // changed answer is a new judgement.
    if (item.recorded != (verdict.right ? 1 : 0))
        record(item, verdict.right);
    if (verdict.right) {
        verdict.text = "Your answer is CORRECT.";
    } else {
        verdict.text = "Your answer is WRONG, the correct answer is ";
        verdict.text.push_back(static_cast<char>('A' + item.correctPos - 1));
        if (item.chosen >= 0 && item.chosen <= 3)
            verdict.crossSlot = item.chosen;
    }
    return verdict;
}

bool Quiz::finishTest(bool reviewBoxTicked)
{
    testFinished = 1;
    markExam();
    if (correctCount >= testSize) {
        reviewMode = false;
        return false;
    }
    reviewMode = reviewBoxTicked;
    return true;
}

void Quiz::positionAfterFinish()
{
    if (reviewMode) {
        reviewIndex = 1;
        currentPos = wrongList[1];
    } else {
        currentPos = 1;
    }
}

void Quiz::setReviewMode(bool reviewBoxTicked)
{
    reviewMode = reviewBoxTicked && testFinished == 1 && wrongCount >= 1;
    positionAfterFinish();
}

std::string Quiz::percentText() const
{
    return formatPercent(correctCount, testSize);
}

std::string formatPercent(int correct, int total)
{
    if (total <= 0 || correct < 0)
        return "0.0%";
    // Tenths of a percent, rounded half up, in whole numbers so that 6.25 is exactly a tie.
    const long long tenths = (static_cast<long long>(correct) * 2000 + total) / (2LL * total);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + "%";
}

} // namespace bw
