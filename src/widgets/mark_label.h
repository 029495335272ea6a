#pragma once

#include <QLabel>

namespace bw {

// A label that shows a mark (the tick or the cross) beside an answer. Its picture is drawn only
// when the first verdict shows it, yet on the accessibility bus it is a picture from the start:
// a screen reader that met it while it was still empty takes it for a picture, named by its
// verdict, and does not read it out as text among the question's lines.
class MarkLabel : public QLabel {
    Q_OBJECT
public:
    explicit MarkLabel(QWidget *parent);
};

} // namespace bw
