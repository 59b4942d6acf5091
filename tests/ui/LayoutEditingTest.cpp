#include "ui/LayoutEditing.h"
#include "forms/FrmColor.h"
#include "ui/ControlPanel.h"
#include "ui/UiFixture.h"

namespace tolvane {
namespace {

class LayoutEditingTest : public UiFixture
{
protected:
    LayoutEditingTest() : vcd(player.forms.Vcd()), color(player.forms.Color()), mouse{vcd}
    {
        player.context.log.LogOpen();
        new ControlPanel(player.PanelActions(), vcd); // a child of the window
        vcd.show();
    }

    void OpenColourWindow()
    {
        mouse.Click(*vcd.PicButton[4]);
        ASSERT_TRUE(color.isVisible());
    }

    // Presses `object` at `offset` from its top-left corner, moves the pointer by `by`
    // in four steps and releases it; returns where the pointer ended, in the window.
    QPoint Drag(QWidget& object, QPoint offset, QPoint by)
    {
        const QPoint at = object.mapTo(&vcd, offset);
        QWidget* under = vcd.childAt(at);
        EXPECT_TRUE(under == &object || object.isAncestorOf(under))
            << object.objectName().toStdString();
        mouse.Press(at);
        for (int i = 1; i <= 4; ++i)
            mouse.Move(at + by * i / 4);
        mouse.Release(at + by);
        return at + by;
    }

    QRect Framed() const { return vcd.SelectFrame->geometry().adjusted(2, 2, -2, -2); }

    FrmVCD& vcd;
    FrmColor& color;
    Mouse mouse;
    SkinButton* track = vcd.PicCtl[9];
    SkinButton* knob = vcd.PicCtl[13];
};

TEST_F(LayoutEditingTest, DragsMoveObjectsWithTheGrabPointUnderThePointerAndFrameTheSelection)
{
    OpenColourWindow();
    const QPoint window = vcd.pos();
    // Object dragged, and whether it becomes the selection (a number key does not).
    const std::pair<QWidget*, bool> cases[] = {
        {vcd.PicCtl[4], true}, {vcd.PicButton[1], true}, {vcd.PicNum[3], false},
        {vcd.Label1, true},    {vcd.Label2[0], true},    {vcd.Label3[0], true},
    };
    for (auto [object, selects] : cases) {
        SCOPED_TRACE(object->objectName().toStdString());
        mouse.Click(*vcd.PicCtl[0]);
        ASSERT_EQ(color.Selected, vcd.PicCtl[0]);
        const QPoint before = object->pos();
        const QPoint shadow = vcd.Label3[1]->pos();
        const QPoint end = Drag(*object, QPoint(5, 4), QPoint(20, 7));
        EXPECT_EQ(object->pos(), before + QPoint(20, 7));
        EXPECT_EQ(object->mapFrom(&vcd, end), QPoint(5, 4));
        EXPECT_EQ(color.Selected, selects ? object : vcd.PicCtl[0]);
        EXPECT_TRUE(vcd.SelectFrame->isVisible());
        EXPECT_EQ(Framed(), color.Selected->geometry());
        // The logo's shadow goes with the logo.
        EXPECT_EQ(vcd.Label3[1]->pos(),
                  shadow + (object == vcd.Label3[0] ? QPoint(20, 7) : QPoint()));
        EXPECT_EQ(vcd.pos(), window);
    }
    // The key's digit moves with its key; a key dragged by its digit is grabbed there.
    QLabel& digit = *vcd.LabNum[5];
    digit.setGeometry(4, 3, 20, 14);
    const QPoint key = vcd.PicNum[5]->pos();
    Drag(digit, QPoint(2, 2), QPoint(-11, 6));
    EXPECT_EQ(vcd.PicNum[5]->pos(), key + QPoint(-11, 6));
}

TEST_F(LayoutEditingTest, OutsideEditingModeNothingMovesButTheTimeCursor)
{
    const QList<QWidget*> objects = {vcd.PicButton[1], vcd.PicNum[3], vcd.PicCtl[1], vcd.Label1,
                                     vcd.Label2[0]};
    for (QWidget* object : objects) {
        const QPoint before = object->pos();
        Drag(*object, QPoint(5, 4), QPoint(20, 7));
        EXPECT_EQ(object->pos(), before) << object->objectName().toStdString();
    }
    knob->move(track->x(), knob->y());
    const QPoint at = track->mapTo(&vcd, QPoint(40, 4));
    mouse.Press(at);
    mouse.Move(at + QPoint(30, 9));
    EXPECT_EQ(knob->x(), track->x() + 30);
    EXPECT_EQ(track->pos(), QPoint(22, 326));
    mouse.Release(at + QPoint(30, 9));

    // Closing the colour window ends editing: the frame goes and drags move nothing.
    OpenColourWindow();
    mouse.Click(*vcd.PicButton[1]);
    EXPECT_TRUE(vcd.SelectFrame->isVisible());
    color.Command2->click();
    EXPECT_FALSE(color.isVisible());
    EXPECT_FALSE(vcd.SelectFrame->isVisible());
    const QPoint before = vcd.PicButton[1]->pos();
    Drag(*vcd.PicButton[1], QPoint(5, 4), QPoint(20, 7));
    EXPECT_EQ(vcd.PicButton[1]->pos(), before);
}

TEST_F(LayoutEditingTest, AMoveToTheLastProcessedPointOrWithTwoButtonsHeldDoesNothing)
{
    OpenColourWindow();
    SkinButton& button = *vcd.PicCtl[2];
    const QPoint start = button.pos();
    const QPoint at = button.mapTo(&vcd, QPoint(5, 4));
    mouse.Press(at);
    mouse.Move(at + QPoint(10, 0));
    ASSERT_EQ(button.pos(), start + QPoint(10, 0));
    // The pointer where the last step left it, as the button now lies.
    mouse.Move(button.pos() + QPoint(15, 4));
    EXPECT_EQ(button.pos(), start + QPoint(10, 0));
    mouse.Send(QEvent::MouseMove, at + QPoint(30, 0), Qt::NoButton,
               Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(button.pos(), start + QPoint(10, 0));
    mouse.Move(at + QPoint(30, 0));
    EXPECT_EQ(button.pos(), start + QPoint(30, 0));
    mouse.Release(at + QPoint(30, 0));
}

TEST_F(LayoutEditingTest, TheKnobStaysInItsTrackAndTheTrackTakesItsKnobAndGrooves)
{
    OpenColourWindow();
    const int middle = track->y() + (track->height() - knob->height()) / 2;
    Drag(*knob, QPoint(3, 3), QPoint(2000, -40));
    EXPECT_EQ(knob->pos(), QPoint(track->x() + track->width() - knob->width(), middle));
    Drag(*knob, QPoint(3, 3), QPoint(-100, 0));
    EXPECT_EQ(knob->x(), track->x() + track->width() - knob->width() - 100);

    Drag(*track, QPoint(5, 4), QPoint(-10, -30));
    EXPECT_EQ(track->pos(), QPoint(12, 296));
    EXPECT_EQ(color.Selected, track);
    EXPECT_EQ(knob->y(), track->y() + (track->height() - knob->height()) / 2);
    EXPECT_GE(knob->x(), track->x());
    for (QFrame* groove : vcd.Line1)
        EXPECT_TRUE(track->geometry().contains(groove->geometry()));
}

// Bad input: an object dragged beyond the window stays whole at its edge, so the layout
// saved never holds an object the user cannot reach again.
TEST_F(LayoutEditingTest, ObjectsDraggedOffTheWindowStopWholeAtItsEdge)
{
    OpenColourWindow();
    SkinButton& button = *vcd.PicButton[1];
    Drag(button, QPoint(5, 4), QPoint(2000, 2000));
    EXPECT_EQ(button.pos(), QPoint(vcd.width() - button.width(), vcd.height() - button.height()));
    const QPoint shadow = vcd.Label3[1]->pos() - vcd.Label3[0]->pos();
    Drag(*vcd.Label3[0], QPoint(5, 4), QPoint(-500, -500));
    EXPECT_EQ(vcd.Label3[0]->pos(), QPoint(0, 0));
    EXPECT_EQ(vcd.Label3[1]->pos() - vcd.Label3[0]->pos(), shadow);

    player.context.skin.LayoutFile = "C:\\Tolvane99\\Skin\\Sea.INI";
    color.Command5->click();
    EXPECT_EQ(player.context.ini.ReadIni("功能", "X1"), QString::number(button.x()));
    EXPECT_EQ(player.context.ini.ReadIni("LOGO", "Y0"), "0");
}

TEST_F(LayoutEditingTest, ThePickTakesTheSkinsPixelUnderThePointerOrTheNearestOne)
{
    QImage skin(vcd.size(), QImage::Format_RGB32);
    skin.fill(QColor(20, 20, 20));
    for (int y = 150; y < 160; ++y)
        for (int x = 250; x < 260; ++x)
            skin.setPixel(x, y, qRgb(200, 100, 50));
    vcd.SetPicture(skin);
    const QPoint patch(255, 155);
    ASSERT_EQ(vcd.childAt(patch), nullptr);
    OpenColourWindow();
    for (QScrollBar* bar : color.VScroll1)
        bar->setValue(7);
    auto bars = [&] {
        QList<int> values;
        for (const QScrollBar* bar : color.VScroll1)
            values.append(bar->value());
        return values;
    };

    // No pick without the tick, nor with the natural kind, which disables it.
    mouse.Press(patch);
    mouse.Release(patch);
    EXPECT_EQ(bars(), QList<int>({7, 7, 7, 7}));
    color.Check1->setChecked(true);
    mouse.Press(patch);
    mouse.Release(patch);
    EXPECT_EQ(bars(), QList<int>({7, 7, 7, 7}));
    EXPECT_EQ(vcd.cursor().shape(), Qt::ArrowCursor);

    color.ColorType[1]->click();
    EXPECT_EQ(vcd.cursor().shape(), Qt::BitmapCursor);
    mouse.Press(patch);
    mouse.Release(patch);
    EXPECT_EQ(bars(), QList<int>({-200, -100, -50, 0}));
    EXPECT_EQ(color.FPicColor->palette().color(QPalette::Window), QColor(200, 100, 50));
    EXPECT_EQ(color.Label2[0]->text(), "200");

    // A picture smaller than the window gives its nearest pixel; none, no change.
    QImage small(100, 80, QImage::Format_RGB32);
    small.fill(QColor(1, 2, 3));
    small.setPixel(99, 79, qRgb(10, 20, 30));
    vcd.SetPicture(small);
    mouse.Press(patch);
    mouse.Release(patch);
    EXPECT_EQ(bars(), QList<int>({-10, -20, -30, 0}));
    vcd.SetPicture(QImage());
    mouse.Press(patch);
    mouse.Release(patch);
    EXPECT_EQ(bars(), QList<int>({-10, -20, -30, 0}));
    EXPECT_TRUE(fake.LogTexts().contains("沒有面板圖片,無法抓取顏色"));

    color.Command2->click();
    EXPECT_FALSE(color.Check1->isChecked());
    EXPECT_EQ(vcd.cursor().shape(), Qt::ArrowCursor);
}

} // namespace
} // namespace tolvane
