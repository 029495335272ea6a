// The yardstick for Brightwell's start-up: a plain Qt window with as many widgets as
// Brightwell's main window, as many of them shown, and the same fixed size, but none of
// Brightwell's own work (no question bank, no history, no pictures, no fonts of its own).
//
// Usage: bare_window WIDGETS VISIBLE WIDTH HEIGHT
//   WIDGETS  the number of widgets under the main window (findChildren<QWidget *>(), which
//            counts the menu bar and its menu as well)
//   VISIBLE  how many of them are visible once the window is shown
//   WIDTH, HEIGHT  the window's fixed size in pixels
// Linked with first_paint_probe.cpp, which reports the first paint and ends the program.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

int argument(char **argv, int index)
{
    return std::atoi(argv[index]);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 5) {
        std::fputs("usage: bare_window WIDGETS VISIBLE WIDTH HEIGHT\n", stderr);
        return 2;
    }
    const int widgets = argument(argv, 1);
    const int visible = argument(argv, 2);
    const int width = argument(argv, 3);
    const int height = argument(argv, 4);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("BareWindow"));

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    // A menu bar with one menu of three commands, as the program has.
    QMenu *menu = window.menuBar()->addMenu(QStringLiteral("&About"));
    menu->addAction(QStringLiteral("Order a &CD"));
    menu->addAction(QStringLiteral("&Other Info"));
    menu->addAction(QStringLiteral("E&xit"));
    auto *central = new QWidget;
    window.setCentralWidget(central);

    int have = 0;
    int haveVisible = 0;
    const QList<QWidget *> children = window.findChildren<QWidget *>();
    for (const QWidget *child : children) {
        ++have;
        haveVisible += child->isVisibleTo(&window) ? 1 : 0;
    }
    const int addVisible = visible - haveVisible;
    const int addHidden = (widgets - visible) - (have - haveVisible);

    // The shown widgets: labels, push buttons and plain widgets in turn, on a grid.
    constexpr int cellWidth = 120;
    constexpr int cellHeight = 28;
    const int columns = width / cellWidth > 0 ? width / cellWidth : 1;
    for (int i = 0; i < addVisible; ++i) {
        QWidget *widget = nullptr;
        const QString text = QStringLiteral("Widget %1").arg(i + 1);
        switch (i % 3) {
        case 0:
            widget = new QLabel(text, central);
            break;
        case 1:
            widget = new QPushButton(text, central);
            break;
        default:
            widget = new QWidget(central);
            break;
        }
        widget->setGeometry((i % columns) * cellWidth + 4, (i / columns) * cellHeight + 4, cellWidth - 8,
                            cellHeight - 4);
    }
    // The hidden ones: a hidden holder and the rest inside it.
    if (addHidden == 1) {
        (new QLabel(QStringLiteral("Hidden"), central))->hide();
    } else if (addHidden >= 2) {
        auto *holder = new QWidget(central);
        holder->hide();
        for (int i = 0; i < addHidden - 1; ++i) {
            QWidget *widget = (i % 2 == 0) ? static_cast<QWidget *>(new QLabel(QStringLiteral("Hidden"), holder))
                                           : new QPushButton(QStringLiteral("Hidden"), holder);
            widget->setGeometry(4, i * cellHeight, cellWidth, cellHeight - 4);
        }
    }

    window.setFixedSize(width, height);
    window.show();
    return app.exec();
}
