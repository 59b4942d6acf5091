#include "ui/SettingsWindow.h"

#include "app/Context.h"
#include "app/Messages.h"
#include "app/MousePointer.h"
#include "app/Text.h"
#include "discovery/DiscDetection.h"
#include "forms/Forms.h"
#include "forms/FrmCutSet.h"
#include "forms/FrmFindMusic.h"
#include "forms/FrmProg.h"
#include "forms/FrmSet.h"
#include "forms/FrmVCD.h"
#include "forms/SeleDir.h"
#include "forms/WindowPlacement.h"
#include "playback/PlaybackController.h"
#include "skins/ButtonFaces.h"
#include "skins/SkinLoader.h"

#include <QFileDialog>
#include <QImage>
#include <QPixmap>

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

// File types from this index on are the user's to delete; the MPEG entry is one of them.
constexpr int kFirstDeletableType = 7;

constexpr char kSkinFilter[] = "Allfile(*.jpg;*.bmp)|*.jpg;*.bmp;|*.jpg|*.jpg|*.bmp|*.bmp";
constexpr char kPicturePattern[] = "*.jpg;*.bmp;*.gif";

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

SettingsWindow::SettingsWindow(Context& context, Forms& forms, DiscDetection& detection,
                               SkinLoader& skins, ButtonFaces& faces)
    : context_(context), forms_(forms), detection_(detection), skins_(skins), faces_(faces)
{
    chooseFile = [this](const QString& folder, const QString& filter) {
        QFileDialog dialog(&forms_.Set());
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(NameFilters(filter));
        const QString local = context_.platform.files.Local(folder);
        if (!local.isEmpty())
            dialog.setDirectory(local);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return context_.platform.drives.ToDos(dialog.selectedFiles().first());
    };
}

void SettingsWindow::Load()
{
    // Other procedures may have made the window already (its controls are read from
    // everywhere); its load still runs, once.
    if (formLoaded_)
        return;
    formLoaded_ = true;
    FormLoad();
}

void SettingsWindow::FormLoad()
{
    FrmSet& set = forms_.Set();
    Connect();
    set.Drive1.Refresh(context_.platform.drives);
    set.Combo1->clear();
    set.Combo1->addItems(set.Drive1.List);
    set.List1->clear();
    set.List1->addItems(FrmSet::BuiltInFileTypes());
    ReadSetData();
    ChkPatten();
}

void SettingsWindow::Connect()
{
    FrmSet& set = forms_.Set();
    auto on = [&set](QAbstractButton* button, auto act) {
        QObject::connect(button, &QAbstractButton::clicked, &set, act);
    };
    on(set.Check1, [this] { Check1Click(); });
    on(set.Check3, [this] { Check3Click(); });
    for (QRadioButton* option : set.Option3)
        on(option, [this] { Option3Click(); });
    on(set.Command1, [this] { ChooseFolderFor(forms_.Set().Text1, kPicturePattern); });
    on(set.Command4, [this] { ChooseFolderFor(forms_.Set().Text2, "*.*"); });
    on(set.Command6, [this] { ChooseFolderFor(forms_.Set().Text5, "*.*"); });
    on(set.Command9, [this] { ChooseFolderFor(forms_.Set().Text7, "*.*"); });
    on(set.Command7, [this] { Command7Click(); });
    on(set.Command8, [this] {
        if (openSongBook)
            openSongBook();
    });
    on(set.Command10, [this] { Command10Click(); });
    for (int i = 0; i < int(set.Command5.size()); ++i)
        on(set.Command5[i], [this, i] { Command5Click(i); });
    on(set.Command2, [this] { Command2Click(); });
    on(set.Command3, [this] { CloseForm(); });
    QObject::connect(&set, &FrmSet::closeBox, &set, [this] { CloseForm(); });
    // However the window goes, the main window is usable again.
    QObject::connect(&set, &FrmSet::hidden, &set, [this] { forms_.Vcd().setEnabled(true); });
    // A click toggles an entry and makes it the current one; the keyboard may do
    // either alone.
    QObject::connect(set.List1, &QListWidget::itemSelectionChanged, &set, [this] { List1Click(); });
    QObject::connect(set.List1, &QListWidget::currentRowChanged, &set, [this] { List1Click(); });
}

void SettingsWindow::Show()
{
    Load();
    FrmSet& set = forms_.Set();
    FrmVCD& vcd = forms_.Vcd();
    // A skin chosen from the menu since the field was filled is the one in use.
    const QString& skin = context_.app.CurrentSkinPicture;
    if (skin != skinInField_) {
        set.Text6->setText(skin);
        skinInField_ = skin;
    }
    CentreOn(set, vcd);
    PlaybackController::StayOnTop(vcd, false);
    set.show();
    set.raise();
    set.activateWindow();
    vcd.setEnabled(false);
}

void SettingsWindow::CloseForm()
{
    forms_.Vcd().setEnabled(true);
    forms_.Set().hide();
}

void SettingsWindow::Command2Click()
{
    FrmSet& set = forms_.Set();
    AppState& app = context_.app;
    forms_.Vcd().setEnabled(true);
    set.hide();
    SetMousePointer(Pointer::Hourglass);
    app.ButtonCacheFolder = set.Text2->text();
    app.BackgroundPictures = set.Check1->isChecked();
    SaveSetData();
    SetMousePointer(Pointer::Default);
    CloseForm();
}

void SettingsWindow::Command5Click(int index)
{
    FrmSet& set = forms_.Set();
    QListWidget* list = set.List1;
    switch (index) {
    case 0:
        set.Command5[0]->hide();
        set.Command5[1]->hide();
        set.Command5[2]->show();
        set.Command5[3]->show();
        set.Text4->clear();
        set.Text4->setEnabled(true);
        set.Text4->setFocus();
        break;
    case 1: {
        const int row = list->currentRow();
        if (row < kFirstDeletableType)
            return;
        const QString answer =
            ShowMessage(context_.platform.prompter,
                        list->item(row)->text() + "\r\n" + "是否確定要刪除本格式?", "yesno");
        if (answer.toInt() != kIdYes)
            return;
        delete list->takeItem(row);
        list->item(row - 1)->setSelected(true);
        list->setCurrentRow(row - 1, QItemSelectionModel::NoUpdate);
        List1Click();
        break;
    }
    case 2: {
        // An empty entry would end the list when it is read back.
        const QString text = set.Text4->text().trimmed();
        if (!text.isEmpty()) {
            list->addItem(text);
            QListWidgetItem* item = list->item(list->count() - 1);
            item->setSelected(true);
            list->setCurrentItem(item, QItemSelectionModel::NoUpdate);
            List1Click();
        }
        Command5Click(3);
        break;
    }
    case 3:
        set.Command5[0]->show();
        set.Command5[1]->show();
        set.Command5[2]->hide();
        set.Command5[3]->hide();
        set.Text4->setEnabled(false);
        break;
    default:
        break;
    }
}

void SettingsWindow::List1Click()
{
    FrmSet& set = forms_.Set();
    const int row = set.List1->currentRow();
    set.Command5[1]->setEnabled(row >= kFirstDeletableType);
    QListWidgetItem* item = set.List1->currentItem();
    set.Text4->setText(item ? item->text() : QString());
    ChkPatten();
}

void SettingsWindow::ChooseFolderFor(QLineEdit* text, const QString& pattern)
{
    const QString chosen = ChooseFolder(context_, forms_, forms_.Set(), text->text(), pattern);
    if (!chosen.isEmpty())
        text->setText(chosen);
}

void SettingsWindow::Command7Click()
{
    FrmSet& set = forms_.Set();
    const QString current = context_.app.CurrentSkinPicture.isEmpty()
                                ? set.Text6->text()
                                : context_.app.CurrentSkinPicture;
    const QString chosen = chooseFile ? chooseFile(FolderPart(current), kSkinFilter) : QString();
    if (!chosen.isEmpty())
        set.Text6->setText(chosen);
}

void SettingsWindow::Command10Click()
{
    QPushButton* button = forms_.Set().Command10;
    // The deleting lets events run; a second click waits for the first.
    button->setEnabled(false);
    faces_.DelButtonTemp();
    skins_.DeskUpdate(false);
    // A skin that cannot be loaded leaves the progress up.
    if (forms_.IsLoaded(Window::Prog))
        forms_.Prog().hide();
    button->setEnabled(true);
}

QStringList SettingsWindow::NameFilters(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        if (!patterns.isEmpty())
            filters.append(parts[i] + " (" + patterns.join(' ') + ")");
    }
    return filters;
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
    skinInField_ = app.CurrentSkinPicture;

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
        // With the last built-in type deleted, the user's first own type was saved in
        // its place: it is kept rather than the built-in caption coming back over it.
        else if (i == 7 && text != list->item(i)->text())
            list->item(i)->setText(text);
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
    skinInField_ = app.CurrentSkinPicture;
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
    // The skin's layout decides whether there is a picture area at all.
    forms_.Vcd().Image1->setVisible(app.BackgroundPictures && context_.skin.PictureVisible);
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
    ShowPictureControls();
}

void SettingsWindow::Option3Click()
{
    ShowPictureControls();
}

// The modes matter only while the show is on, the interval only in the timed mode.
void SettingsWindow::ShowPictureControls()
{
    FrmSet& set = forms_.Set();
    const bool on = set.Check1->isChecked();
    for (QRadioButton* option : set.Option3)
        option->setEnabled(on);
    const bool timed = on && set.Option3[1]->isChecked();
    set.Text3->setEnabled(timed);
    set.VScroll1->setEnabled(timed);
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
