#pragma once

#include <QString>

class QMessageBox;
class QWidget;

namespace tolvane {

// Message box styles and answers, as the system numbers them.
enum MessageStyle {
    kMbOk = 0,
    kMbYesNo = 4,
    kMbIconStop = 16,
    kMbIconQuestion = 32,
    kMbIconExclamation = 48,
    kMbIconInformation = 64,
    kMbDefButton2 = 0x100, // the second button (No of Yes/No) is the default
};
enum MessageAnswer { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

// Every message box goes through here, so tests can script the answers.
class Prompter
{
public:
    virtual ~Prompter() = default;
    // Shows the prompt application-modal; returns the pressed button's code.
    virtual int MessageBox(const QString& prompt, int style, const QString& caption) = 0;
    virtual void Beep() = 0;
};

class DialogPrompter : public Prompter
{
public:
    int MessageBox(const QString& prompt, int style, const QString& caption) override;
    void Beep() override;

    // Sets up the box a prompt shows in: text, caption, icon and buttons.
    static void Compose(QMessageBox& box, const QString& prompt, int style, const QString& caption);
};

} // namespace tolvane
