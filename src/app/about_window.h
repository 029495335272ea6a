#pragma once

#include <QDialog>
#include <QString>

namespace bw {

class ShellPlatform;

// The texts of the About window, in English; the window shows them translated.
inline constexpr const char *kAboutNameText =
    QT_TRANSLATE_NOOP("bw::AboutWindow", "Brightwell V4.38  (c) Brightwell Software. All rights reserved.");
inline constexpr const char *kAboutHintsText =
    QT_TRANSLATE_NOOP("bw::AboutWindow", "For more hints about the Canadian citizenship test, please visit: ");
inline constexpr const char *kAboutMoreInfoText = QT_TRANSLATE_NOOP(
    "bw::AboutWindow", "Click on the 'More Info' button for other good stuffs that you may be interested in.");

// Label2's text, exactly, in the installed language; its three lines are separated by CR LF.
QString aboutFeedbackText();

// Form4, "About": the program's name and maker, where to send feedback, and the way to the
// home page. One is made for every showing; OK or Esc closes it.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow(QWidget *parent, ShellPlatform &shell);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void openHomePage();

    ShellPlatform &shell_;
};

} // namespace bw
