#include "app/fixed_window.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace bw {

namespace {

constexpr Qt::WindowStates kEnlarged = Qt::WindowMaximized | Qt::WindowFullScreen;

// Watches the native window of a fixed-size window: the requests made to it (by Qt's own title
// bar, among others) as they are made, and the states the desktop then gives it.
class FixedSizeKeeper : public QObject {
public:
    explicit FixedSizeKeeper(QWidget &window)
        : QObject(&window)
        , window_(window)
    {
        setObjectName(QStringLiteral("fixedSizeKeeper"));
        window.installEventFilter(this);
        watch();
    }

    // Set while a minimised modal window is to be shown again.
    bool reopen = false;
    bool modal = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &window_) {
            if (event->type() == QEvent::Show || event->type() == QEvent::WinIdChange)
                watch();
            else if (event->type() == QEvent::Hide)
                restoreSize();
            // A message box fixes its size again at every layout request, the one that taking
            // off the limit makes among them: it waits until the limit is back.
            else if (event->type() == QEvent::LayoutRequest && lifted_)
                return true;
        } else if (watched == handle_ && event->type() == QEvent::WindowStateChange) {
            settle();
        }
        return false;
    }

private:
    void watch()
    {
        QWindow *handle = window_.windowHandle();
        if (!handle || handle == handle_)
            return;
        if (handle_)
            handle_->removeEventFilter(this);
        handle_ = handle;
        handle->installEventFilter(this);
        connect(handle, &QWindow::windowStateChanged, this, &FixedSizeKeeper::requested);
    }

    // A state asked of the window, before the desktop has answered.
    void requested(Qt::WindowState state)
    {
        if (state == Qt::WindowMinimized && modal) {
            // The request has gone out: the window is shown anew, once the title bar that asked
            // has finished with it.
            QTimer::singleShot(0, this, [this] {
                if (!window_.isVisible())
                    return;
                reopen = true;
                window_.hide();
            });
            return;
        }
        if (!(state & kEnlarged) || !onWayland() || lifted_)
            return;
        // A Wayland compositor that maximises a window ends the program if the window keeps
        // another size: it may take the size it is given until it has asked for its own back.
        fixedMaximum_ = window_.maximumSize();
        lifted_ = true;
        enlargedSeen_ = false;
        normalAsked_ = false;
        window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }

    // The state the desktop has given the window.
    void settle()
    {
        if (handle_->windowStates() & kEnlarged) {
            enlargedSeen_ = true;
            // Asked once the platform has taken the state in: Qt's Wayland platform reports it
            // before it records it, and would not pass on a request to leave a state it does
            // not know the window is in yet.
            QTimer::singleShot(0, this, [this] {
                if (handle_ && (handle_->windowStates() & kEnlarged)) {
                    normalAsked_ = true;
                    handle_->setWindowStates(handle_->windowStates() & ~kEnlarged);
                }
            });
            return;
        }
        // A state that came before the answer to the request (an activation, say) is not the
        // answer: the fixed size comes back once the window has been asked back from the
        // enlarged state and the desktop has answered.
        if (enlargedSeen_ && normalAsked_)
            restoreSize();
    }

    void restoreSize()
    {
        if (!lifted_)
            return;
        lifted_ = false;
        enlargedSeen_ = false;
        normalAsked_ = false;
        window_.setMaximumSize(fixedMaximum_);
        QCoreApplication::postEvent(&window_, new QEvent(QEvent::LayoutRequest));
    }

    QWidget &window_;
    QPointer<QWindow> handle_;
    QSize fixedMaximum_;
    bool lifted_ = false;
    bool enlargedSeen_ = false;
    bool normalAsked_ = false;
};

FixedSizeKeeper *keeperOf(QWidget &window)
{
    auto *keeper = window.findChild<FixedSizeKeeper *>(QStringLiteral("fixedSizeKeeper"), Qt::FindDirectChildrenOnly);
    return keeper ? keeper : new FixedSizeKeeper(window);
}

} // namespace

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void keepFixedSize(QWidget &window)
{
    keeperOf(window);
}

int execModal(QDialog &dialog)
{
    FixedSizeKeeper *keeper = keeperOf(dialog);
    keeper->modal = true;
    for (;;) {
        keeper->reopen = false;
        const int result = dialog.exec();
        if (!keeper->reopen)
            return result;
        // Shown again as it was, not minimised.
        if (QWindow *handle = dialog.windowHandle())
            handle->setWindowStates(Qt::WindowNoState);
    }
}

} // namespace bw
