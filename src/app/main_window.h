#pragma once

#include "bank/question_bank.h"
#include "engine/quiz.h"
#include "history/redo_history.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAbstractButton;
class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;

namespace bw {

class Announcer;
class BannerView;
class Dialogs;
class RandomSource;
class SettingsStore;
class ShellPlatform;

// The texts the main window asks and tells, in English; the window shows them translated.
inline constexpr const char *kWindowCaption = "Brightwell V4.38";
inline constexpr const char *kCancelTestQuestion =
    QT_TRANSLATE_NOOP("bw::MainWindow", "Do you want to cancel the current practice test?");
inline constexpr const char *kFinishQuestion = QT_TRANSLATE_NOOP(
    "bw::MainWindow",
    "You have not gone through all the questions. You can use 'Next' button to go to the next question.\r\n"
    "Do you want to finish the test now?");
inline constexpr const char *kClearQuestion = QT_TRANSLATE_NOOP(
    "bw::MainWindow", "You won't be able to redo incorrect questions if you clear the history. \r\nContinue to clear?");
inline constexpr const char *kNothingToRedo =
    QT_TRANSLATE_NOOP("bw::MainWindow", "There are no incorrect questions to redo: every question that was answered "
                                        "wrongly has since been answered correctly.");
inline constexpr const char *kSaveFailed =
    QT_TRANSLATE_NOOP("bw::MainWindow", "Brightwell could not save your incorrect-question history, so the next time "
                                        "you start the program it may not know which questions you answered wrongly.");
// Said to a screen reader when the language is switched, in the new language.
inline constexpr const char *kLanguageSwitched =
    QT_TRANSLATE_NOOP("bw::MainWindow", "Brightwell is now in English.");
inline constexpr const char *kSaveFailedPromise =
    QT_TRANSLATE_NOOP("bw::MainWindow", "Everything stays available until you close Brightwell, and the next "
                                        "finished test tries to save again.");

// The notice of a failed save: kSaveFailed, the place and the reason the store gave (when it
// gave one) on a line of their own, and kSaveFailedPromise.
QString saveFailedMessage(const QString &reason);

// Pieces of text one after another, each closed with a period unless it ends with . ? or !, as
// a screen reader is given them to say.
QString sentences(const QStringList &pieces);

// What the outside world provides to the main window.
struct MainWindowServices {
    SettingsStore &store;
    RandomSource &random;
    Dialogs &dialogs;
    ShellPlatform &shell;
    // The language the window starts in (main() reads it from the command line, the store or
    // the system).
    Language language = Language::English;
};

// Form1, the program's only long-lived window: the size list, the command row, the question
// frame in which a test is sat and reviewed, and the menu.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowServices services, QWidget *parent = nullptr);
    ~MainWindow() override;

    const QuestionBank &bank() const { return bank_; }
    const Quiz &quiz() const { return quiz_; }
    const RedoHistory &history() const { return history_; }
    BannerView &banner() { return *banner_; }

    // Operations of the window, also reached by its buttons and menu.
    void startTest();
    void startRedoTest();
    void clearHistory();
    void finish();
    void previousItem();
    void nextItem();
    void showCurrentQuestion();
    void openInfoCenter();
    void showPurchaseWindow();
    void showAboutWindow();
    // The menu bar's language item: the other language, at once in every open window; the
    // choice is stored for the next run.
    void switchLanguage();
    Language language() const { return bank_.language; }

protected:
    void closeEvent(QCloseEvent *event) override;
    // Coming back to the window, the history commands follow what another copy of the
    // program has saved or cleared meanwhile.
    void changeEvent(QEvent *event) override;
    // A, B, C, D (or 1 to 4) answer, Page Up and Page Down move, wherever the focus is
    // except in the test-size list, which keeps these keys for itself.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void buildMenu();
    // Every text of the window in the installed language; the test, its answers and the
    // review stay as they are.
    void retranslate();
    void showVerdict();
    // Previous, Next and the review box: another item in the frame, said to a screen reader
    // whose user is in the frame.
    void showAnotherItem();
    bool keyboardInFrame() const;
    // The answer that has the keyboard, if one has.
    QAbstractButton *answerWithKeyboard() const;
    // Says the item on display to a screen reader: the frame's caption, the question, the answer
    // answerOn (when given) and the verdict.
    void tellItem(const QAbstractButton *answerOn);
    void tellChoice();
    void showItem(const TestItem &item);
    // The item's test position and question text, as the question line shows them.
    QString questionLine(const TestItem &item) const;
    // What a screen reader says of the verdict shown: the verdict line and the wrong choice.
    QString spokenVerdict() const;
    void updateButtons();
    void checkAnswer();
    void selectAnswer(int index, bool selected);
    void setReviewMode(bool ticked);
    // With tell, the item shown is said to a screen reader first (the keyboard was in the frame).
    void focusAnswers(bool tell = false);
    // After the result window: Next when it is enabled, otherwise Scores, never an answer.
    void focusReview();
    void showResult();
    void updateHistoryCommands();
    void reportSave(bool saved);
    // The window's questions and notices. While one is open, a language switch shows it in the
    // new language, text and buttons alike.
    bool askYesNo(const char *text);
    bool askOkCancel(const char *text);
    void tell(std::function<QString()> text);

    QuestionBank bank_;
    SettingsStore &store_;
    RedoHistory history_;
    Quiz quiz_;
    RandomSource &random_;
    Dialogs &dialogs_;
    ShellPlatform &shell_;
    std::unique_ptr<BannerView> banner_;
    bool saveFailureTold_ = false;
    // The text of the message box open over the window, made in the language of the moment.
    std::function<QString()> boxText_;
    // What the answer check last showed for the item on display, to show it again in
    // another language without judging the item again.
    std::optional<Verdict> verdict_;
    // Which wrong answer was chosen, said once the window has the keyboard back after the
    // result window.
    QString choiceToTell_;
    Announcer *announcer_ = nullptr;

    QWidget *client_ = nullptr;
    QLabel *label3_ = nullptr;
    QComboBox *combo1_ = nullptr;
    QPushButton *command1_ = nullptr;
    QPushButton *command2_ = nullptr;
    QPushButton *command7_ = nullptr;
    QPushButton *command8_ = nullptr;
    QPushButton *command10_ = nullptr;
    QPushButton *command11_ = nullptr;
    QGroupBox *frame1_ = nullptr;
    QLabel *label1_ = nullptr;
    std::array<QRadioButton *, 4> option1_{};
    QButtonGroup *optionGroup_ = nullptr;
    QLabel *label2_ = nullptr;
    QLabel *image1_ = nullptr;
    QLabel *image2_ = nullptr;
    QPushButton *command3_ = nullptr;
    QPushButton *command4_ = nullptr;
    QCheckBox *check1_ = nullptr;
    QMenu *about_ = nullptr;
    QAction *mcd_ = nullptr;
    QAction *other_ = nullptr;
    QAction *mexit_ = nullptr;
    QAction *language_ = nullptr;
    QPushButton *command5_ = nullptr;
    QPushButton *command6_ = nullptr;
};

} // namespace bw
