#include "app/result_window.h"

#include "app/fixed_dialog.h"
#include "app/language.h"
#include "widgets/frame_contents.h"
#include "widgets/layout.h"
#include "widgets/twips.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace bw {

namespace {

QLabel *scoreLabel(QWidget *frame, const char *name, const QString &text, QRect rect, Qt::Alignment alignment)
{
    auto *label = place(new QLabel(text, frame), name, rect);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setFont(layoutFont("MS Sans Serif", 9.75, true));
    return label;
}

} // namespace

ResultWindow::ResultWindow(QWidget *parent, int total, int correct)
    : QDialog(parent, kFixedDialogFlags)
    , total_(total)
    , correct_(correct)
{
    setUpFixedDialog(*this, "Form2", QString(), twipsSize(5640, 4665));

    auto *frame = place(new QGroupBox(this), "Frame1", twipsRect(720, 360, 4095, 3015));
    // The labels sit in the frame's contents area, so that none takes "Score:" for its name.
    auto *inFrame = new FrameContents(frame);

    const Qt::Alignment right = Qt::AlignRight;
    const Qt::Alignment left = Qt::AlignLeft;
    // Each value is labelled by the caption beside it.
    scoreLabel(inFrame, "Label1", QString(), twipsRect(240, 600, 2175, 375), right)
        ->setBuddy(scoreLabel(inFrame, "Label4", QString::number(total), twipsRect(2760, 600, 615, 375), left));
    scoreLabel(inFrame, "Label2", QString(), twipsRect(240, 1320, 2175, 375), right)
        ->setBuddy(scoreLabel(inFrame, "Label5", QString::number(correct), twipsRect(2760, 1320, 615, 375), left));
    scoreLabel(inFrame, "Label3", QString(), twipsRect(600, 2040, 1815, 375), right)
        ->setBuddy(scoreLabel(inFrame, "Label6", QString(), twipsRect(2760, 2040, 1095, 375), left));

    auto *ok = place(new QPushButton(this), "Command1", twipsRect(2040, 3840, 1455, 495));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    retranslate();
}

void ResultWindow::retranslate()
{
    setWindowTitle(tr("Test Result"));
    findChild<QGroupBox *>(QStringLiteral("Frame1"))->setTitle(tr("Score:"));
    findChild<QLabel *>(QStringLiteral("Label1"))->setText(tr("Question Total:"));
    findChild<QLabel *>(QStringLiteral("Label2"))->setText(tr("Correct Questions:"));
    findChild<QLabel *>(QStringLiteral("Label3"))->setText(tr("Percentage:"));
    findChild<QLabel *>(QStringLiteral("Label6"))->setText(localizedPercent(correct_, total_));
    findChild<QPushButton *>(QStringLiteral("Command1"))->setText(tr("OK"));
    // The score, which screen readers say as the window opens, as they say a message box's text.
    QStringList score;
    for (const char *caption : {"Label1", "Label2", "Label3"}) {
        const auto *label = findChild<QLabel *>(QString::fromLatin1(caption));
        score << label->text() + QLatin1Char(' ') + static_cast<QLabel *>(label->buddy())->text();
    }
    setAccessibleDescription(score.join(QStringLiteral(", ")));
}

void ResultWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

} // namespace bw
