#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSize>
#include <QWidget>

namespace tolvane {

// The capture settings window "抓圖參數設定": folder, file name, grid, cell size, delay
// and time label. The picture size and the locked aspect ratio follow the fields here;
// what the buttons do belongs to the capture.
class FrmCutSet : public QWidget
{
    Q_OBJECT
public:
    explicit FrmCutSet(QWidget* parent = nullptr);

    // The video whose aspect ratio the locked cell size keeps.
    void SetVideoSize(QSize size) { videoSize_ = size; }

    QLineEdit* Text7 = nullptr; // capture folder
    QPushButton* Command9 = nullptr;
    QLineEdit* Text9 = nullptr;      // file name
    QLineEdit* Text1 = nullptr;      // grid n
    QScrollBar* VScroll1 = nullptr;  // n, up is more
    QLineEdit* Text2 = nullptr;      // cell width
    QLineEdit* Text3 = nullptr;      // cell height
    QCheckBox* Check2 = nullptr;     // lock the aspect ratio
    QLineEdit* Text5 = nullptr;      // picture width, n times the cell's
    QLineEdit* Text6 = nullptr;      // picture height
    QLineEdit* Text8 = nullptr;      // delay in seconds, "0.0"
    QScrollBar* VScroll3 = nullptr;  // minus the delay in tenths
    QCheckBox* Check1 = nullptr;     // time label
    QLineEdit* Text4 = nullptr;      // label font size
    QPushButton* Command2 = nullptr; // OK
    QPushButton* Command3 = nullptr; // Cancel

private:
    void ShowPictureSize();
    void KeepAspect(QLineEdit* edited);

    QSize videoSize_;
};

} // namespace tolvane
