#pragma once

#include "widgets/layout.h"

#include <QDialog>

namespace bw {

// The frame of the program's modal windows: a title bar with a close button only.
inline constexpr Qt::WindowFlags kFixedDialogFlags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint
                                                     | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                                                     | Qt::CustomizeWindowHint;

// Names a modal window of fixed client size and gives it its owner's icon and the font of the
// main window's controls.
inline void setUpFixedDialog(QDialog &dialog, const char *name, const QString &title, QSize clientSize)
{
    dialog.setObjectName(QString::fromLatin1(name));
    dialog.setFont(defaultWindowFont());
    dialog.setWindowTitle(title);
    dialog.setModal(true);
    if (const QWidget *owner = dialog.parentWidget())
        dialog.setWindowIcon(owner->windowIcon());
    dialog.setFixedSize(clientSize);
}

} // namespace bw
