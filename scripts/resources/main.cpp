// Draws every picture and document of the program folder (resources/):
// the default skin, the extra skins, the button masks, the capture
// placeholder and the read-me in RTF and HTML.  Everything is drawn here so
// the output is reproducible; run it through scripts/make-resources.sh.
//
// Usage: make_resources <resources dir> [--preview <dir>] [--layout]

#include "resources.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageReader>
#include <QStringList>

#include <cstdio>

using namespace resources;

namespace {

QColor invertForLabel(QRgb px)
{
    // The program colours a label with the inverse of the pixel under it,
    // low nibble of each channel cleared; printed here to check contrast.
    uint32_t c = (uint32_t(qBlue(px)) << 16) | (uint32_t(qGreen(px)) << 8) | qRed(px);
    uint32_t v = c == 0 ? 0xFFFFFF : ((c ^ 0xFFFFFF) % 0xFFFFFF) & 0xF0F0F0;
    return QColor(int(v & 0xff), int((v >> 8) & 0xff), int((v >> 16) & 0xff));
}

void report(const char* name, const QImage& img)
{
    const Box& text = builtin::kText;
    const Box& line = builtin::kTime[2];
    const QRgb a = img.pixel(text.x + text.w / 2, text.y);
    const QRgb b = img.pixel(line.x + line.w / 2, line.y);
    std::printf("%-12s %dx%d  Label1 text %s  Label2(2) text %s\n", name, img.width(), img.height(),
                qPrintable(invertForLabel(a).name()), qPrintable(invertForLabel(b).name()));
}

void printLayout()
{
    auto row = [](const char* n, int i, const Box& b) {
        std::printf("%s(%d)\t%d\t%d\t%d\t%d\n", n, i, b.x, b.y, b.w, b.h);
    };
    for (int i = 0; i < builtin::kCtlCount; ++i)
        row("PicCtl", i, builtin::kCtl[i]);
    for (int i = 0; i < builtin::kNumCount; ++i)
        row("PicNum", i, builtin::kNum[i]);
    for (int i = 0; i < builtin::kButtonCount; ++i)
        row("PicButton", i, builtin::kButton[i]);
    for (int i = 0; i < builtin::kTimeCount; ++i)
        row("Label2", i, builtin::kTime[i]);
    row("Label1", 0, builtin::kText);
    row("Label3", 0, builtin::kLogo);
    row("Image1", 0, builtin::kPicture);
}

bool checkLoads(const QString& path, int w, int h)
{
    QImageReader rd(path);
    QImage back = rd.read();
    if (back.isNull() || back.width() != w || back.height() != h) {
        std::fprintf(stderr, "%s does not load back: %s\n", qPrintable(path),
                     qPrintable(rd.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.contains("--layout")) {
        printLayout();
        return 0;
    }
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: make_resources <resources dir> [--preview <dir>]\n");
        return 2;
    }
    const QDir res(args[1]);
    QString preview;
    if (int i = args.indexOf("--preview"); i > 0 && i + 1 < args.size())
        preview = args[i + 1];
    for (const char* d : {"Desk", "Skin", "Button Mask", "Cut"})
        res.mkpath(d);
    bool ok = true;
    auto path = [&](const QString& rel) { return res.filePath(rel); };
    auto keepPreview = [&](const QImage& img, const char* name) {
        if (!preview.isEmpty())
            img.save(QDir(preview).filePath(QString(name) + ".png"), "png");
    };

    QImage tolvan = makeTolvan();
    ok &= saveJpeg(tolvan, path("Desk/Tolvan.JPG"), 90);
    ok &= checkLoads(path("Desk/Tolvan.JPG"), kSkinW, kSkinH);
    report("Tolvan.JPG", QImage(path("Desk/Tolvan.JPG")));
    keepPreview(QImage(path("Desk/Tolvan.JPG")), "Tolvan");

    QImage ocean = makeOcean();
    ok &= saveJpeg(ocean, path("Skin/Ocean.jpg"), 90);
    ok &= checkLoads(path("Skin/Ocean.jpg"), kSkinW, kSkinH);
    report("Ocean.jpg", QImage(path("Skin/Ocean.jpg")));
    keepPreview(QImage(path("Skin/Ocean.jpg")), "Ocean");

    std::vector<bool> keep;
    QImage jade = makeJade(keep);
    Indexed jadeIx = quantize(jade, 256, &keep, kJadeSurround, 0.7);
    ok &= writeFile(path("Skin/Jade.gif"), encodeGif(jadeIx));
    ok &= checkLoads(path("Skin/Jade.gif"), kJadeW, kJadeH);
    {
        // The outline is cut where pixels equal the top-left one: the
        // surround must be exactly that colour and nothing inside may be.
        QImage back(path("Skin/Jade.gif"));
        back = back.convertToFormat(QImage::Format_RGB32);
        const QRgb t = back.pixel(0, 0);
        for (int y = 0; y < back.height(); ++y)
            for (int x = 0; x < back.width(); ++x)
                if ((back.pixel(x, y) == t) != !keep[size_t(y) * kJadeW + x]) {
                    std::fprintf(stderr, "Jade.gif: surround colour wrong at %d,%d\n", x, y);
                    ok = false;
                    y = back.height();
                    break;
                }
        report("Jade.gif", back);
        keepPreview(back, "Jade");
    }

    QImage amber = makeAmber();
    Indexed amberIx = quantize(amber, 256, nullptr, 0, 0.8);
    ok &= writeFile(path("Skin/Amber.bmp"), encodeBmp8(amberIx));
    ok &= checkLoads(path("Skin/Amber.bmp"), kSkinW, kSkinH);
    report("Amber.bmp", QImage(path("Skin/Amber.bmp")));
    keepPreview(QImage(path("Skin/Amber.bmp")), "Amber");

    for (const MaskShape& m : maskShapes()) {
        QImage mask = makeMask(m.shape, m.w, m.h, m.bevel);
        const QString p = path(QString("Button Mask/") + m.file);
        ok &= saveBmp24(mask, p);
        ok &= checkLoads(p, m.w, m.h);
        keepPreview(mask, m.file);
    }

    QImage cut = makeCutPlaceholder();
    ok &= saveBmp24(cut, path("Cut/cut-000.bmp"));
    ok &= checkLoads(path("Cut/cut-000.bmp"), cut.width(), cut.height());
    keepPreview(cut, "cut-000");

    ok &= writeFile(path("ReadMe.rtf"), makeRtf());
    ok &= writeFile(path("readme.htm"), makeHtml());
    return ok ? 0 : 1;
}
