#include "ui/LayoutEditing.h"

#include "forms/Forms.h"
#include "forms/FrmColor.h"
#include "forms/FrmVCD.h"
#include "skins/ButtonAdjust.h"
#include "skins/ButtonColour.h"
#include "skins/ButtonFaces.h"

#include <QMouseEvent>
#include <cmath>

namespace tolvane {

LayoutEditing::LayoutEditing(Forms& forms, ButtonFaces& faces, ButtonColour& colours, FrmVCD& vcd)
    : forms_(forms), faces_(faces), colours_(colours), vcd_(vcd)
{
    for (QLabel* label : LabelsOf(vcd_))
        label->installEventFilter(this);
}

QList<QLabel*> LayoutEditing::LabelsOf(const FrmVCD& vcd)
{
    QList<QLabel*> labels{vcd.Label1};
    labels += vcd.Label2;
    labels += {vcd.Label3[0], vcd.Label3[1]};
    return labels;
}

bool LayoutEditing::EditingMode() const
{
    return forms_.IsLoaded(Window::Color) && forms_.Color().isVisible();
}

QPointF LayoutEditing::TwipsPerPixel() const
{
    return QPointF(1440.0 / vcd_.logicalDpiX(), 1440.0 / vcd_.logicalDpiY());
}

QPointF LayoutEditing::Pixels(QPointF twips) const
{
    const QPointF per = TwipsPerPixel();
    return QPointF(twips.x() / per.x(), twips.y() / per.y());
}

void LayoutEditing::MouseDown(QPointF at)
{
    grab_ = at;
    last_ = at;
}

void LayoutEditing::MouseMove(QWidget& object, Qt::MouseButtons buttons, QPointF at)
{
    // Outside editing mode only the time cursor moves, by its own rule.
    if (buttons != Qt::LeftButton || !EditingMode() || moving_)
        return;
    if (std::abs(at.x() - last_.x()) + std::abs(at.y() - last_.y()) < 1)
        return;
    moving_ = true;
    const QPoint by = (at - grab_).toPoint();
    // An object dragged against an edge stays there, whole, within reach.
    const QPoint to = ButtonColour::Inside(object.geometry().translated(by), vcd_.size());
    const QPoint moved = to - object.pos();
    object.move(to);
    // The logo's shadow keeps to the logo.
    if (&object == vcd_.Label3[0])
        vcd_.Label3[1]->move(vcd_.Label3[1]->pos() + moved);
    // The slider's track and knob, and the buttons around them, keep the knob within
    // the track.
    if (vcd_.PicCtl.contains(&object))
        faces_.AdjLine();
    last_ = QPointF(at.x(), std::round(at.y()));
    ButtonAdj(vcd_, forms_.Color(), true);
    moving_ = false;
}

void LayoutEditing::Label_MouseDown(QLabel& label, Qt::MouseButton button, QPointF twips)
{
    if (button != Qt::LeftButton)
        return;
    MouseDown(Pixels(twips));
    if (EditingMode())
        colours_.Select(&label, nullptr);
}

void LayoutEditing::Label_MouseMove(QLabel& label, Qt::MouseButtons buttons, QPointF twips)
{
    MouseMove(label, buttons, Pixels(twips));
}

QLabel* LayoutEditing::LabelOf(QObject* watched) const
{
    QLabel* label = qobject_cast<QLabel*>(watched);
    return LabelsOf(vcd_).contains(label) ? label : nullptr;
}

// In editing mode the labels' presses and moves are the editor's alone: they neither
// act on the label nor drag the window.
bool LayoutEditing::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove)
        return false;
    QLabel* label = LabelOf(watched);
    if (!label)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPointF per = TwipsPerPixel();
    const QPointF twips(mouse->position().x() * per.x(), mouse->position().y() * per.y());
    if (type == QEvent::MouseButtonPress)
        Label_MouseDown(*label, mouse->button(), twips);
    else
        Label_MouseMove(*label, mouse->buttons(), twips);
    return EditingMode();
}

} // namespace tolvane
