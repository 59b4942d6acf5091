#include "ui/SettingsWindow.h"

#include "app/Context.h"
#include "app/Text.h"
#include "discovery/DiscDetection.h"
#include "forms/Forms.h"
#include "forms/FrmCutSet.h"
#include "forms/FrmFindMusic.h"
#include "forms/FrmSet.h"
#include "forms/FrmVCD.h"

namespace tolvane {

namespace {

struct OptionKey
{
    const char* key;
    bool fallback;
};

// The option buttons in the order they are stored.
constexpr OptionKey kScanType[] = {{"ScanType1", false}, {"ScanType2", false}, {"ScanType3", true}};
constexpr OptionKey kStopMode[] = {{"StopMode1", true}, {"StopMode2", false}, {"StopMode3", false}};
constexpr OptionKey kShowMode[] = {{"ShowMode0", true}, {"ShowMode1", false}};
constexpr OptionKey kHistory[] = {{"History0", true}, {"History1", false}, {"History2", false}};

bool ReadBool(const Settings& settings, const QString& key, bool fallback)
{
    bool value = fallback;
    if (!ToBool(settings.GetUserSetting(key, fallback), value))
        return fallback;
    return value;
}

void SetChecked(QCheckBox* box, const Settings& settings, const char* key, int fallback)
{
    box->setChecked(LenientNumber(settings.GetUserSetting(key, fallback)) != 0);
}

int CheckValue(const QCheckBox* box)
{
    return box->isChecked() ? 1 : 0;
}

} // namespace

void SettingsWindow::Load()
{
    if (forms_.IsLoaded(Window::Set))
        return;
    forms_.Set();
    FormLoad();
}

void SettingsWindow::FormLoad()
{
    FrmSet& set = forms_.Set();
    set.Drive1.Refresh(context_.platform.drives);
    set.Combo1->clear();
    set.Combo1->addItems(set.Drive1.List);
    set.List1->clear();
    set.List1->addItems(FrmSet::BuiltInFileTypes());
    QObject::connect(set.Check1, &QCheckBox::clicked, set.Check1, [this] { Check1Click(); });
    QObject::connect(set.Check3, &QCheckBox::clicked, set.Check3, [this] { Check3Click(); });
    QObject::connect(set.Command8, &QPushButton::clicked, set.Command8, [this] {
        if (openSongBook)
            openSongBook();
    });
    ReadSetData();
    ChkPatten();
}

void SettingsWindow::ReadSetData()
{
    FrmSet& set = forms_.Set();
    Settings& settings = context_.settings;
    AppState& app = context_.app;

    int volume = 1000;
    if (!ToInt16(settings.GetUserSetting("Volume", 1000), volume))
        volume = 1000;
    context_.playback.Volume = volume;
    set.ProgressBar1->setValue(volume / 10);
    set.Label4->setText(QString::number(volume / 10.0) + "%");

    app.CurrentSkinPicture = settings.GetUserSetting("DeskPic", "");
    set.Text6->setText(app.CurrentSkinPicture);

    ReadFileTypes();
    ReadFolders();
    ReadOptions();

    detection_.FindCDROM();
    QString found = context_.device.CdromDrive;
    QString disk = settings.GetUserSetting("DiskName", found);
    if (disk.isEmpty())
        disk = found;
    for (int i = 0; i < set.Combo1->count(); ++i) {
        if (set.Combo1->itemText(i).left(2).toUpper() == disk.left(2).toUpper()) {
            set.Combo1->setCurrentIndex(i);
            break;
        }
    }

    ReadCheckBoxes();
    ReadPictureShow();

    app.SongBookIndexFile = app.SongFolder + "\\CDROMLib.TXT";
    app.SongBookCatalogFile = app.SongFolder + "\\MusicLib.TXT";

    FrmCutSet& cutSet = forms_.CutSet();
    double delay = LenientNumber(settings.GetUserSetting("CutDelay", cutSet.Text8->text()));
    cutSet.VScroll3->setValue(static_cast<int>(-RoundHalfEven(delay * 10)));

    // The play list window loads this file once it is built.
    app.ListFile = settings.GetUserSetting("ListFile", PathJoin(app.SongFolder, "unknow.m3u"));
}

void SettingsWindow::ReadFileTypes()
{
    QListWidget* list = forms_.Set().List1;
    const Settings& settings = context_.settings;
    for (int i = 0;; ++i) {
        QString text = settings.GetUserSetting("FileTypeText" + QString::number(i), "");
        if (i >= 7 && text.isEmpty())
            break;
        if (i >= 8)
            list->addItem(text);
        bool fallback = !(i == 3 || i == 6);
        if (i < list->count())
            list->item(i)->setSelected(
                ReadBool(settings, "FileType" + QString::number(i), fallback));
    }
    list->setCurrentItem(nullptr, QItemSelectionModel::NoUpdate);
}

void SettingsWindow::ReadFolders()
{
    FrmSet& set = forms_.Set();
    const Settings& settings = context_.settings;
    const DosFiles& files = context_.platform.files;
    AppState& app = context_.app;

    files.MakeFolder("C:\\Temp");
    app.SongFolder = settings.GetUserSetting("SongTempDir", "C:\\Temp");
    if (app.SongFolder.isEmpty())
        app.SongFolder = "C:\\Temp";
    set.Text5->setText(app.SongFolder);

    int create = 0;
    if (!ToInt16(settings.GetUserSetting("CreatSongDir", 0), create))
        create = 0;
    set.Check3->setChecked(create != 0);
    Check3Click();
    files.MakeFolder(app.SongFolder);

    QString windowsTemp = context_.platform.windowsFolder + "\\Temp";
    QString defaultCache = windowsTemp + "\\Tolvane Temp";
    files.MakeFolder(windowsTemp);
    files.MakeFolder(defaultCache);
    app.ButtonCacheFolder = settings.GetUserSetting("ButtonTempDir", defaultCache);
    files.MakeFolder(app.ButtonCacheFolder);

    app.CaptureFolder = settings.GetUserSetting("CutDir", "c:\\Temp");
    files.MakeFolder(app.CaptureFolder);
    set.Text7->setText(app.CaptureFolder);
    if (app.ButtonCacheFolder.isEmpty())
        app.ButtonCacheFolder = defaultCache;
    set.Text2->setText(app.ButtonCacheFolder);
}

void SettingsWindow::ReadOptions()
{
    FrmSet& set = forms_.Set();
    const Settings& settings = context_.settings;
    auto read = [&](auto& buttons, const auto& keys) {
        for (size_t i = 0; i < std::size(keys); ++i) {
            // Exclusive groups would uncheck a sibling that is already on.
            if (ReadBool(settings, keys[i].key, keys[i].fallback))
                buttons[i]->setChecked(true);
        }
    };
    read(set.Option1, kScanType);
    read(set.Option2, kStopMode);
    read(set.Option3, kShowMode);
    read(set.Option4, kHistory);
}

void SettingsWindow::ReadCheckBoxes()
{
    FrmSet& set = forms_.Set();
    const Settings& settings = context_.settings;
    SetChecked(set.Check1, settings, "ShowPic", 1);
    SetChecked(set.Check2, settings, "AutoScan", 1);
    SetChecked(set.Check4, settings, "SongBook", 1);
    SetChecked(set.Check5, settings, "AutoPlay", 1);
    SetChecked(set.Check6, settings, "MtvMode", 1);
    SetChecked(set.Check7, settings, "GameCD", 0);
    FrmFindMusic& findMusic = forms_.FindMusic();
    SetChecked(findMusic.Check1, settings, "AutoNum", 1);
    SetChecked(findMusic.Check2, settings, "DiscVol", 1);
}

void SettingsWindow::ReadPictureShow()
{
    FrmSet& set = forms_.Set();
    AppState& app = context_.app;
    double seconds = LenientNumber(context_.settings.GetUserSetting("ShowTime", 5));
    if (seconds <= 30) {
        set.VScroll1->setValue(static_cast<int>(seconds));
        SetShowTimeInterval(static_cast<int>(seconds));
    }
    app.BackgroundPictures = set.Check1->isChecked();
    set.Text1->setText(context_.settings.GetUserSetting("ShowPicFIle", ""));
    app.BackgroundFolder = set.Text1->text();
    Check1Click();
}

void SettingsWindow::SetShowTimeInterval(int seconds)
{
    QTimer* timer = forms_.Vcd().TimerBMP;
    timer->setInterval(seconds * 1000);
    // An interval of 0 means no timer at all, not one that fires continuously.
    if (seconds <= 0)
        timer->stop();
}

void SettingsWindow::SaveSetData()
{
    FrmSet& set = forms_.Set();
    Settings& settings = context_.settings;
    const DosFiles& files = context_.platform.files;
    AppState& app = context_.app;

    app.SongFolder = set.Text5->text();
    files.MakeFolder(app.SongFolder);
    app.CurrentSkinPicture = set.Text6->text();
    settings.SaveUserSetting("DeskPic", app.CurrentSkinPicture);
    settings.SaveUserSetting("CreatSongDir", CheckValue(set.Check3));
    settings.SaveUserSetting("SongTempDir", app.SongFolder);
    settings.SaveUserSetting("ButtonTempDir", set.Text2->text());
    app.CaptureFolder = set.Text7->text();
    settings.SaveUserSetting("CutDir", app.CaptureFolder);
    files.MakeFolder(app.CaptureFolder);
    SaveOptions();
    SaveCheckBoxes();
    settings.SaveUserSetting("ShowPicFIle", set.Text1->text());
    SaveFileTypes();
    settings.SaveUserSetting("ShowTime", set.VScroll1->value());
    SetShowTimeInterval(set.VScroll1->value());

    QString drive = set.Combo1->currentText().left(2);
    context_.device.CdromDrive = drive;
    context_.device.VcdFolder = drive + "\\Mpegav";
    context_.device.CdromDriveType = context_.platform.drives.GetDriveType(drive);
    settings.SaveUserSetting("DiskName", drive);

    app.BackgroundPictures = set.Check1->isChecked();
    forms_.Vcd().Image1->setVisible(app.BackgroundPictures);
    settings.SaveUserSetting("CutDelay", forms_.CutSet().Text8->text());
    app.BackgroundFolder = set.Text1->text();
    if (pictureShowChanged)
        pictureShowChanged();
}

void SettingsWindow::SaveOptions()
{
    FrmSet& set = forms_.Set();
    auto save = [&](const auto& buttons, const auto& keys) {
        for (size_t i = 0; i < std::size(keys); ++i)
            context_.settings.SaveUserSetting(keys[i].key, buttons[i]->isChecked());
    };
    save(set.Option1, kScanType);
    save(set.Option2, kStopMode);
    save(set.Option3, kShowMode);
    save(set.Option4, kHistory);
}

void SettingsWindow::SaveCheckBoxes()
{
    FrmSet& set = forms_.Set();
    Settings& settings = context_.settings;
    settings.SaveUserSetting("ShowPic", CheckValue(set.Check1));
    settings.SaveUserSetting("AutoScan", CheckValue(set.Check2));
    settings.SaveUserSetting("SongBook", CheckValue(set.Check4));
    settings.SaveUserSetting("AutoPlay", CheckValue(set.Check5));
    settings.SaveUserSetting("MtvMode", CheckValue(set.Check6));
    settings.SaveUserSetting("GameCD", CheckValue(set.Check7));
    FrmFindMusic& findMusic = forms_.FindMusic();
    settings.SaveUserSetting("AutoNum", CheckValue(findMusic.Check1));
    settings.SaveUserSetting("DiscVol", CheckValue(findMusic.Check2));
}

void SettingsWindow::SaveFileTypes()
{
    QListWidget* list = forms_.Set().List1;
    Settings& settings = context_.settings;
    for (int i = 0; i < list->count(); ++i) {
        settings.SaveUserSetting("FileType" + QString::number(i), list->item(i)->isSelected());
        settings.SaveUserSetting("FileTypeText" + QString::number(i), list->item(i)->text());
    }
    settings.SaveUserSetting("FileTypeText" + QString::number(list->count()), "");
}

QString SettingsWindow::ChkExtName(const QString& text)
{
    qsizetype start = text.indexOf("(*.");
    if (start < 0)
        return text;
    qsizetype end = text.indexOf(')', start + 3);
    if (end < 0)
        return text;
    return text.mid(start + 3, end - start - 3);
}

void SettingsWindow::ChkPatten()
{
    QListWidget* list = forms_.Set().List1;
    QStringList extensions;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->isSelected())
            extensions.append(ChkExtName(list->item(i)->text()));
    }
    context_.app.SearchPattern = extensions.join(';').toUpper();
}

void SettingsWindow::Check1Click()
{
    FrmSet& set = forms_.Set();
    bool on = set.Check1->isChecked();
    set.Text1->setEnabled(on);
    set.Command1->setEnabled(on);
}

void SettingsWindow::Check3Click()
{
    FrmSet& set = forms_.Set();
    bool on = set.Check3->isChecked();
    set.Text5->setEnabled(on);
    set.Command6->setEnabled(on);
    context_.app.LyricsMapping = on;
}

} // namespace tolvane
