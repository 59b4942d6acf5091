// Writes the program's icon into an icon theme folder, one PNG a size:
//   write_icons DIR SIZE... -> DIR/hicolor/<size>x<size>/apps/tolvane99.png
#include "app/AppIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: write_icons DIR SIZE...\n");
        return 2;
    }
    for (const QString& text : args.mid(2)) {
        bool ok = false;
        const int size = text.toInt(&ok);
        if (!ok || size < 8) {
            std::fprintf(stderr, "not a size: %s\n", qPrintable(text));
            return 2;
        }
        const QString folder = QString("%1/hicolor/%2x%2/apps").arg(args[1]).arg(size);
        if (!QDir().mkpath(folder) ||
            !tolvane::AppIconPixmap(size).save(folder + "/tolvane99.png", "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
