#include "platform/Prompter.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace tolvane;

// What Enter presses and which buttons a style gives; a question whose Yes destroys
// something asks with the second button as the default.
TEST(DialogPrompter, TheStyleChoosesTheButtonsTheDefaultAndTheIcon)
{
    struct Case
    {
        int style;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton byDefault;
        QMessageBox::Icon icon;
    };
    const Case cases[] = {
        {kMbYesNo | kMbIconQuestion, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes,
         QMessageBox::Question},
        {kMbYesNo | kMbIconQuestion | kMbDefButton2, QMessageBox::Yes | QMessageBox::No,
         QMessageBox::No, QMessageBox::Question},
        {kMbOk | kMbIconStop, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Critical},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        QMessageBox box;
        DialogPrompter::Compose(box, "first\r\nsecond", c.style, "Question");
        EXPECT_EQ(box.standardButtons(), c.buttons);
        ASSERT_NE(box.defaultButton(), nullptr);
        EXPECT_EQ(box.standardButton(box.defaultButton()), c.byDefault);
        EXPECT_EQ(box.icon(), c.icon);
        EXPECT_EQ(box.text(), "first\nsecond");
        EXPECT_EQ(box.windowTitle(), "Question");
    }
}
