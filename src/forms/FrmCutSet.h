#pragma once

#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>

namespace tolvane {

// The capture settings window "抓圖參數設定"; only the delay controls are here so far.
class FrmCutSet : public QWidget
{
    Q_OBJECT
public:
    explicit FrmCutSet(QWidget* parent = nullptr);

    QLineEdit* Text8 = nullptr;     // delay in seconds, "0.0"
    QScrollBar* VScroll3 = nullptr; // minus the delay in tenths
};

} // namespace tolvane
