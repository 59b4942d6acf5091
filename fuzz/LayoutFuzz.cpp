// A skin layout file read into the main window, as a skin is shown: the player is
// built once over a folder of the run's own, with a skin picture and a button mask,
// and each input is the layout file of that skin. Nothing read may place an object
// beyond what a window holds or size it beyond the skin picture.
#include "FuzzSupport.h"
#include "forms/FrmVCD.h"
#include "forms/SkinButton.h"
#include "platform/CdAudioMci.h"
#include "platform/Clock.h"
#include "platform/InstanceGuard.h"
#include "platform/Platform.h"
#include "platform/ProcessControl.h"
#include "platform/Prompter.h"
#include "shell/Player.h"
#include "skins/LayoutFile.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <cstdlib>

using namespace tolvane;

namespace {

// The size of the skins the program comes with, larger than any object before a
// layout is read.
constexpr QSize kSkin(576, 360);

void SavePicture(const QString& path, QSize size, QColor colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    if (!picture.save(path))
        std::abort();
}

// The real platform over a home folder of the run's own: C: is that home.
struct Program
{
    Program()
        : home(fuzz::Folder() + "/home"), drives({{'C', home, kDriveFixed}}),
          registry(home + "/registry.reg"), instance("tolvane99-fuzz"),
          engine({{"vo", "null"}, {"ao", "null"}}),
          cdAudio(std::make_unique<CdDrive>(home + "/none.cue", true, &trays), engine),
          events(drives, trays), platform{drives,          files,    registry,      prompter,
                                          clock,           instance, process,       cdAudio,
                                          events,          trays,    CodePage(950), "C:\\WINDOWS",
                                          "C:\\Tolvane99", engine}
    {
        for (const char* folder :
             {"/Tolvane99/Skin", "/Tolvane99/Button Mask", "/cache", "/WINDOWS"})
            QDir().mkpath(home + folder);
        drives.SetTrays(&trays);
        SavePicture(home + "/Tolvane99/Skin/Sea.bmp", kSkin, QColor(40, 90, 140));
        SavePicture(home + "/Tolvane99/Button Mask/Round.bmp", QSize(30, 30), Qt::gray);
    }

    QString home;
    DiscTrays trays;
    DriveMap drives;
    DosFiles files{drives};
    FileRegistry registry;
    DialogPrompter prompter;
    SystemClock clock;
    LocalInstanceGuard instance;
    AppProcessControl process;
    MediaEngine engine;
    CdAudioMci cdAudio;
    DeviceEvents events;
    Platform platform;
};

Player& ThePlayer()
{
    static Player* player = [] {
        fuzz::Application<QApplication>();
        auto* program = new Program;
        auto* made = new Player(program->platform);
        made->context.app.SkinFolder = "C:\\Tolvane99\\Skin";
        made->context.app.MaskFolder = "C:\\Tolvane99\\Button Mask";
        made->context.app.ButtonCacheFolder = "C:\\cache";
        made->context.app.CurrentSkinPicture = "C:\\Tolvane99\\Skin\\Sea.bmp";
        made->context.skin.ScreenWidth = 800;
        made->context.skin.ScreenHeight = 600;
        made->context.ini.IniFile = "C:\\Tolvane99\\Skin\\Sea.INI";
        made->forms.Vcd();
        return made;
    }();
    return *player;
}

bool Within(const QWidget* widget)
{
    const QRect r = widget->geometry();
    return r.left() >= -32768 && r.top() >= -32768 && r.left() <= 32767 && r.top() <= 32767 &&
           r.width() <= 4096 && r.height() <= 4096;
}

} // namespace

// The player is built before the first input, so its start is no input's time.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    ThePlayer();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Player& player = ThePlayer();
    fuzz::WriteFile(player.context.platform.files.Local(player.context.ini.IniFile),
                    fuzz::Bytes(data, size));
    player.layout.ReadLayout(true);

    FrmVCD& vcd = player.forms.Vcd();
    for (const QList<SkinButton*>* buttons : {&vcd.PicCtl, &vcd.PicNum, &vcd.PicButton}) {
        for (const SkinButton* button : *buttons) {
            if (!Within(button) || button->width() > kSkin.width() ||
                button->height() > kSkin.height())
                std::abort();
        }
    }
    for (const QLabel* label : vcd.findChildren<QLabel*>()) {
        if (!Within(label))
            std::abort();
    }
    return 0;
}
