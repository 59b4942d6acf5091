#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QWidget>

namespace tolvane {

class DosFiles;
class Settings;

// The read-me window "Tolvane說明檔", shown at start until the user asks not to.
class FrmReadme : public QWidget
{
    Q_OBJECT
public:
    FrmReadme(Settings& settings, const DosFiles& files, QString readmePath,
              QWidget* parent = nullptr);

    QTextEdit* RichTextBox1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;

    // Loads the document when not loaded yet; shows the window when "ReadMe" is 0.
    void FormLoad();
    void Command1Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Settings& settings_;
    const DosFiles& files_;
    QString readmePath_;
    bool loaded_ = false;
};

} // namespace tolvane
