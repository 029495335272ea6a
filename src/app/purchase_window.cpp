#include "app/purchase_window.h"

#include "app/fixed_dialog.h"
#include "app/twips.h"
#include "web/addresses.h"
#include "web/web_launcher.h"

#include <QLabel>
#include <QPushButton>

namespace bw {

PurchaseWindow::PurchaseWindow(QWidget *parent, ShellPlatform &shell)
    : QDialog(parent, kFixedDialogFlags)
    , shell_(shell)
{
    setUpFixedDialog(*this, "Form5", QStringLiteral("Purchase a CD"), twipsSize(7350, 2865));

    auto *label = new QLabel(this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setTextFormat(Qt::PlainText);
    label->setText(QString::fromUtf8(kPurchaseText));
    label->setGeometry(twipsRect(240, 240, 7095, 1335));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(9.75);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);

    auto *go = new QPushButton(QStringLiteral("&GO"), this);
    go->setObjectName(QStringLiteral("Command1"));
    go->setGeometry(twipsRect(1440, 1920, 1455, 615));
    go->setDefault(true);
    connect(go, &QPushButton::clicked, this, &PurchaseWindow::openOrderPage);

    auto *cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    cancel->setGeometry(twipsRect(4800, 2160, 1095, 375));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    go->setFocus();
}

void PurchaseWindow::openOrderPage()
{
    openWebPage(shell_, kOrderPageAddress);
}

} // namespace bw
