#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QWidget>

namespace tolvane {

// The small progress window of long skin work: a caption and a bar.
class FrmProg : public QWidget
{
    Q_OBJECT
public:
    explicit FrmProg(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr; // caption, such as the skin file name
    QLabel* Label2 = nullptr; // the file being worked on
    QProgressBar* ProgressBar1 = nullptr;
};

} // namespace tolvane
