#include "app/result_window.h"

#include "app/fixed_dialog.h"
#include "widgets/layout.h"
#include "widgets/twips.h"

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

ResultWindow::ResultWindow(QWidget *parent, int total, int correct, const QString &percentText)
    : QDialog(parent, kFixedDialogFlags)
{
    setUpFixedDialog(*this, "Form2", QStringLiteral("Test Result"), twipsSize(5640, 4665));

    auto *frame = place(new QGroupBox(QStringLiteral("Score:"), this), "Frame1", twipsRect(720, 360, 4095, 3015));

    const Qt::Alignment right = Qt::AlignRight;
    const Qt::Alignment left = Qt::AlignLeft;
    scoreLabel(frame, "Label1", QStringLiteral("Question Total:"), twipsRect(240, 600, 2175, 375), right);
    scoreLabel(frame, "Label4", QString::number(total), twipsRect(2760, 600, 615, 375), left);
    scoreLabel(frame, "Label2", QStringLiteral("Correct Questions:"), twipsRect(240, 1320, 2175, 375), right);
    scoreLabel(frame, "Label5", QString::number(correct), twipsRect(2760, 1320, 615, 375), left);
    scoreLabel(frame, "Label3", QStringLiteral("Percentage:"), twipsRect(600, 2040, 1815, 375), right);
    scoreLabel(frame, "Label6", percentText, twipsRect(2760, 2040, 1095, 375), left);

    auto *ok = place(new QPushButton(QStringLiteral("OK"), this), "Command1", twipsRect(2040, 3840, 1455, 495));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace bw
