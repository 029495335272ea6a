#include "widgets/menu_keys.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QShortcut>
#include <QStyleFactory>

namespace bw {

namespace {

// The application's style, but for the one hint that lets a lone Alt take the keyboard into
// the menu bar.
class NoLoneAltStyle : public QProxyStyle {
public:
    NoLoneAltStyle()
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
    {
    }

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == QStyle::SH_MenuBar_AltKeyNavigation)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void keepMenuBarToItsKeys(QMenuBar *bar, QMenu *menu)
{
    auto *style = new NoLoneAltStyle;
    style->setParent(bar);
    bar->setStyle(style);
    // F10 opens the menu wherever the keyboard is in the window.
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), bar->parentWidget() ? bar->parentWidget() : bar);
    f10->setContext(Qt::WindowShortcut);
    QObject::connect(f10, &QShortcut::activated, bar, [bar, menu] { bar->setActiveAction(menu->menuAction()); });
}

} // namespace bw
