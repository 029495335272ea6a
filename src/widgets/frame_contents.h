#pragma once

#include <QWidget>

class QGroupBox;

namespace bw {

// The area inside a captioned frame that holds the frame's controls. It draws nothing. Qt lends a
// frame's caption to every control placed directly in it, as that control's label on the
// accessibility bus and as the name of any control without one, so that a screen reader says
// "Question 1 of 5" before every answer and names an empty line after the frame. Placed in
// between, this area keeps each control to its own name; the caption stays the frame's own.
class FrameContents : public QWidget {
    Q_OBJECT
public:
    // Covers the whole frame.
    explicit FrameContents(QGroupBox *frame);
};

} // namespace bw
