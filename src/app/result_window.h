#pragma once

#include <QDialog>

class QLabel;

namespace bw {

// "Test Result": the question total, the number correct and the percentage of a finished
// test, written as the program's language writes it. One is made for every showing.
class ResultWindow : public QDialog {
    Q_OBJECT
public:
    ResultWindow(QWidget *parent, int total, int correct);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    int total_;
    int correct_;
};

} // namespace bw
