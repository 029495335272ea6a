#include "app/fit_combo_box.h"

#include "app/wrap_button.h"

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
    const int width = fieldWidth();
    FitKey key = fitKey(*this, entry, QSize(width, 0));
    if (fitted_ && fitted_->first == key)
        return fitted_->second;
    const QFont fitting = largestFittingFont(font(), [this, &entry, width](const QFont &candidate) {
        return QFontMetricsF(candidate, this).horizontalAdvance(entry) <= width;
    });
    fitted_.emplace(std::move(key), fitting);
    return fitting;
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
