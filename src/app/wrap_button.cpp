#include "app/wrap_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace bw {

void WrapButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(1, 0, -1, 0);
    int flags = Qt::AlignCenter | Qt::TextWordWrap;
    if (style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this))
        flags |= Qt::TextShowMnemonic;
    else
        flags |= Qt::TextHideMnemonic;
    painter.drawItemText(area, flags, option.palette, isEnabled(), caption, QPalette::ButtonText);
}

} // namespace bw
