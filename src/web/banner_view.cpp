#include "web/banner_view.h"

#include "widgets/layout.h"
#include "widgets/pictures.h"
#include "widgets/twips.h"
#include "web/addresses.h"
#include "widgets/clickable_label.h"
#include "web/web_launcher.h"

#include <QLabel>
#include <algorithm>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QTimer>

namespace bw {

namespace {

// The strip the banner occupies, in twips.
constexpr double kStripLeft = 480;
constexpr double kStripTop = 6360;
constexpr double kStripWidth = 9855;
constexpr double kStripHeight = BannerMachine::kBoxHeight;

constexpr int kFirstTickDelay = 4000; // ms from construction to the first tick

// The slogan's place before the first tick: its height and a margin above the bottom edge.
constexpr double kSloganInitialTop =
    BannerMachine::kBoxHeight - BannerMachine::kSloganHeight - 100;

void paintWhite(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::white);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

BannerBox::BannerBox(QWidget *parent)
    : QWidget(parent)
    , headingFont_(layoutFont("Times New Roman", 18.0, true))
{
    // The box paints every pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BannerBox::setHeading(const QString &heading)
{
    if (heading == heading_)
        return;
    heading_ = heading;
    update();
}

void BannerBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    if (heading_.isEmpty())
        return;
    painter.setFont(headingFont_);
    painter.setPen(QColor(0xFF, 0x00, 0x00));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, heading_);
}

void BannerBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (isClickRelease(*this, *event)) {
        event->accept();
        emit clicked();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

BannerView::BannerView(QWidget *host, ShellPlatform &shell)
    : shell_(shell)
{
    const QRect strip = twipsRect(kStripLeft, kStripTop, kStripWidth, kStripHeight);

    // The white strip that stays behind the wordmark while the box is hidden.
    strip_ = place(new QLabel(host), "Label4", strip);
    paintWhite(strip_);

    image_ = place(new ClickableLabel(host), "Image4", twipsRect(480, 6480, 3900, 720));
    image_->setPixmap(picture(QStringLiteral(":/pictures/wordmark.png"), QSize(260, 48), host->devicePixelRatioF()));
    image_->setCursor(Qt::PointingHandCursor);
    connect(image_, &ClickableLabel::clicked, this, &BannerView::openHomePage);

    box_ = place(new BannerBox(host), "Picture1", strip);
    box_->setCursor(Qt::PointingHandCursor);
    box_->hide();
    box_->raise();
    connect(box_, &BannerBox::clicked, this, &BannerView::openSamplePage);

    slogan_ = new ClickableLabel(box_);
    slogan_->setObjectName(QStringLiteral("Label5"));
    slogan_->setFont(layoutFont("Microsoft Sans Serif", 12.0, true));
    paintWhite(slogan_);
    QPalette sloganPalette = slogan_->palette();
    sloganPalette.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xFF));
    slogan_->setPalette(sloganPalette);
    slogan_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    slogan_->setTextFormat(Qt::PlainText);
    // As wide as the box; the box clips what passes its right edge.
    slogan_->setGeometry(twipsRect(BannerMachine::kSloganLeft, kSloganInitialTop, kStripWidth,
                                    BannerMachine::kSloganHeight));
    slogan_->setText(QStringLiteral("Label5"));
    slogan_->setCursor(Qt::PointingHandCursor);
    connect(slogan_, &ClickableLabel::clicked, this, &BannerView::openSamplePage);

    command9_ = place(new QPushButton(QStringLiteral("Command9"), host), "Command9", twipsRect(9600, 2280, 975, 495));
    command9_->hide();
    connect(command9_, &QPushButton::clicked, this,
            [this] { paintHeading(BannerHeading::Title); });

    timer_ = new QTimer(host);
    timer_->setObjectName(QStringLiteral("Timer2"));
    // Qt's default timer may fire up to 5% early, which would bring the box before 4 s and
    // shorten every round; this one keeps its schedule, late at worst.
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setInterval(kFirstTickDelay);
    connect(timer_, &QTimer::timeout, this, &BannerView::onTick);
    timer_->start();
    retranslate();
}

BannerView::~BannerView()
{
    // The timer and widgets are the host's children; take them along if it is still there.
    delete timer_;
    delete command9_;
    delete box_;
    delete image_;
    delete strip_;
}

void BannerView::onTick()
{
    if (!box_ || !timer_)
        return;
    const BannerActions actions = machine_.tick();

    if (actions.setInterval128)
        timer_->setInterval(BannerMachine::kTimerInterval);
    paintHeading(actions.heading);
    if (actions.showBox)
        box_->show();
    if (actions.sloganTop)
        slogan_->move(twips(BannerMachine::kSloganLeft), twips(*actions.sloganTop));
    if (actions.sloganText) {
        // Slots 3 and 6 share their text, and so their translation.
        const auto &lines = machine_.bannerLines;
        const auto found = std::find(lines.begin(), lines.begin() + BannerMachine::kShownLines, *actions.sloganText);
        sloganSlot_ = found == lines.begin() + BannerMachine::kShownLines ? -1 : static_cast<int>(found - lines.begin());
        showSlogan();
    }
    if (actions.hideBox)
        box_->hide();
}

QString BannerView::heading() const
{
    return box_ ? box_->heading() : QString();
}

void BannerView::paintHeading(BannerHeading heading)
{
    if (!box_)
        return;
    switch (heading) {
    case BannerHeading::Unchanged:
        return;
    case BannerHeading::Title:
        box_->setHeading(QString::fromStdString(BannerMachine::titleHeading()));
        break;
    case BannerHeading::Closing:
        box_->setHeading(tr(kBannerClosingHeading));
        break;
    }
    heading_ = heading;
}

void BannerView::showSlogan()
{
    if (!slogan_ || sloganSlot_ < 0)
        return;
    const QString line = tr(kBannerSlogans[static_cast<size_t>(sloganSlot_)]);
    slogan_->setText(line.contains(QLatin1String("%1")) ? line.arg(QString::fromLatin1(kSiteAddress)) : line);
}

void BannerView::retranslate()
{
    if (image_)
        image_->setAccessibleName(tr("Brightwell home page"));
    // The strip the banner is shown on, named for what it holds.
    if (strip_)
        strip_->setAccessibleName(tr("Banner"));
    paintHeading(heading_);
    showSlogan();
}

void BannerView::openSamplePage()
{
    openWebPage(shell_, kSamplePageAddress);
}

void BannerView::openHomePage()
{
    openWebPage(shell_, kHomePageAddress);
}

} // namespace bw
