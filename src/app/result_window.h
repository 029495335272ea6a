#pragma once

#include <QDialog>

class QLabel;

namespace bw {

// "Test Result": the question total, the number correct and the percentage of a finished
// test. It computes nothing; one is made for every showing.
class ResultWindow : public QDialog {
    Q_OBJECT
public:
    ResultWindow(QWidget *parent, int total, int correct, const QString &percentText);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
};

} // namespace bw
