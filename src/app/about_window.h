#pragma once

#include <QDialog>
#include <QString>

namespace bw {

class ShellPlatform;

// The texts of the About window.
inline constexpr const char *kAboutNameText =
    "Brightwell V4.38  (c) Brightwell Software. All rights reserved.";
inline constexpr const char *kAboutHintsText =
    "For more hints about the Canadian citizenship test, please visit: ";
inline constexpr const char *kAboutMoreInfoText =
    "Click on the 'More Info' button for other good stuffs that you may be interested in.";

// Label2's text, exactly; its three lines are separated by CR LF.
QString aboutFeedbackText();

// Form4, "About": the program's name and maker, where to send feedback, and the way to the
// home page. One is made for every showing; OK or Esc closes it.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow(QWidget *parent, ShellPlatform &shell);

private:
    void openHomePage();

    ShellPlatform &shell_;
};

} // namespace bw
