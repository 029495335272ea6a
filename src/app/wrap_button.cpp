#include "app/wrap_button.h"

#include <QFontMetricsF>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace bw {

namespace {

// The caption as drawn: "&&" shows one ampersand, a lone "&" marks the mnemonic and shows nothing.
QString withoutMnemonic(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && ++i == text.size())
            break;
        shown += text[i];
    }
    return shown;
}

// Breaks the caption at blanks into the fewest lines no wider than the width allows; a word
// wider than that takes a line of its own (and the caller finds it does not fit).
QStringList breakIntoLines(const QString &caption, const QFontMetricsF &metrics, qreal width)
{
    QStringList lines;
    const QStringList words = caption.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        if (!lines.isEmpty()) {
            const QString longer = lines.last() + QLatin1Char(' ') + word;
            if (metrics.horizontalAdvance(withoutMnemonic(longer)) <= width) {
                lines.last() = longer;
                continue;
            }
        }
        lines.append(word);
    }
    return lines;
}

bool fits(const QStringList &lines, const QFontMetricsF &metrics, QSizeF area)
{
    for (const QString &line : lines) {
        if (metrics.horizontalAdvance(withoutMnemonic(line)) > area.width())
            return false;
    }
    // Each line takes its height and the font's leading.
    return metrics.lineSpacing() * static_cast<qreal>(lines.size()) <= area.height();
}

} // namespace

FitKey fitKey(const QWidget &widget, const QString &text, QSize space)
{
    return {text, widget.font(), space, widget.logicalDpiX(), widget.logicalDpiY()};
}

QFont largestFittingFont(const QFont &designed, const std::function<bool(const QFont &)> &fits)
{
    constexpr qreal kStepPoints = 0.25;
    constexpr qreal kSmallestPoints = 4.0;
    constexpr int kSmallestPixels = 4;
    QFont font = designed;
    const bool byPixels = font.pointSizeF() <= 0;
    while (!fits(font) && (byPixels ? font.pixelSize() > kSmallestPixels : font.pointSizeF() > kSmallestPoints)) {
        if (byPixels)
            font.setPixelSize(font.pixelSize() - 1);
        else
            font.setPointSizeF(font.pointSizeF() - kStepPoints);
    }
    return font;
}

const WrapButton::CaptionLayout &WrapButton::captionLayout() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(1, 0, -1, 0);
    const QString caption = text();
    FitKey key = fitKey(*this, caption, area.size());
    if (fitted_ && fitted_->first == key && fitted_->second.area == area)
        return fitted_->second;
    QStringList lines;
    const QFont fitting = largestFittingFont(font(), [&](const QFont &candidate) {
        const QFontMetricsF metrics(candidate, this);
        lines = breakIntoLines(caption, metrics, area.width());
        return fits(lines, metrics, area.size());
    });
    fitted_.emplace(std::move(key), CaptionLayout{fitting, lines, area});
    return fitted_->second;
}

void WrapButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const CaptionLayout &caption = captionLayout();
    painter.setFont(caption.font);
    int flags = Qt::AlignCenter;
    if (style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this))
        flags |= Qt::TextShowMnemonic;
    else
        flags |= Qt::TextHideMnemonic;
    painter.drawItemText(caption.area, flags, option.palette, isEnabled(), caption.lines.join(QLatin1Char('\n')),
                         QPalette::ButtonText);
}

void fitToWidth(QAbstractButton *button, const QFont &designed)
{
    button->setFont(largestFittingFont(designed, [button](const QFont &candidate) {
        button->setFont(candidate);
        return button->sizeHint().width() <= button->width();
    }));
}

} // namespace bw
