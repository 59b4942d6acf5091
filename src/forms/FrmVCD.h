#pragma once

#include "forms/BuiltInLayout.h"
#include "forms/ListControls.h"
#include "forms/SkinButton.h"

#include <QPixmap>

#include <QFrame>
#include <QLabel>
#include <QList>
#include <QListWidget>
#include <QTimer>
#include <QWidget>
#include <array>

namespace tolvane {

// The main window: the skin picture shaped into a frameless window and the skinned
// objects on it. It holds the controls only; the procedures that drive them live in
// their subsystems. Every control carries its name as its object name, so that the
// procedures that walk the window's controls by kind can find it.
class VideoControl;

// Sets the colour a label's text is drawn in.
void SetTextColour(QLabel* label, const QColor& colour);
// Centres an icon or label on its button face and brings it to the front.
void CentreOn(QWidget* item, const QWidget* face);

class FrmVCD : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kCtlCount = builtin::kCtlCount;
    static constexpr int kNumCount = builtin::kNumCount;
    static constexpr int kButtonCount = builtin::kButtonCount;
    static constexpr int kTimeLabelCount = builtin::kTimeCount;

    explicit FrmVCD(QWidget* parent = nullptr);

    QList<QLabel*> DeskPic;       // the skin picture array; element 0 is the face
    QLabel* ImageDesk = nullptr;  // the desktop behind a shaped skin
    QList<SkinButton*> PicCtl;    // control panel
    QList<SkinButton*> PicNum;    // number pad
    QList<SkinButton*> PicButton; // function buttons
    QList<MaskBox> PicCtlBak;     // their mask boxes
    QList<MaskBox> PicNumBak;
    QList<MaskBox> PicButtonB;
    QList<QLabel*> ImageButton1;     // icons on the control panel
    QList<QLabel*> ImageButton;      // icons on the function buttons
    QList<QLabel*> LabNum;           // digits on the number pad
    QLabel* Label1 = nullptr;        // text label
    QList<QLabel*> Label2;           // time labels
    std::array<QLabel*, 2> Label3{}; // logo and its shadow
    std::array<QFrame*, 2> Line1{};  // grooves of the position slider
    QLabel* Image1 = nullptr;        // background picture area
    QImage PictBack;                 // the face of the button being pressed
    QImage PicIcon;                  // the buttons' mouse pointer
    DriveListBox Drive1;
    FileListBox FileBMP;             // background pictures
    QTimer* TimerBMP = nullptr;      // background-picture show
    QTimer* Timer1 = nullptr;        // the poll of the time display
    VideoControl* MCIWnd1 = nullptr; // plays every file; made by the player
    QLabel* LabelScan = nullptr;     // hidden scan status
    QList<QPixmap> ImagePause;       // the play button's pictures: play, pause
    QLabel* ImageBack = nullptr;     // picture behind sound-only media
    QLabel* VcdPic = nullptr;        // picture over the video area
    SortedListBox ListFIle;          // hidden: sorts the Video CD track files
    FileListBox File1;               // the current album's music files
    QListWidget* PlayList = nullptr; // hidden check-box list of the albums
    QListWidget* SongList = nullptr; // the lyrics, line by line; shown on request

    // The window's background picture: the skin.
    const QImage& Picture() const { return picture_; }
    void SetPicture(const QImage& picture);

    QFrame* SelectFrame = nullptr; // marks the button the colour window works on

Q_SIGNALS:
    void queryUnload();
    // The mouse on the window's background, in window coordinates.
    void formMouseDown(Qt::MouseButton button, QPoint pos);
    void formMouseMove(Qt::MouseButtons buttons, QPoint pos);
    // A press on the text label.
    void label1MouseDown(Qt::MouseButton button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void CreateButtons();
    void CreateLabels();
    QImage picture_;     // read by button generation
    QPixmap background_; // what is painted
};

} // namespace tolvane
