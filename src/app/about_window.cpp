#include "app/about_window.h"

#include "app/fixed_dialog.h"
#include "widgets/layout.h"
#include "widgets/twips.h"
#include "web/addresses.h"
#include "widgets/clickable_label.h"
#include "web/web_launcher.h"

#include <QEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace bw {

namespace {

// A plain-text label placed like its siblings: top-left aligned, wrapping at word breaks.
template <typename Label = QLabel>
Label *addLabel(QWidget *window, const char *name, const QString &text, QRect rect, const QFont &font)
{
    auto *label = place(new Label(window), name, rect);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

} // namespace

QString aboutFeedbackText()
{
    return AboutWindow::tr("If this software is helpful for you to prepare for the Canadian citizenship test, please\r\n"
                           "send us an email at:  %1 . Your comments and feedback is greatly welcome.\r\n"
                           "Hope you become a Canadian citizen soon. Good Luck!")
        .arg(QString::fromUtf8(kFeedbackEmail));
}

AboutWindow::AboutWindow(QWidget *parent, ShellPlatform &shell)
    : QDialog(parent, kFixedDialogFlags)
    , shell_(shell)
{
    setUpFixedDialog(*this, "Form4", QString(), twipsSize(9900, 4935));

    // The buttons come first so that OK leads the tab order.
    auto *ok = place(new QPushButton(this), "Command1", twipsRect(6720, 3960, 1575, 495));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *moreInfo = place(new QPushButton(this), "Command2",
                           twipsRect(1320, 3960, 1575, 495));
    connect(moreInfo, &QPushButton::clicked, this, &AboutWindow::openHomePage);

    const QFont text = layoutFont("Times New Roman", 9.75, true);
    addLabel(this, "Label1", QString(), twipsRect(480, 240, 9135, 495),
             layoutFont("Times New Roman", 11.25, true));
    addLabel(this, "Label2", QString(), twipsRect(480, 1080, 9255, 1215), text);
    addLabel(this, "Label3", QString(), twipsRect(480, 2280, 6855, 735), text);

    QFont linkFont = text;
    linkFont.setUnderline(true);
    auto *link = addLabel<ClickableLabel>(this, "Label4", QString::fromUtf8(kSiteAddress),
                                          twipsRect(6000, 2280, 2775, 615), linkFont);
    QPalette linkPalette = link->palette();
    linkPalette.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xFF));
    link->setPalette(linkPalette);
    link->setCursor(Qt::PointingHandCursor);
    connect(link, &ClickableLabel::clicked, this, &AboutWindow::openHomePage);

    addLabel(this, "Label5", QString(), twipsRect(480, 2880, 8895, 735), text);

    setTabOrder(ok, moreInfo);
    ok->setFocus();
    retranslate();
}

void AboutWindow::retranslate()
{
    setWindowTitle(tr("About"));
    const auto label = [this](const char *name) { return findChild<QLabel *>(QLatin1String(name)); };
    const auto button = [this](const char *name) { return findChild<QPushButton *>(QLatin1String(name)); };
    button("Command1")->setText(tr("&OK"));
    button("Command2")->setText(tr("&More Info"));
    label("Label1")->setText(tr(kAboutNameText));
    // The label is given LF line breaks alone; the exact text keeps its CR LF.
    label("Label2")->setText(aboutFeedbackText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    label("Label3")->setText(tr(kAboutHintsText));
    label("Label5")->setText(tr(kAboutMoreInfoText));
}

void AboutWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void AboutWindow::openHomePage()
{
    openWebPage(shell_, kHomePageAddress);
}

} // namespace bw
