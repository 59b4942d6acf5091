#include "platform/CdDisc.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <clocale>
#include <cstdio>
#include <gtest/gtest.h>

// Widgets need an application object; tests run on Qt's offscreen platform.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Files the program moves to the trash go to a trash of the run's own.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    // So do the thumbnails of the pictures it shows.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    QApplication app(argc, argv);
    // A run meant for the user's locale proves it has it: the locale may be missing.
    const QByteArray expected = qgetenv("TOLVANE99_EXPECT_LOCALE");
    const char* locale = std::setlocale(LC_CTYPE, nullptr);
    if (!expected.isEmpty() && expected != locale) {
        std::fprintf(stderr, "the locale is %s, not %s\n", locale, expected.constData());
        return 1;
    }
    tolvane::QuietCdioLog();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
