#include "app/result_window.h"

#include "app/fixed_dialog.h"
#include "app/language.h"
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

    const Qt::Alignment right = Qt::AlignRight;
    const Qt::Alignment left = Qt::AlignLeft;
    scoreLabel(frame, "Label1", QString(), twipsRect(240, 600, 2175, 375), right);
    scoreLabel(frame, "Label4", QString::number(total), twipsRect(2760, 600, 615, 375), left);
    scoreLabel(frame, "Label2", QString(), twipsRect(240, 1320, 2175, 375), right);
    scoreLabel(frame, "Label5", QString::number(correct), twipsRect(2760, 1320, 615, 375), left);
    scoreLabel(frame, "Label3", QString(), twipsRect(600, 2040, 1815, 375), right);
    scoreLabel(frame, "Label6", QString(), twipsRect(2760, 2040, 1095, 375), left);

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
}

void ResultWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

} // namespace bw
