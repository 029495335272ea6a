#include "app/dialogs.h"

#include <QDialog>
#include <QMessageBox>

namespace bw {

namespace {

int ask(QWidget *parent, const QString &text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton defaultButton)
{
    // Texts carry CR LF line breaks; a label breaks lines on LF alone.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kAppTitle), shown, buttons, parent);
    box.setDefaultButton(defaultButton);
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

} // namespace

bool MessageBoxDialogs::askYesNo(QWidget *parent, const QString &text)
{
    return ask(parent, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

bool MessageBoxDialogs::askOkCancel(QWidget *parent, const QString &text)
{
    return ask(parent, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
}

void MessageBoxDialogs::tell(QWidget *parent, const QString &text)
{
    ask(parent, text, QMessageBox::Ok, QMessageBox::Ok);
}

void MessageBoxDialogs::runModal(QDialog &dialog)
{
    dialog.exec();
}

} // namespace bw
