#pragma once

#include "app/ListControls.h"

#include <QLabel>
#include <QList>
#include <QTimer>
#include <QWidget>
#include <array>

namespace tolvane {

// The main window: the skin picture shaped into a frameless window and the skinned
// objects on it. It holds the controls only; the procedures that drive them live in
// their subsystems.
class FrmVCD : public QWidget
{
    Q_OBJECT
public:
    explicit FrmVCD(QWidget* parent = nullptr);

    QList<QLabel*> DeskPic;          // the skin picture array; element 0 is the face
    QLabel* Label1 = nullptr;        // status
    QLabel* Label2 = nullptr;        // text label
    std::array<QLabel*, 2> Label3{}; // logo and its shadow
    QList<QLabel*> LabNum;           // number labels
    QLabel* Image1 = nullptr;        // background picture area
    DriveListBox Drive1;
    FileListBox FileBMP;        // background pictures
    QTimer* TimerBMP = nullptr; // background-picture show

Q_SIGNALS:
    void queryUnload();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace tolvane
