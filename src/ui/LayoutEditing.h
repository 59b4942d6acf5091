#pragma once

#include <QList>
#include <QObject>
#include <QPointF>

class QLabel;

namespace tolvane {

class ButtonColour;
class ButtonFaces;
class Forms;
class FrmVCD;

// Moving the main window's skinned objects by hand while the button colour window is
// open: a press selects and frames an object, a drag with the left button moves it
// and keeps the point where it was grabbed under the pointer. The layout lives in the
// objects until the colour window saves it.
class LayoutEditing : public QObject
{
    Q_OBJECT
public:
    LayoutEditing(Forms& forms, ButtonFaces& faces, ButtonColour& colours, FrmVCD& vcd);

    // The button colour window is open.
    bool EditingMode() const;

    // A left press on a button: where it was grabbed, in the button's pixels.
    void MouseDown(QPointF at);
    // The pointer moved over an object, at a point in the object's pixels.
    void MouseMove(QWidget& object, Qt::MouseButtons buttons, QPointF at);

    // The labels report the pointer in twips, as the window measures them.
    void Label_MouseDown(QLabel& label, Qt::MouseButton button, QPointF twips);
    void Label_MouseMove(QLabel& label, Qt::MouseButtons buttons, QPointF twips);
    // Twips per pixel across and down.
    QPointF TwipsPerPixel() const;

    // The labels an editor moves: the text label, the time labels and the logo.
    static QList<QLabel*> LabelsOf(const FrmVCD& vcd);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointF Pixels(QPointF twips) const;
    QLabel* LabelOf(QObject* watched) const;

    Forms& forms_;
    ButtonFaces& faces_;
    ButtonColour& colours_;
    FrmVCD& vcd_;
    QPointF grab_;        // the pointer within the object at the last left press
    QPointF last_;        // where the last processed move ended
    bool moving_ = false; // a move step is being carried out
};

} // namespace tolvane
