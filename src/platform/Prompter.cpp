#include "platform/Prompter.h"

#include <QApplication>
#include <QMessageBox>

namespace tolvane {

void DialogPrompter::Compose(QMessageBox& box, const QString& prompt, int style,
                             const QString& caption)
{
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
        // Enter presses the default button: No when the question asks for it.
        box.setDefaultButton((style & kMbDefButton2) ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
    }
}

int DialogPrompter::MessageBox(const QString& prompt, int style, const QString& caption)
{
    QMessageBox box;
    Compose(box, prompt, style, caption);
    if ((style & 0x0F) == kMbYesNo)
        return box.exec() == QMessageBox::Yes ? kIdYes : kIdNo;
    box.exec();
    return kIdOk;
}

void DialogPrompter::Beep()
{
    QApplication::beep();
}

} // namespace tolvane
