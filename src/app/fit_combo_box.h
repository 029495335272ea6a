#pragma once

#include "app/wrap_button.h"

#include <QComboBox>
#include <QFont>
#include <optional>
#include <utility>

namespace bw {

// A pick-only list whose closed box shows the chosen entry whole: an entry wider than the box's
// field is drawn in a smaller size of the list's font, and the box keeps its size. The open list
// shows every entry in the list's own font.
class FitComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    // The font the closed box draws this entry in; the last one found is kept until the entry,
    // the font, the field or the screen's resolution changes.
    QFont fontFor(const QString &entry) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int fieldWidth() const;

    mutable std::optional<std::pair<FitKey, QFont>> fitted_;
};

} // namespace bw
