#include "app/main_window.h"

#include "app/about_window.h"
#include "app/announce.h"
#include "app/dialogs.h"
#include "app/fixed_window.h"
#include "app/language.h"
#include "widgets/announcer.h"
#include "widgets/fonts.h"
#include "widgets/frame_contents.h"
#include "widgets/mark_label.h"
#include "widgets/menu_keys.h"
#include "widgets/layout.h"
#include "widgets/pictures.h"
#include "app/purchase_window.h"
#include "app/result_window.h"
#include "widgets/twips.h"
#include "widgets/word_spaces.h"
#include "app/fit_combo_box.h"
#include "app/wrap_button.h"
#include "engine/random_source.h"
#include "history/settings_store.h"
#include "web/addresses.h"
#include "web/banner_view.h"
#include "web/web_launcher.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace bw {

namespace {

constexpr std::array<const char *, 6> kSizeEntries = {
    QT_TRANSLATE_NOOP("bw::MainWindow", "5 Questions"),   QT_TRANSLATE_NOOP("bw::MainWindow", "10 Questions"),
    QT_TRANSLATE_NOOP("bw::MainWindow", "20 Questions"),  QT_TRANSLATE_NOOP("bw::MainWindow", "50 Questions"),
    QT_TRANSLATE_NOOP("bw::MainWindow", "100 Questions"), QT_TRANSLATE_NOOP("bw::MainWindow", "165 Questions(All)")};

// The test size of each entry, by its place in the list: a caption may be worded any way.
constexpr std::array<int16_t, kSizeEntries.size()> kTestSizes = {5, 10, 20, 50, 100, 165};

// The language item's key, the same in both languages and used by no other command in either.
constexpr QKeyCombination kLanguageSwitchKey = Qt::ALT | Qt::Key_L;

} // namespace

// Pieces of text said one after another, each ending as a sentence ends.
QString sentences(const QStringList &pieces)
{
    QString said;
    for (const QString &piece : pieces) {
        if (piece.isEmpty())
            continue;
        if (!said.isEmpty())
            said += QLatin1Char(' ');
        said += piece;
        if (!QStringLiteral(".?!").contains(piece.back()))
            said += QLatin1Char('.');
    }
    return said;
}

QString saveFailedMessage(const QString &reason)
{
    const QString lineBreak = QStringLiteral("\r\n");
    return MainWindow::tr(kSaveFailed) + lineBreak + (reason.isEmpty() ? QString() : reason + lineBreak)
        + MainWindow::tr(kSaveFailedPromise);
}

MainWindow::MainWindow(MainWindowServices services, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                              | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint),
      store_(services.store), history_(services.store, bank_), quiz_(bank_, history_, services.random), random_(services.random),
      dialogs_(services.dialogs), shell_(services.shell)
{
    initPictureResources();
    installLanguage(services.language);
    installFontSubstitutions();
    setObjectName(QStringLiteral("Form1"));
    // Small sizes only: the window system is sent every size the icon has, and launchers take
    // the large ones from the installed desktop entry. Each is read when the window system
    // asks for it.
    setWindowIcon(sizedIcon(QStringLiteral(":/pictures/icon-%1.png"), {16, 32, 48, 64}));
    setFont(defaultWindowFont());
    buildControls();
    buildMenu();

    // Start-up, in this order.
    random_.reseed();
    setWindowTitle(QString::fromLatin1(kWindowCaption));
    for (const char *entry : kSizeEntries)
        combo1_->addItem(tr(entry));
    combo1_->setCurrentIndex(0);
    banner_ = std::make_unique<BannerView>(client_, shell_);
    announcer_ = new Announcer(this);
    quiz_.testFinished = 1;
    frame1_->hide();
    bank_.inlineread(services.language);
    retranslate();
    history_.redoMode = false;
    history_.loadRedo();
    updateHistoryCommands();

    setFixedSize(sizeHint());
    keepFixedSize(*this);
    leaveActivationToCompositor();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls()
{
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(twipsSize(10785, 7515));
    setCentralWidget(client_);

    label3_ = place(new QLabel(client_), "Label3",
                    twipsRect(240, 285, 2175, 375));
    label3_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    combo1_ = place(new FitComboBox(client_), "Combo1", twipsRect(2480, 240, 1500, 315));
    label3_->setBuddy(combo1_);
    // Screen readers find no selected entry in the list as Qt gives it, so the entry chosen is
    // also the list's description, which they read with its label and say again as it changes.
    connect(combo1_, &QComboBox::currentTextChanged, combo1_, &QWidget::setAccessibleDescription);
    command2_ = place(new WrapButton(client_), "Command2", twipsRect(4080, 120, 1095, 495));
    command7_ = place(new WrapButton(client_), "Command7",
                      twipsRect(5280, 120, 1335, 495));
    command8_ = place(new WrapButton(client_), "Command8",
                      twipsRect(6720, 120, 1215, 495));
    command10_ = place(new WrapButton(client_), "Command10",
                       twipsRect(8040, 120, 1095, 495));
    command11_ = place(new WrapButton(client_), "Command11",
                       twipsRect(9240, 120, 1095, 495));
    command1_ = place(new QPushButton(client_), "Command1", twipsRect(10200, 960, 855, 495));
    command1_->hide();

    frame1_ = place(new QGroupBox(client_), "Frame1", twipsRect(480, 840, 9855, 5415));
    // The frame's controls sit in its contents area, so that none takes the frame's caption for
    // its own name or label.
    auto *inFrame = new FrameContents(frame1_);
    label1_ = place(new QLabel(inFrame), "Label1", twipsRect(360, 480, 8415, 855));
    label1_->setFont(layoutFont("Times New Roman", 14.25));
    label1_->setWordWrap(true);
    label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label1_->setTextFormat(Qt::PlainText);

    optionGroup_ = new QButtonGroup(this);
    // Answers beginning with "A " keep a full word space after the "A".
    auto *wordSpaces = new WordSpaceStyle;
    wordSpaces->setParent(this);
    constexpr std::array<int, 4> optionTops = {1320, 1920, 2520, 3120};
    constexpr std::array<int, 4> optionWidths = {8775, 8895, 8895, 8895};
    for (int i = 0; i < 4; ++i) {
        const auto slot = static_cast<size_t>(i);
        const QByteArray name = "Option1_" + QByteArray::number(i);
        auto *option = place(new QRadioButton(inFrame), name.constData(), twipsRect(600, optionTops[slot], optionWidths[slot], 495));
        option->setFont(layoutFont("Times New Roman", 9.75));
        option->setStyle(wordSpaces);
        optionGroup_->addButton(option, i);
        option1_[slot] = option;
    }
    // The selection is recorded however it changed: a click, a key, or an assistive tool's
    // action, which checks the button without clicking it.
    connect(optionGroup_, &QButtonGroup::idToggled, this, &MainWindow::selectAnswer);

    // The marks are drawn when the first verdict shows them.
    image1_ = place(new MarkLabel(inFrame), "Image1", twipsRect(120, 1320, 360, 360));
    image1_->hide();
    image2_ = place(new MarkLabel(inFrame), "Image2", twipsRect(120, 2040, 450, 270));
    image2_->hide();

    label2_ = place(new QLabel(inFrame), "Label2", twipsRect(600, 3960, 6615, 375));
    label2_->setFont(layoutFont("Times New Roman", 9.75));
    label2_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label2_->setTextFormat(Qt::PlainText);

    command3_ = place(new WrapButton(inFrame), "Command3", twipsRect(600, 4680, 975, 375));
    command4_ = place(new WrapButton(inFrame), "Command4", twipsRect(1920, 4680, 975, 375));
    check1_ = place(new QCheckBox(inFrame), "Check1",
                    twipsRect(3360, 4680, 2535, 375));
    check1_->setChecked(true);
    command5_ = place(new QPushButton(inFrame), "Command5",
                      twipsRect(6240, 4680, 1455, 375));
    command5_->hide();
    command6_ = place(new WrapButton(inFrame), "Command6", twipsRect(8040, 4680, 1095, 375));

    connect(command1_, &QPushButton::clicked, this, &QWidget::close);
    connect(command2_, &QPushButton::clicked, this, &MainWindow::startTest);
    connect(command7_, &QPushButton::clicked, this, &MainWindow::startRedoTest);
    connect(command8_, &QPushButton::clicked, this, &MainWindow::clearHistory);
    connect(command10_, &QPushButton::clicked, this, &MainWindow::openInfoCenter);
    connect(command11_, &QPushButton::clicked, this, &MainWindow::showPurchaseWindow);
    connect(command3_, &QPushButton::clicked, this, &MainWindow::previousItem);
    connect(command4_, &QPushButton::clicked, this, &MainWindow::nextItem);
    connect(command6_, &QPushButton::clicked, this, &MainWindow::finish);
    // Only the user changes the box, by a click, a key or an assistive tool.
    connect(check1_, &QCheckBox::toggled, this, &MainWindow::setReviewMode);

    // Reading order for the Tab key.
    setTabOrder(combo1_, command2_);
    setTabOrder(command2_, command7_);
    setTabOrder(command7_, command8_);
    setTabOrder(command8_, command10_);
    setTabOrder(command10_, command11_);
    setTabOrder(command11_, option1_[0]);
    setTabOrder(option1_[0], command3_);
    setTabOrder(command3_, command4_);
    setTabOrder(command4_, check1_);
    setTabOrder(check1_, command6_);
}

void MainWindow::buildMenu()
{
    about_ = menuBar()->addMenu(QString());
    about_->setObjectName(QStringLiteral("mabout"));
    mcd_ = about_->addAction(QString());
    mcd_->setObjectName(QStringLiteral("mcd"));
    other_ = about_->addAction(QString());
    other_->setObjectName(QStringLiteral("other"));
    mexit_ = about_->addAction(QString());
    mexit_->setObjectName(QStringLiteral("mexit"));
    connect(mcd_, &QAction::triggered, command11_, &QPushButton::click);
    connect(other_, &QAction::triggered, this, &MainWindow::showAboutWindow);
    connect(mexit_, &QAction::triggered, command1_, &QPushButton::click);

    // Beside About, the other language, named in that language. Its caption has no mnemonic,
    // which could not be typed in both; the key is the same in both languages.
    language_ = menuBar()->addAction(QString());
    language_->setObjectName(QStringLiteral("language"));
    language_->setShortcut(QKeySequence(kLanguageSwitchKey));
    // One press, one switch: a held key does not flip the language back and forth.
    language_->setAutoRepeat(false);
    connect(language_, &QAction::triggered, this, &MainWindow::switchLanguage);
    keepMenuBarToItsKeys(menuBar(), about_);
}

void MainWindow::retranslate()
{
    if (bank_.language != installedLanguage())
        bank_.inlineread(installedLanguage());

    label3_->setText(tr("Practice Question Number:"));
    for (int i = 0; i < combo1_->count(); ++i)
        combo1_->setItemText(i, tr(kSizeEntries[static_cast<size_t>(i)]));
    // The captions that change with the run follow its state.
    if (frame1_->isHidden())
        command2_->setText(tr("&Start Test"));
    else
        command2_->setText(quiz_.testFinished == 0 ? tr("Re&start") : tr("&Start"));
    command7_->setText(tr("&Redo Incorrect Questions"));
    command8_->setText(tr("&Clear Incorrect History"));
    command10_->setText(tr("&Info Center"));
    command11_->setText(tr("&Purchase CD"));
    command1_->setText(tr("&Exit"));
    command3_->setText(tr("&Previous"));
    command4_->setText(tr("&Next"));
    check1_->setText(tr("View wrong answers only."));
    command5_->setText(tr("Check Answer"));
    const QString finishCaption = tr("&Finish");
    if (quiz_.testFinished == 1 && !frame1_->isHidden()) {
        command6_->setText(tr("Scores"));
        // The caption has no mnemonic of its own; Finish's key still reaches the button.
        command6_->setShortcut(QKeySequence::mnemonic(finishCaption));
    } else {
        command6_->setText(finishCaption);
    }
    image1_->setAccessibleDescription(tr("A cross beside the wrong choice that was selected"));
    image2_->setAccessibleDescription(tr("A tick beside the correct answer"));

    menuBar()->setAccessibleName(tr("Menu bar"));
    combo1_->setAccessibleDescription(combo1_->currentText());
    about_->setTitle(tr("&About"));
    mcd_->setText(tr("Order a &CD"));
    other_->setText(tr("&Other Info"));
    mexit_->setText(tr("E&xit"));
    // Named in the language it switches to.
    language_->setText(installedLanguage() == Language::French ? QStringLiteral("English")
                                                                 : QStringLiteral("Fran\u00e7ais"));
    language_->setToolTip(installedLanguage() == Language::French ? tr("Show Brightwell in English")
                                                                   : tr("Show Brightwell in French"));
    banner_->retranslate();
    // A question or notice open over the window says its text in the new language too.
    if (boxText_)
        dialogs_.retext(this, boxText_());

    // The item on display, in the new language, as it was: its answer, its verdict.
    if (!frame1_->isHidden() && quiz_.testSize > 0) {
        frame1_->setTitle(tr("Question %1 of %2").arg(quiz_.currentPos).arg(quiz_.testSize));
        announce(frame1_, QAccessible::NameChanged);
        showItem(quiz_.currentItem());
        showVerdict();
    }
}

void MainWindow::switchLanguage()
{
    const Language next = installedLanguage() == Language::French ? Language::English : Language::French;
    // Remembered for the next run; a store that refuses it leaves this run in the new language.
    (void)storeLanguage(store_, next);
    installLanguage(next);
    // The catalogue is installed by then; a window that got no event yet reads it now.
    if (bank_.language != next)
        retranslate();
    // Said in the new language.
    announcer_->say(tr(kLanguageSwitched));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the program at once: every other window goes with it
    // and nothing is saved.
    event->accept();
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window != this && window->isVisible())
            window->close();
    }
    QCoreApplication::quit();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange && banner_)
        retranslate();
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && history_.followStore())
        updateHistoryCommands();
    // After the focus has come back with the window.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !choiceToTell_.isEmpty())
        QTimer::singleShot(0, this, &MainWindow::tellChoice);
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (!frame1_->isVisible() || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    int slot = -1;
    if (key >= Qt::Key_A && key <= Qt::Key_D)
        slot = key - Qt::Key_A;
    else if (key >= Qt::Key_1 && key <= Qt::Key_4)
        slot = key - Qt::Key_1;
    if (slot >= 0) {
        QRadioButton *option = option1_[static_cast<size_t>(slot)];
        const bool onIt = option->hasFocus();
        option->click();
        option->setFocus(Qt::ShortcutFocusReason);
        // A reader says the choice as the keyboard moves onto the answer; on the answer it is
        // already on, the choice is said here.
        if (onIt)
            announcer_->say(sentences({tr("Answer %1 chosen").arg(QChar(u'A' + slot))}));
    } else if (key == Qt::Key_PageUp) {
        command3_->click();
    } else if (key == Qt::Key_PageDown) {
        command4_->click();
    } else {
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
}

void MainWindow::startTest()
{
    if (quiz_.testFinished == 0 && !askYesNo(kCancelTestQuestion)) {
        // The test goes on; a redo request made with this press is dropped.
        history_.redoMode = false;
        return;
    }
    if (!quiz_.startTest(kTestSizes[static_cast<size_t>(std::max(combo1_->currentIndex(), 0))])) {
        tell([] { return tr(kNothingToRedo); });
        return;
    }
    command2_->setText(tr("Re&start"));
    const bool tellHere = keyboardInFrame();
    frame1_->show();
    showCurrentQuestion();
    check1_->setEnabled(false);
    command6_->setText(tr("&Finish"));
    focusAnswers(tellHere);
}

void MainWindow::startRedoTest()
{
    // What every copy of the program has kept, with this copy's results not yet saved.
    if (history_.followStore())
        updateHistoryCommands();
    // Flags can drop to 0 after the last save while the command is still enabled: never
    // start an empty test, and leave whatever is running alone.
    if (!history_.anyFlagged()) {
        tell([] { return tr(kNothingToRedo); });
        return;
    }
    history_.redoMode = true;
    startTest();
}

void MainWindow::clearHistory()
{
    if (!askOkCancel(kClearQuestion))
        return;
    const bool saved = history_.clearRedo();
    updateHistoryCommands();
    reportSave(saved);
}

void MainWindow::finish()
{
    // Once the test is finished the button only shows the score again. Its caption is not asked:
    // a desktop may have rewritten it to add an accelerator.
    if (quiz_.testFinished == 1) {
        showResult();
        focusReview();
        return;
    }
    if (!quiz_.reachedLast && quiz_.testSize >= 2 && !askYesNo(kFinishQuestion))
        return;
    command2_->setText(tr("&Start"));
    command6_->setText(tr("Scores"));
    // The caption has no mnemonic of its own; Finish's key still reaches the button.
    command6_->setShortcut(QKeySequence::mnemonic(tr("&Finish")));
    check1_->setEnabled(quiz_.finishTest(check1_->isChecked()));
    const bool saved = history_.saveRedo();
    updateHistoryCommands();
    quiz_.positionAfterFinish();
    showCurrentQuestion();
    showResult();
    reportSave(saved);
    focusReview();
}

void MainWindow::previousItem()
{
    if (quiz_.previous())
        showAnotherItem();
}

void MainWindow::nextItem()
{
    if (quiz_.next())
        showAnotherItem();
}

void MainWindow::showAnotherItem()
{
    const bool tell = keyboardInFrame();
    showCurrentQuestion();
    if (tell)
        tellItem(answerWithKeyboard());
}

QAbstractButton *MainWindow::answerWithKeyboard() const
{
    for (QRadioButton *option : option1_)
        if (option->hasFocus())
            return option;
    return nullptr;
}

void MainWindow::showCurrentQuestion()
{
    frame1_->setTitle(tr("Question %1 of %2").arg(quiz_.currentPos).arg(quiz_.testSize));
    // A group box does not announce a new title by itself; screen readers should hear it.
    announce(frame1_, QAccessible::NameChanged);
    label2_->setText(QString());
    verdict_.reset();
    showItem(quiz_.currentItem());
    updateButtons();
    image1_->hide();
    image2_->hide();
    if (quiz_.testFinished == 1)
        checkAnswer();
}

bool MainWindow::keyboardInFrame() const
{
    return frame1_->isVisible() && frame1_->isAncestorOf(QApplication::focusWidget());
}

void MainWindow::tellItem(const QAbstractButton *answerOn)
{
    // A screen reader that comes into the frame reads its caption, the question and the verdict
    // on the way in. One already in it hears nothing of the new question unless it is said.
    QStringList spoken{frame1_->title(), label1_->text()};
    if (answerOn)
        spoken << answerOn->accessibleName();
    if (verdict_)
        spoken << spokenVerdict();
    announcer_->say(sentences(spoken));
}

void MainWindow::focusAnswers(bool tell)
{
    // The keyboard goes to the answers of the item shown: the chosen one, or the first.
    const int chosen = quiz_.currentItem().chosen;
    QRadioButton *answer = option1_[static_cast<size_t>(chosen >= 0 && chosen <= 3 ? chosen : 0)];
    // A reader hears an answer the keyboard moves to; the item itself is said first, with the
    // answer when the keyboard is on it already.
    if (tell)
        tellItem(answer->hasFocus() ? answer : nullptr);
    answer->setFocus(Qt::OtherFocusReason);
}

void MainWindow::focusReview()
{
    // A learner reading the review is not answering: an arrow key typed to look at the next
    // choice must not select it, and change the verdict of an item already marked.
    (command4_->isEnabled() ? command4_ : command6_)->setFocus(Qt::OtherFocusReason);
    // A reader coming back to the window reads the frame on the way to that button: its
    // caption, the question and the verdict. Which wrong answer was chosen is said after it,
    // once the window has the keyboard again.
    choiceToTell_ = verdict_ && verdict_->crossSlot >= 0 ? image1_->accessibleName() : QString();
    if (isActiveWindow())
        tellChoice();
}

void MainWindow::tellChoice()
{
    if (!choiceToTell_.isEmpty())
        announcer_->say(sentences({std::exchange(choiceToTell_, QString())}));
}

void MainWindow::showItem(const TestItem &item)
{
    const auto q = static_cast<size_t>(item.question);
    label1_->setText(questionLine(item));
    // The group is made non-exclusive for a moment so that it can show no selection. The item
    // already holds what is shown, so nothing is recorded meanwhile.
    const QSignalBlocker quiet(optionGroup_);
    optionGroup_->setExclusive(false);
    for (int k = 1; k <= 4; ++k) {
        QRadioButton *option = option1_[static_cast<size_t>(k - 1)];
        const auto choice = static_cast<size_t>(item.order[static_cast<size_t>(k)]);
        const QString text = QString::fromStdString(bank_.choiceText[q][choice]);
        // The name first: a reader on this answer then hears its new name once.
        option->setAccessibleName(tr("Answer %1: ").arg(QChar(64 + k)) + text);
        option->setText(QString(QChar(64 + k)) + QStringLiteral(".  ") + text);
        fitToWidth(option, layoutFont("Times New Roman", 9.75));
        option->setChecked(k - 1 == item.chosen);
    }
    optionGroup_->setExclusive(true);
}

QString MainWindow::questionLine(const TestItem &item) const
{
    return QStringLiteral("%1. ").arg(item.position)
        + QString::fromStdString(bank_.questionText[static_cast<size_t>(item.question)]);
}

QString MainWindow::spokenVerdict() const
{
    // The verdict line names the correct answer; the cross says which wrong one was chosen.
    QStringList spoken{label2_->text()};
    if (verdict_ && verdict_->crossSlot >= 0)
        spoken << image1_->accessibleName();
    return sentences(spoken);
}

void MainWindow::updateButtons()
{
    command3_->setEnabled(quiz_.previousEnabled());
    command4_->setEnabled(quiz_.nextEnabled());
}

void MainWindow::checkAnswer()
{
    verdict_ = quiz_.checkAnswer();
    if (image2_->pixmap().isNull()) {
        image1_->setPixmap(picture(QStringLiteral(":/pictures/cross.png"), QSize(24, 24), devicePixelRatioF()));
        image2_->setPixmap(picture(QStringLiteral(":/pictures/tick.png"), QSize(30, 18), devicePixelRatioF()));
    }
    const int offset = twips(50);
    image2_->move(image2_->x(), option1_[static_cast<size_t>(verdict_->tickSlot)]->y() + offset);
    image2_->show();
    if (verdict_->crossSlot >= 0) {
        image1_->move(image1_->x(), option1_[static_cast<size_t>(verdict_->crossSlot)]->y() + offset);
        image1_->show();
    }
    showVerdict();
}

void MainWindow::showVerdict()
{
    if (!verdict_)
        return;
    const QChar correct(u'A' + verdict_->tickSlot);
    label2_->setText(verdict_->right ? tr("Your answer is CORRECT.")
                                     : tr("Your answer is WRONG, the correct answer is %1").arg(correct));
    // Read as, for example, "B is the correct answer".
    image2_->setAccessibleName(tr("%1 is the correct answer").arg(correct));
    if (verdict_->crossSlot >= 0)
        image1_->setAccessibleName(
            tr("%1 is the wrong choice selected").arg(QChar(u'A' + verdict_->crossSlot)));
}

void MainWindow::selectAnswer(int index, bool selected)
{
    // The old answer is unselected on the way to a new one: that does not clear the new one.
    if (!selected && optionGroup_->checkedId() != -1)
        return;
    quiz_.selectAnswer(static_cast<int16_t>(index), selected);
}

void MainWindow::setReviewMode(bool ticked)
{
    // The box counts only over a finished test; elsewhere its tick just waits for the next one.
    if (quiz_.testFinished != 1 || quiz_.testSize == 0)
        return;
    quiz_.setReviewMode(ticked);
    showAnotherItem();
}

void MainWindow::showResult()
{
    ResultWindow result(this, quiz_.testSize, quiz_.correctCount);
    dialogs_.runModal(result);
}

void MainWindow::openInfoCenter()
{
    openWebPage(shell_, kHomePageAddress);
}

void MainWindow::showPurchaseWindow()
{
    PurchaseWindow window(this, shell_);
    dialogs_.runModal(window);
}

void MainWindow::showAboutWindow()
{
    AboutWindow window(this, shell_);
    dialogs_.runModal(window);
}

void MainWindow::updateHistoryCommands()
{
    command7_->setEnabled(history_.hasRedo);
    command8_->setEnabled(history_.hasRedo);
}

void MainWindow::reportSave(bool saved)
{
    // A failed write is told once, not at every later failure; a good save re-arms it.
    if (saved) {
        saveFailureTold_ = false;
        return;
    }
    if (!saveFailureTold_) {
        saveFailureTold_ = true;
        const QString reason = QString::fromStdString(store_.lastError());
        tell([reason] { return saveFailedMessage(reason); });
    }
}

namespace {

// Holds the text of the box that is open, for as long as it is open.
class BoxOpen {
public:
    BoxOpen(std::function<QString()> &slot, std::function<QString()> text) : slot_(slot) { slot_ = std::move(text); }
    ~BoxOpen() { slot_ = nullptr; }
    BoxOpen(const BoxOpen &) = delete;
    BoxOpen &operator=(const BoxOpen &) = delete;

private:
    std::function<QString()> &slot_;
};

} // namespace

bool MainWindow::askYesNo(const char *text)
{
    const BoxOpen open(boxText_, [text] { return tr(text); });
    return dialogs_.askYesNo(this, boxText_());
}

bool MainWindow::askOkCancel(const char *text)
{
    const BoxOpen open(boxText_, [text] { return tr(text); });
    return dialogs_.askOkCancel(this, boxText_());
}

void MainWindow::tell(std::function<QString()> text)
{
    const BoxOpen open(boxText_, std::move(text));
    dialogs_.tell(this, boxText_());
}

} // namespace bw
