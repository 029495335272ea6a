#pragma once

#include "web/banner.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

namespace bw {

class ClickableLabel;
class ShellPlatform;

// The white banner box. Paints its heading itself, so a tick repaints nothing but the box.
class BannerBox : public QWidget {
    Q_OBJECT
public:
    explicit BannerBox(QWidget *parent = nullptr);

    // Clears the box and prints the heading from the top-left corner; an empty text leaves
    // the box clear.
    void setHeading(const QString &heading);
    QString heading() const { return heading_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString heading_;
    QFont headingFont_;
};

// The rotating banner under the main window's controls, and the wordmark that links to the
// home page while the banner rests. Builds its widgets and its timer as children of the host
// (the main window's central widget) and drives them through BannerMachine. The view has no
// parent: its owner deletes it, before or after the host, and it takes its widgets and timer
// along if they are still there. The shell must outlive it.
class BannerView : public QObject {
    Q_OBJECT
public:
    BannerView(QWidget *host, ShellPlatform &shell);
    ~BannerView() override;

    BannerView(const BannerView &) = delete;
    BannerView &operator=(const BannerView &) = delete;

    // The timer's handler; public so a tick can be stepped without waiting.
    void onTick();

    const BannerMachine &machine() const { return machine_; }

    // The heading the box shows now; empty while the box is clear.
    QString heading() const;

    // The slogan, the heading and the picture link's name in the installed language.
    void retranslate();

private:
    void paintHeading(BannerHeading heading);
    void showSlogan();
    void openSamplePage();
    void openHomePage();

    BannerMachine machine_;
    // What the box and the line show, kept to show them again in another language.
    BannerHeading heading_ = BannerHeading::Unchanged;
    int sloganSlot_ = -1;
    ShellPlatform &shell_;
    QPointer<QTimer> timer_;
    QPointer<QLabel> strip_;
    QPointer<ClickableLabel> image_;
    QPointer<BannerBox> box_;
    QPointer<ClickableLabel> slogan_;
    QPointer<QPushButton> command9_;
};

} // namespace bw
