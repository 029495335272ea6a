#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace bw {

// The application title, which titles every message box.
inline constexpr const char *kAppTitle = "Brightwell";

// Message boxes and modal windows. The program asks through this seam so that tests can
// answer without a real modal loop.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A Yes/No question, Yes the default. True for Yes.
    virtual bool askYesNo(QWidget *parent, const QString &text) = 0;
    // An OK/Cancel question, OK the default. True for OK.
    virtual bool askOkCancel(QWidget *parent, const QString &text) = 0;
    // A notice with an OK button.
    virtual void tell(QWidget *parent, const QString &text) = 0;
    // Shows a window modally and returns once it is closed.
    virtual void runModal(QDialog &dialog) = 0;
    // The question or notice open over parent, if any, now says text (the language changed
    // while it was open).
    virtual void retext(QWidget *parent, const QString &text)
    {
        (void)parent;
        (void)text;
    }
};

// Leaves the keyboard to a Wayland compositor, which hands it on as windows open and close:
// the program asks for no window to be activated. Called once the application exists.
void leaveActivationToCompositor();

// The real seam: QMessageBox with the application title and no icon, QDialog::exec.
class MessageBoxDialogs : public Dialogs {
public:
    bool askYesNo(QWidget *parent, const QString &text) override;
    bool askOkCancel(QWidget *parent, const QString &text) override;
    void tell(QWidget *parent, const QString &text) override;
    void runModal(QDialog &dialog) override;
    void retext(QWidget *parent, const QString &text) override;
};

} // namespace bw
