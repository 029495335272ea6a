#pragma once

#include <QPushButton>

namespace bw {

// A push button whose caption breaks onto a second line when it is wider than the button,
// as the command row's longer captions need to.
class WrapButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace bw
