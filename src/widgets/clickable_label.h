#pragma once

#include <QLabel>

namespace bw {

// Whether a mouse release completes a left-button click on the widget: released inside it.
bool isClickRelease(const QWidget &widget, const QMouseEvent &event);

// A label that reports a left-button click (the release of a press that began on it, inside
// it), for text and pictures that act as links.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace bw
