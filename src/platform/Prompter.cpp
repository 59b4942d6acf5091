#include "platform/Prompter.h"

#include <QApplication>
#include <QMessageBox>

namespace tolvane {

int DialogPrompter::MessageBox(const QString& prompt, int style, const QString& caption)
{
    QMessageBox box;
    box.setWindowTitle(caption);
    QString text = prompt;
    text.replace("\r\n", "\n");
    box.setText(text);
    box.setWindowModality(Qt::ApplicationModal);
    switch (style & 0xF0) {
    case kMbIconStop:
        box.setIcon(QMessageBox::Critical);
        break;
    case kMbIconQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case kMbIconExclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case kMbIconInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
    }
    if ((style & 0x0F) == kMbYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? kIdYes : kIdNo;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return kIdOk;
}

void DialogPrompter::Beep()
{
    QApplication::beep();
}

} // namespace tolvane
