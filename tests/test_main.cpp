#include "platform/CdDisc.h"

#include <QApplication>
#include <gtest/gtest.h>

// Widgets need an application object; tests run on Qt's offscreen platform.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tolvane::QuietCdioLog();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
