#include "app/purchase_window.h"

#include "app/fixed_dialog.h"
#include "widgets/layout.h"
#include "widgets/twips.h"
#include "web/addresses.h"
#include "web/web_launcher.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>

namespace bw {

PurchaseWindow::PurchaseWindow(QWidget *parent, ShellPlatform &shell)
    : QDialog(parent, kFixedDialogFlags)
    , shell_(shell)
{
    setUpFixedDialog(*this, "Form5", QString(), twipsSize(7350, 2865));

    auto *label = place(new QLabel(this), "Label1", twipsRect(240, 240, 7095, 1335));
    label->setTextFormat(Qt::PlainText);
    label->setFont(layoutFont("MS Sans Serif", 9.75, true));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);

    auto *go = place(new QPushButton(this), "Command1", twipsRect(1440, 1920, 1455, 615));
    go->setDefault(true);
    connect(go, &QPushButton::clicked, this, &PurchaseWindow::openOrderPage);

    auto *cancel = place(new QPushButton(this), "Command2",
                         twipsRect(4800, 2160, 1095, 375));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    go->setFocus();
    retranslate();
}

void PurchaseWindow::retranslate()
{
    setWindowTitle(tr("Purchase a CD"));
    findChild<QLabel *>(QStringLiteral("Label1"))->setText(tr(kPurchaseText));
    findChild<QPushButton *>(QStringLiteral("Command1"))->setText(tr("&GO"));
    findChild<QPushButton *>(QStringLiteral("Command2"))->setText(tr("&Cancel"));
}

void PurchaseWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void PurchaseWindow::openOrderPage()
{
    openWebPage(shell_, kOrderPageAddress);
}

} // namespace bw
