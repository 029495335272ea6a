#include "widgets/word_spaces.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QTextLayout>

namespace bw {

namespace {

// The blanks that follow a one-letter word "A", each as a range of its own that is not kerned:
// the text is shaped in pieces there, so no pair across the blank is kerned either.
QList<QTextLayout::FormatRange> blanksAfterLoneA(const QString &text)
{
    QList<QTextLayout::FormatRange> ranges;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        const bool alone = text[i] == QLatin1Char('A') && (i == 0 || text[i - 1].isSpace());
        if (alone && text[i + 1] == QLatin1Char(' ')) {
            QTextLayout::FormatRange range;
            range.start = static_cast<int>(i + 1);
            range.length = 1;
            range.format.setFontKerning(false);
            ranges.append(range);
        }
    }
    return ranges;
}

} // namespace

WordSpaceStyle::WordSpaceStyle()
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
{
}

void WordSpaceStyle::drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette, bool enabled,
                                  const QString &text, QPalette::ColorRole textRole) const
{
    const QList<QTextLayout::FormatRange> ranges = blanksAfterLoneA(text);
    // Texts with mnemonics, several lines or a dithered disabled look are left to the style.
    const bool plainLine = !text.contains(QLatin1Char('&')) && !text.contains(QLatin1Char('\n'))
        && !(flags & Qt::TextWordWrap) && (enabled || !proxy()->styleHint(SH_DitherDisabledText));
    if (ranges.isEmpty() || !plainLine) {
        QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
        return;
    }

    QTextLayout layout(text, painter->font(), painter->device());
    layout.setFormats(ranges);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    const qreal width = line.naturalTextWidth();
    const qreal height = line.height();
    const Qt::Alignment align = visualAlignment(painter->layoutDirection(),
                                                Qt::Alignment::fromInt(static_cast<Qt::Alignment::Int>(flags)) & (Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask));
    qreal x = rect.left();
    if (align & Qt::AlignRight)
        x = rect.right() + 1 - width;
    else if (align & Qt::AlignHCenter)
        x = rect.left() + (rect.width() - width) / 2;
    qreal y = rect.top();
    if (align & Qt::AlignBottom)
        y = rect.bottom() + 1 - height;
    else if (align & Qt::AlignVCenter)
        y = rect.top() + (rect.height() - height) / 2;

    painter->save();
    if (!(flags & Qt::TextDontClip))
        painter->setClipRect(rect, Qt::IntersectClip);
    const QPen pen = textRole == QPalette::NoRole ? painter->pen() : QPen(palette.brush(textRole), painter->pen().widthF());
    if (!enabled && proxy()->styleHint(SH_EtchDisabledText)) {
        painter->setPen(palette.light().color());
        layout.draw(painter, QPointF(x + 1, y + 1));
    }
    painter->setPen(pen);
    layout.draw(painter, QPointF(x, y));
    painter->restore();
}

} // namespace bw
