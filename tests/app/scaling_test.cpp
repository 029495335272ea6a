// Runs at the scale in QT_SCALE_FACTOR (CTest runs it at 1, 1.5 and 2): the layout stays as
// laid out in logical pixels, the pictures stay sharp, the longest texts and every caption
// still fit in any font and in both languages, word spaces stay word spaces, and the verdict
// marks stay visible on dark and high-contrast palettes.
#include "app/fit_combo_box.h"
#include "app/wrap_button.h"
#include "widgets/layout.h"
#include "widgets/twips.h"
#include "engine/random_source.h"
#include "support/main_window_driver.h"
#include "web/banner_view.h"

#include <QDir>
#include <QFontInfo>
#include <QPaintEngine>
#include <QTest>
#include <QTextItem>
#include <QTextLayout>

using namespace bw;
using bw::test::MainWindowDriver;

namespace {

qreal scale()
{
    const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
    return factor.isEmpty() ? 1.0 : factor.toDouble();
}

// Pixels of a rendered picture that read as the marks' red.
int redPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 90 && c.blue() < 90)
                ++count;
        }
    return count;
}

QPalette darkPalette(QColor window, QColor text)
{
    QPalette palette;
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, window);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    return palette;
}

void save(QWidget *widget, const QString &name)
{
    const QString folder = qEnvironmentVariable("BRIGHTWELL_SCREENSHOT_DIR");
    if (!folder.isEmpty() && qFuzzyCompare(scale(), 2.0))
        QVERIFY(widget->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png")));
}

QString withoutMnemonic(QString text)
{
    return text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&')).replace(QChar(1), QLatin1Char('&'));
}

// The caption of each shown control of a window that its control cuts, wraps into too many
// lines or hides: "name: caption".
QStringList clipped(QWidget *window)
{
    QStringList found;
    const auto cut = [&found](const QWidget *widget, const QString &text) {
        found << widget->objectName() + QStringLiteral(": ") + text;
    };
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (widget->isWindow() || !widget->isVisibleTo(window))
            continue;
        const QFontMetrics metrics(widget->font());
        const QRect box = widget->contentsRect();
        if (auto *button = qobject_cast<WrapButton *>(widget)) {
            // Every word on a line of its own size's font, and every line inside the button.
            const WrapButton::CaptionLayout &caption = button->captionLayout();
            const QFontMetricsF captionMetrics(caption.font, button);
            bool fits = caption.lines.join(QLatin1Char(' ')) == button->text().simplified()
                && captionMetrics.lineSpacing() * static_cast<qreal>(caption.lines.size()) <= caption.area.height();
            for (const QString &line : caption.lines)
                fits = fits && captionMetrics.horizontalAdvance(withoutMnemonic(line)) <= caption.area.width();
            if (!fits)
                cut(button, button->text());
        } else if (auto *push = qobject_cast<QPushButton *>(widget)) {
            if (metrics.horizontalAdvance(QString(push->text()).remove(QLatin1Char('&'))) + 6 > push->width())
                cut(push, push->text());
        } else if (auto *check = qobject_cast<QCheckBox *>(widget)) {
            if (check->sizeHint().width() > check->width())
                cut(check, check->text());
        } else if (auto *frame = qobject_cast<QGroupBox *>(widget)) {
            if (metrics.horizontalAdvance(frame->title()) > frame->width())
                cut(frame, frame->title());
        } else if (auto *list = qobject_cast<FitComboBox *>(widget)) {
            QStyleOptionComboBox option;
            option.initFrom(list);
            const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
            for (int i = 0; i < list->count(); ++i)
                if (QFontMetricsF(list->fontFor(list->itemText(i)), list).horizontalAdvance(list->itemText(i)) > field.width() - 2)
                    cut(list, list->itemText(i));
        } else if (auto *label = qobject_cast<QLabel *>(widget); label && !label->text().isEmpty()) {
            // A slogan may run past the banner box, which clips it there, but not its text.
            const int width = label->objectName() == QLatin1String("Label5") && label->parentWidget()->objectName() == QLatin1String("Picture1")
                ? label->parentWidget()->width() - label->x()
                : box.width();
            bool fits = label->wordWrap() ? label->heightForWidth(box.width()) <= box.height()
                                          : metrics.boundingRect(QRect(0, 0, width, 10000), int(label->alignment()), label->text()).width() <= width;
            for (const QString &word : label->text().split(QRegularExpression(QStringLiteral("\\s+"))))
                fits = fits && metrics.horizontalAdvance(word) <= width;
            if (!fits)
                cut(label, label->text());
        }
    }
    if (auto *main = qobject_cast<MainWindow *>(window)) {
        const QString heading = main->banner().heading();
        const QWidget *box = main->findChild<QWidget *>(QStringLiteral("Picture1"));
        if (QFontMetrics(layoutFont("Times New Roman", 18.0, true)).horizontalAdvance(heading) > box->width())
            cut(box, heading);
    }
    return found;
}


// A device that keeps the runs of text drawn on it, each with where it starts.
class TextRecorder : public QPaintDevice {
public:
    struct Run {
        qreal x;
        QString text;
        QFont font;
    };
    explicit TextRecorder(const QWidget *widget) : widget_(widget) {}
    QPaintEngine *paintEngine() const override { return &engine_; }
    const QList<Run> &runs() const { return engine_.runs; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return widget_->width();
        case PdmHeight: return widget_->height();
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        case PdmDpiX:
        case PdmPhysicalDpiX: return widget_->logicalDpiX();
        case PdmDpiY:
        case PdmPhysicalDpiY: return widget_->logicalDpiY();
        default: return 0;
        }
    }

private:
    struct Engine : QPaintEngine {
        Engine() : QPaintEngine(AllFeatures) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawPath(const QPainterPath &) override {}
        void drawTextItem(const QPointF &p, const QTextItem &item) override { runs.append({p.x(), item.text(), item.font()}); }
        Type type() const override { return User; }
        QList<Run> runs;
    };
    const QWidget *widget_;
    mutable Engine engine_;
};

} // namespace

class ScalingTest : public QObject {
    Q_OBJECT
private slots:
    void layoutAndPicturesFollowTheScale()
    {
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        QCOMPARE(d.window->devicePixelRatioF(), scale());
        QCOMPARE(d.window->centralWidget()->size(), QSize(719, 501));
        QCOMPARE(d.child("Option1_2")->geometry(), twipsRect(600, 2520, 8895, 495));
        const QImage shot = d.window->grab().toImage();
        QCOMPARE(shot.size(), (QSizeF(d.window->size()) * scale()).toSize());
        save(d.window.get(), QStringLiteral("scaled-200-startup"));

        // The marks, drawn when a verdict first shows them: a wrong answer shows both.
        d.click("Command2");
        d.answerCurrent(false);
        d.dialogs.willAnswer(true);
        d.click("Command6");
        for (const char *name : {"Image1", "Image2"}) {
            QVERIFY(d.visible(name));
            const QPixmap pixmap = d.child<QLabel>(name)->pixmap();
            QCOMPARE(pixmap.devicePixelRatio(), scale());
            QCOMPARE(pixmap.deviceIndependentSize().toSize(), d.child(name)->size());
        }
    }

    // The longest question fits its two lines, and every choice of the bank shows whole on its
    // one line, in either language, in this platform's fonts: in the designed size, or in a
    // smaller one that stays readable.
    void longestTextsFit_data()
    {
        QTest::addColumn<Language>("language");
        QTest::newRow("English") << Language::English;
        QTest::newRow("French") << Language::French;
    }
    void longestTextsFit()
    {
        QFETCH(Language, language);
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random, nullptr, language);
        d.click("Command2");
        d.showLongestTexts();
        auto *label = d.child<QLabel>("Label1");
        QVERIFY(label->heightForWidth(label->width()) <= label->height());
        QRadioButton *answer = d.option(3);
        const QFont designed = answer->font();
        const QuestionBank &bank = d.window->bank();
        for (size_t q = 1; q <= static_cast<size_t>(bank.questionCount); ++q) {
            for (size_t c = 1; c <= 4; ++c) {
                answer->setText(QStringLiteral("D.  ") + QString::fromStdString(bank.choiceText[q][c]));
                fitToWidth(answer, designed);
                QVERIFY2(answer->sizeHint().width() <= answer->width(), qPrintable(answer->text()));
                QVERIFY2(answer->font().pointSizeF() >= 8.0, qPrintable(answer->text()));
            }
        }
        d.showLongestTexts();
        if (language == Language::French)
            save(d.window.get(), QStringLiteral("fr-scaled-200-longest-texts"));
        else
            save(d.window.get(), QStringLiteral("scaled-200-longest-texts"));
    }

    // Every caption of every window fits its control, in both languages, at this scale: the
    // main window before, during and after a test with the banner's longest lines, and the
    // result, About and order windows.
    void everyCaptionFits_data()
    {
        QTest::addColumn<Language>("language");
        QTest::newRow("English") << Language::English;
        QTest::newRow("French") << Language::French;
    }
    void everyCaptionFits()
    {
        QFETCH(Language, language);
        test::MemoryStore store;
        store.write("Lumbra", "aaa", "redo", "1");
        test::ScriptedRandom random;
        MainWindowDriver d(store, random, nullptr, language);
        QStringList found = clipped(d.window.get());
        d.chooseSize(5); // the longest entry shown
        d.click("Command2");
        for (int tick = 0; tick < 12; ++tick)
            d.window->banner().onTick();
        found << clipped(d.window.get());
        d.dialogs.onModal = [&found](QDialog &dialog) {
            dialog.show();
            found << clipped(&dialog);
            if (dialog.objectName() == QLatin1String("Form4")) {
                // The line before the address ends before the address starts.
                const auto *hint = dialog.findChild<QLabel *>(QStringLiteral("Label3"));
                const auto *address = dialog.findChild<QLabel *>(QStringLiteral("Label4"));
                if (hint->x() + hint->fontMetrics().horizontalAdvance(hint->text().trimmed()) >= address->x())
                    found << QStringLiteral("Label3 runs into the address: ") + hint->text();
            }
        };
        d.dialogs.willAnswer(true);
        d.click("Command6");
        d.window->showAboutWindow();
        d.window->showPurchaseWindow();
        if (language == Language::French)
            save(d.window.get(), QStringLiteral("fr-scaled-200-finished"));
        for (int tick = 12; tick < 392; ++tick) { // every slogan and the closing heading
            d.window->banner().onTick();
            if (tick % 28 == 9)
                found << clipped(d.window.get());
        }
        found.removeDuplicates();
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1String(" | "))));
    }

    // Every caption of the command rows shows every word inside its button, in the layout's font,
    // in wider ones and in captions longer than the English ones, and the buttons keep their places.
    void captionsFitTheirButtons_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<qreal>("points");
        QTest::addColumn<QStringList>("captions");
        const QStringList own;
        const QStringList french = {QStringLiteral("&Commencer le test"), QStringLiteral("&Refaire les questions manquées"),
                                    QStringLiteral("&Effacer l’historique des erreurs"), QStringLiteral("Centre d’&information"),
                                    QStringLiteral("&Acheter le disque compact"), QStringLiteral("&Précédent"),
                                    QStringLiteral("&Suivant"), QStringLiteral("&Terminer")};
        for (const char *family : {"Liberation Sans", "DejaVu Sans", "Tahoma"}) {
            QTest::addRow("%s", family) << QString::fromLatin1(family) << 8.25 << own;
            QTest::addRow("%s, large", family) << QString::fromLatin1(family) << 12.0 << own;
            QTest::addRow("%s, French", family) << QString::fromLatin1(family) << 8.25 << french;
        }
    }
    void captionsFitTheirButtons()
    {
        QFETCH(QString, family);
        QFETCH(qreal, points);
        QFETCH(QStringList, captions);
        QFont font(family);
        font.setPointSizeF(points);
        if (QFontInfo(font).family() != family)
            QSKIP(qPrintable(QStringLiteral("not installed here; %1 would stand in").arg(QFontInfo(font).family())));
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        d.window->setFont(font);
        const struct {
            const char *name;
            QRect place;
        } row[] = {{"Command2", twipsRect(4080, 120, 1095, 495)}, {"Command7", twipsRect(5280, 120, 1335, 495)},
                   {"Command8", twipsRect(6720, 120, 1215, 495)}, {"Command10", twipsRect(8040, 120, 1095, 495)},
                   {"Command11", twipsRect(9240, 120, 1095, 495)}, {"Command3", twipsRect(600, 4680, 975, 375)},
                   {"Command4", twipsRect(1920, 4680, 975, 375)},   {"Command6", twipsRect(8040, 4680, 1095, 375)}};
        for (size_t i = 0; i < std::size(row); ++i) {
            auto *button = d.child<WrapButton>(row[i].name);
            if (!captions.isEmpty())
                button->setText(captions[static_cast<qsizetype>(i)]);
            const WrapButton::CaptionLayout &caption = button->captionLayout();
            const QString what = QStringLiteral("%1 \"%2\"").arg(QLatin1String(row[i].name), button->text());
            QCOMPARE(button->geometry(), row[i].place);
            QVERIFY2(button->rect().contains(caption.area), qPrintable(what));
            // The same font, in its own size or a smaller one.
            QCOMPARE(QFontInfo(caption.font).family(), family);
            QVERIFY(caption.font.pointSizeF() <= points);
            // Every word whole, on one line.
            QCOMPARE(caption.lines.join(QLatin1Char(' ')), button->text().simplified());
            const QFontMetricsF metrics(caption.font, button);
            for (const QString &line : caption.lines)
                QVERIFY2(metrics.horizontalAdvance(withoutMnemonic(line)) <= caption.area.width(), qPrintable(what + line));
            QVERIFY2(metrics.lineSpacing() * static_cast<qreal>(caption.lines.size()) <= caption.area.height(), qPrintable(what));
        }
    }

    // The blank after an answer's leading "A" is drawn as wide as a word space, and nothing else
    // of the answer moves: the text before it stands where it did, the text after it only shifts.
    void wordSpaceAfterLoneA_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addRow("serif of the answers") << QString();
        QTest::addRow("DejaVu Serif") << QStringLiteral("DejaVu Serif");
    }
    void wordSpaceAfterLoneA()
    {
        QFETCH(QString, family);
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        d.click("Command2");
        QRadioButton *answer = d.option(1);
        if (!family.isEmpty()) {
            QFont font = answer->font();
            font.setFamily(family);
            answer->setFont(font);
        }
        const QString text = QStringLiteral("B.  A constitutional monarchy and a parliamentary democracy.");
        answer->setText(text);
        TextRecorder recorder(answer);
        answer->render(&recorder);

        QString drawn;
        QList<qreal> x; // where each character of the text is drawn
        for (const TextRecorder::Run &run : recorder.runs()) {
            QTextLayout layout(run.text, run.font, &recorder);
            layout.beginLayout();
            const QTextLine line = layout.createLine();
            layout.endLayout();
            for (int i = 0; i < run.text.size(); ++i)
                x.append(run.x + line.cursorToX(i));
            drawn += run.text;
        }
        QCOMPARE(drawn, text);
        // The text unbroken, kerned throughout.
        const QFont font = recorder.runs().constFirst().font;
        QTextLayout whole(text, font, &recorder);
        whole.beginLayout();
        const QTextLine line = whole.createLine();
        whole.endLayout();

        const int a = 4;
        const int c = 6;
        const QFontMetricsF metrics(font, &recorder);
        QCOMPARE(x[c] - x[a] - metrics.horizontalAdvance(QStringLiteral("A")), metrics.horizontalAdvance(QLatin1Char(' ')));
        for (int i = 1; i <= a; ++i)
            QCOMPARE(x[i] - x[0], line.cursorToX(i) - line.cursorToX(0));
        for (int i = c + 1; i < text.size(); ++i)
            QCOMPARE(x[i] - x[c], line.cursorToX(i) - line.cursorToX(c));
    }

    void marksStayVisibleOnEveryPalette_data()
    {
        QTest::addColumn<QColor>("window");
        QTest::addColumn<QColor>("text");
        QTest::newRow("light") << QColor(0xef, 0xef, 0xef) << QColor(Qt::black);
        QTest::newRow("dark") << QColor(0x20, 0x22, 0x26) << QColor(0xe0, 0xe0, 0xe0);
        QTest::newRow("high contrast") << QColor(Qt::black) << QColor(Qt::yellow);
    }
    void marksStayVisibleOnEveryPalette()
    {
        QFETCH(QColor, window);
        QFETCH(QColor, text);
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        d.window->setPalette(darkPalette(window, text));
        d.click("Command2");
        d.answerCurrent(false);
        d.dialogs.willAnswer(true);
        d.click("Command6");
        d.window->banner().onTick();
        const QImage shot = d.window->grab().toImage();
        const auto area = [&](const char *name) {
            const QWidget *widget = d.child(name);
            const QRect logical(widget->mapTo(d.window.get(), QPoint(0, 0)), widget->size());
            return shot.copy(QRect((QPointF(logical.topLeft()) * scale()).toPoint(), (QSizeF(logical.size()) * scale()).toSize()));
        };
        // Each mark shows a good share of red over whatever lies behind it.
        QVERIFY(redPixels(area("Image2")) > 20 * scale() * scale());
        QVERIFY(redPixels(area("Image1")) > 30 * scale() * scale());
        // The banner keeps its own white box.
        const QImage box = area("Picture1");
        QCOMPARE(box.pixelColor(box.width() - 3, 3), QColor(Qt::white));
        if (window == QColor(0x20, 0x22, 0x26))
            save(d.window.get(), QStringLiteral("scaled-200-dark-finished"));
    }
};

QTEST_MAIN(ScalingTest)
#include "scaling_test.moc"
