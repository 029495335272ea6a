#pragma once

#include <QDialog>

namespace bw {

class ShellPlatform;

inline constexpr const char *kPurchaseText =
    QT_TRANSLATE_NOOP("bw::PurchaseWindow", "Brightwell is about to take you to its online order page, where you can "
                                            "buy this software on CD. Please make sure your computer is connected to "
                                            "the Internet, then press the GO button.");

// Form5, "Purchase a CD": says where GO leads and opens the order page. The window stays
// open after GO; Cancel or Esc closes it. One is made for every showing.
class PurchaseWindow : public QDialog {
    Q_OBJECT
public:
    PurchaseWindow(QWidget *parent, ShellPlatform &shell);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void openOrderPage();

    ShellPlatform &shell_;
};

} // namespace bw
