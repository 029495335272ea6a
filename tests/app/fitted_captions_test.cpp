// A caption's fitted layout is kept between paints, and follows whatever it was fitted to: the
// text, the font and the room; a kept layout that missed a change would cut a caption or draw
// it in the wrong size. And the captions the window opens with need no fitting.
#include "app/fit_combo_box.h"
#include "app/wrap_button.h"
#include "engine/random_source.h"
#include "support/main_window_driver.h"
#include "widgets/layout.h"

#include <QTest>
#include <functional>

using namespace bw;

namespace {

using Change = std::function<void(QWidget *)>;

void setText(QWidget *widget, const QString &text)
{
    if (auto *button = qobject_cast<WrapButton *>(widget))
        button->setText(text);
    else if (auto *list = qobject_cast<FitComboBox *>(widget))
        list->setItemText(0, text);
}

} // namespace

Q_DECLARE_METATYPE(Change)

class FittedCaptionsTest : public QObject {
    Q_OBJECT
private slots:
    // Each row changes one thing after the first fitting; the layout then equals a fresh
    // fitting of the changed control.
    void followsEveryChange_data()
    {
        QTest::addColumn<Change>("change");
        const QString longer = QStringLiteral("&Effacer l\u2019historique des questions manqu\u00e9es");
        QTest::newRow("longer text") << Change([longer](QWidget *w) { setText(w, longer); });
        QTest::newRow("shorter text") << Change([](QWidget *w) { setText(w, QStringLiteral("&Go")); });
        QTest::newRow("larger font") << Change([](QWidget *w) { w->setFont(layoutFont("MS Sans Serif", 12)); });
        QTest::newRow("bold font") << Change([](QWidget *w) { w->setFont(layoutFont("MS Sans Serif", 8.25, true)); });
        QTest::newRow("narrower") << Change([](QWidget *w) { w->resize(w->width() / 2, w->height()); });
        QTest::newRow("lower") << Change([](QWidget *w) { w->resize(w->width(), w->height() / 2); });
    }
    void followsEveryChange()
    {
        QFETCH(Change, change);
        const auto make = [](QWidget *parent, QWidget *control) {
            control->setParent(parent);
            control->setFont(layoutFont("MS Sans Serif", 8.25));
            control->setGeometry(0, 0, 89, 33);
            setText(control, QStringLiteral("&Redo Incorrect Questions"));
            return control;
        };
        QWidget window;
        auto *button = static_cast<WrapButton *>(make(&window, new WrapButton));
        auto *list = new FitComboBox;
        list->addItem(QString());
        make(&window, list);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        (void)button->captionLayout();
        (void)list->fontFor(list->itemText(0));
        change(button);
        change(list);

        auto *freshButton = static_cast<WrapButton *>(make(&window, new WrapButton));
        auto *freshList = new FitComboBox;
        freshList->addItem(QString());
        make(&window, freshList);
        change(freshButton);
        change(freshList);

        const WrapButton::CaptionLayout &kept = button->captionLayout();
        const WrapButton::CaptionLayout &fresh = freshButton->captionLayout();
        QCOMPARE(kept.lines, fresh.lines);
        QCOMPARE(kept.font, fresh.font);
        QCOMPARE(kept.area, fresh.area);
        QCOMPARE(list->fontFor(list->itemText(0)), freshList->fontFor(freshList->itemText(0)));
    }

    // Every caption of the first frame fits in its designed size, in both languages. One that
    // did not would be tried in smaller and smaller sizes at every start, each size a font engine
    // of its own (about two million instructions each here, fifteen million for a French caption
    // twice as long), far past the start-up goals of docs/performance.md.
    void firstFrameNeedsNoSmallerSize_data()
    {
        QTest::addColumn<Language>("language");
        QTest::newRow("English") << Language::English;
        QTest::newRow("French") << Language::French;
    }
    void firstFrameNeedsNoSmallerSize()
    {
#ifdef Q_OS_WIN
        QSKIP("the start-up goals are counted on Linux, in its fonts");
#endif
        QFETCH(Language, language);
        test::MemoryStore store;
        ClockRandomSource random;
        test::MainWindowDriver d(store, random, nullptr, language);
        QStringList smaller;
        for (const char *name : {"Command2", "Command7", "Command8", "Command10", "Command11"}) {
            auto *button = d.child<WrapButton>(name);
            if (button->captionLayout().font != button->font())
                smaller << button->text();
        }
        auto *list = d.child<FitComboBox>("Combo1");
        if (list->fontFor(list->currentText()) != list->font())
            smaller << list->currentText();
        QVERIFY2(smaller.isEmpty(), qPrintable(smaller.join(QLatin1String(" | "))));
    }
};

QTEST_MAIN(FittedCaptionsTest)
#include "fitted_captions_test.moc"
