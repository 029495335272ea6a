#pragma once

#include "bank/question_bank.h"
#include "engine/random_source.h"
#include "history/redo_history.h"

#include <array>
#include <cstdint>
#include <string>

namespace bw {

// One bank question as placed in the current test.
struct TestItem {
    int16_t position = 0;            // place in the test, equal to its index in testItems
    int16_t question = 0;            // bank question number
    std::array<int16_t, 5> order{};  // order[k]: bank choice shown in display slot k (1..4)
    int16_t correctPos = 0;          // display slot (1..4) of the correct choice
    int16_t chosen = -1;             // answer as a 0-based slot, -1 when not answered
    int16_t recorded = -1;           // verdict last given to the history: 1 right, 0 wrong, -1 none yet
};

// What the answer check shows for the item on display.
struct Verdict {
    bool right = false;
    std::string text;      // the verdict line
    int16_t tickSlot = 0;  // 0-based answer button beside which the tick stands
    int16_t crossSlot = -1; // 0-based answer button beside which the cross stands, -1 for none
};

// The practice test: building, navigation, marking and the wrong-answer review.
// It knows no window; the main window renders its state and forwards clicks.
class Quiz {
public:
    Quiz(const QuestionBank &bank, RedoHistory &history, RandomSource &random);

    // Test state.
    std::array<TestItem, kTableCapacity> testItems{};
    int16_t testSize = 0;
    int16_t currentPos = 0;
    int16_t testFinished = 1; // 1: no test in progress; 0: a test is in progress
    bool reachedLast = false;

    // Marking results.
    int16_t correctCount = 0;
    int16_t wrongCount = 0;
    std::array<int16_t, kTableCapacity> wrongList{};

    // Wrong-answer review.
    bool reviewMode = false;
    int16_t reviewIndex = 0;

    // Building.
    void makeItem(TestItem &item, int16_t q, int16_t p);
    void makeTest();
    void makeRedoTest();
    // The engine steps of Start Test: builds from the history when a redo was requested,
    // otherwise a test of requestedSize questions, and puts the test in progress.
    // A redo request that finds no flagged question builds nothing, drops the request and
    // answers false; the running state stays as it was.
    bool startTest(int16_t requestedSize);

    // Navigation; each answers true when another item must be shown.
    bool previous();
    bool next();
    bool previousEnabled() const;
    bool nextEnabled() const;
    // Records a click on answer button i (0..3): selected or not.
    void selectAnswer(int16_t i, bool selected);
    const TestItem &currentItem() const;

    // Marking.
    // Judges one item and gives its verdict to the history, as the marking at Finish does.
    bool isCorrect(int16_t which);
    void markExam();
    // Judges the item on display. Only a verdict other than the one last given to the history
    // for the item (its answer was changed after Finish) reaches the history as a judgement:
    // showing an item again judges nothing new, and so never writes over what another copy
    // of the program has saved or cleared since.
    Verdict checkAnswer();
    // Ends the running test: marks it and sets up the review. Answers whether the review
    // box is enabled. The caller saves the history, then calls positionAfterFinish.
    bool finishTest(bool reviewBoxTicked);
    void positionAfterFinish();
    // The ticked state of the review box changed after a finish.
    void setReviewMode(bool reviewBoxTicked);
    // The score as shown in the result window, for example "66.7%".
    std::string percentText() const;

    const QuestionBank &bank() const { return bank_; }
    RedoHistory &history() { return history_; }

private:
    void shuffle(std::array<int16_t, kTableCapacity> &list, int16_t n);
    // Gives the item's verdict to the history as this copy's judgement of its question.
    void record(TestItem &item, bool right);

    const QuestionBank &bank_;
    RedoHistory &history_;
    RandomSource &random_;
};

// correct * 100 / total with one decimal, halves rounded up, and "%": 1 of 16 gives "6.3%".
std::string formatPercent(int correct, int total);

} // namespace bw
