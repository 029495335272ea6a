#include "app/fit_combo_box.h"

#include <QFontMetricsF>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace bw {

int FitComboBox::fieldWidth() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    // The style draws the entry one pixel in from each side of its field.
    return style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this).width() - 2;
}

QFont FitComboBox::fontFor(const QString &entry) const
{
    // Below this the entry is left to overflow rather than shrink to nothing.
    constexpr qreal kStepPoints = 0.25;
    constexpr qreal kSmallestPoints = 4.0;
    QFont font = this->font();
    const qreal width = fieldWidth();
    if (font.pointSizeF() <= 0)
        return font; // sized in pixels: left as it is
    while (QFontMetricsF(font, this).horizontalAdvance(entry) > width && font.pointSizeF() > kSmallestPoints)
        font.setPointSizeF(font.pointSizeF() - kStepPoints);
    return font;
}

void FitComboBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.setFont(fontFor(option.currentText));
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

} // namespace bw
