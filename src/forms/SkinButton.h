#pragma once

#include <QImage>
#include <QLabel>

namespace tolvane {

// A picture box of the skinned window: shows a face picture and reports the mouse.
// `Tag` holds the mask picture's file name the layout gave it.
class SkinButton : public QLabel
{
    Q_OBJECT
public:
    SkinButton(int index, QWidget* parent);

    int Index() const { return index_; }
    QString Tag;

    // The face as an image of the button's size; black where nothing is drawn yet.
    QImage Face() const;
    void SetFace(const QImage& face);

Q_SIGNALS:
    void mouseDown(int index, Qt::MouseButton button, QPoint pos);
    void mouseMove(int index, Qt::MouseButtons buttons, QPoint pos);
    void mouseUp(int index, Qt::MouseButton button, QPoint pos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int index_;
};

// The hidden mask box of a button: the picture that shapes and shades its face.
struct MaskBox
{
    QImage Picture;
    QString Tag; // full path of the mask picture, empty for the built-in one
};

} // namespace tolvane
