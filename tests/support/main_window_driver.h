#pragma once

#include "app/main_window.h"
#include "app/wrap_button.h"
#include "widgets/layout.h"
#include "support/key_typist.h"
#include "support/recording_shell.h"
#include "support/test_doubles.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

namespace bw::test {

// Drives a real main window with clicks, answering its questions through FakeDialogs, or
// through the real message boxes and modal windows when given them.
struct MainWindowDriver {
    explicit MainWindowDriver(SettingsStore &settings, RandomSource &randomSource, Dialogs *realDialogs = nullptr,
                              Language language = Language::English)
        : window(std::make_unique<MainWindow>(
              MainWindowServices{settings, randomSource, realDialogs ? *realDialogs : dialogs, shell, language}))
    {
        window->show();
    }

    // Makes the window the active one, as keys only reach an active window. True once it is.
    // Waited for as it is seen, not through the platform's activation capability, which Qt's
    // Wayland platform does not claim though its windows are activated; a compositor on a
    // loaded machine takes its time.
    bool activate()
    {
        if (!QTest::qWaitForWindowExposed(window.get(), 30000))
            return false;
        window->activateWindow();
        return QTest::qWaitFor([this] { return hasKeyboard(); }, 30000)
            && (!typingThroughCompositor() || compositorKeyboardOn(window.get()));
    }

    // Whether the window has the keyboard, as the widgets see it: on Wayland the native
    // window learns it a moment before the widgets do, and gives them the focus then.
    bool hasKeyboard() const { return QApplication::activeWindow() == window.get(); }

    template <typename T = QWidget>
    T *child(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    QPushButton *button(const char *name) const { return child<QPushButton>(name); }
    QRadioButton *option(int i) const
    {
        return window->findChild<QRadioButton *>(QStringLiteral("Option1_%1").arg(i));
    }
    QString text(const char *label) const { return child<QLabel>(label)->text(); }
    QString frameCaption() const { return child<QGroupBox>("Frame1")->title(); }
    bool visible(const char *name) const { return child(name)->isVisible(); }
    bool enabled(const char *name) const { return child(name)->isEnabled(); }

    void click(const char *name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void clickOption(int i) { QTest::mouseClick(option(i), Qt::LeftButton, {}, QPoint(8, option(i)->height() / 2)); }
    void clickCheck() { QTest::mouseClick(child<QCheckBox>("Check1"), Qt::LeftButton, {}, QPoint(6, 10)); }
    void chooseSize(int entry) { child<QComboBox>("Combo1")->setCurrentIndex(entry); }

    const Quiz &quiz() const { return window->quiz(); }
    const TestItem &current() const { return quiz().currentItem(); }
    // Clicks the right answer of the item on display, or a wrong one.
    void answerCurrent(bool right)
    {
        const int correct = current().correctPos - 1;
        clickOption(right ? correct : (correct + 1) % 4);
    }
    // Index of the option button that is selected, -1 for none.
    // Whether the keyboard focus is on one of the answers.
    bool focusOnAnswers() const
    {
        for (int i = 0; i < 4; ++i)
            if (option(i)->hasFocus())
                return true;
        return false;
    }
    int selectedOption() const
    {
        int selected = -1;
        for (int i = 0; i < 4; ++i)
            if (option(i)->isChecked())
                selected = selected == -1 ? i : 99;
        return selected;
    }

    // Puts the bank's longest question and longest choice on display, as the last item of the
    // whole bank and in the last answer slot, where they are widest.
    void showLongestTexts()
    {
        const QuestionBank &bank = window->bank();
        QString question;
        QString choice;
        for (size_t q = 1; q <= static_cast<size_t>(bank.questionCount); ++q) {
            const auto text = QString::fromStdString(bank.questionText[q]);
            question = text.size() > question.size() ? text : question;
            for (size_t c = 1; c <= 4; ++c) {
                const auto option = QString::fromStdString(bank.choiceText[q][c]);
                choice = option.size() > choice.size() ? option : choice;
            }
        }
        child<QLabel>("Label1")->setText(QStringLiteral("165. ") + question);
        option(3)->setText(QStringLiteral("D.  ") + choice);
        // As the window fits an answer it shows.
        fitToWidth(option(3), layoutFont("Times New Roman", 9.75));
    }

    FakeDialogs dialogs;
    RecordingShell shell;
    std::unique_ptr<MainWindow> window;
};

} // namespace bw::test

Q_DECLARE_METATYPE(bw::Language)
