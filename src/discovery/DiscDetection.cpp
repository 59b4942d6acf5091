#include "discovery/DiscDetection.h"

#include "app/Context.h"
#include "app/Messages.h"
#include "app/Text.h"
#include "discovery/DiscIdentity.h"
#include "discovery/MusicScan.h"
#include "forms/Forms.h"
#include "forms/FrmFindMusic.h"
#include "forms/FrmMenu.h"
#include "forms/FrmSet.h"
#include "forms/FrmVCD.h"
#include "platform/CdDisc.h"
#include "playback/MediaProcedures.h"
#include "playback/PlaybackController.h"
#include "playback/PlaybackServices.h"

namespace tolvane {

namespace {

QString LeftTrimmed(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start].isSpace())
        ++start;
    return text.mid(start);
}

constexpr const char* kNextTip = "左鍵下一首,右鍵速度選單";
constexpr const char* kPreviousTip = "左鍵上一首,右鍵速度選單";

} // namespace

void DiscDetection::SetDevice(const QString& drive)
{
    DeviceState& device = context_.device;
    device.CdromDrive = drive.left(2);
    device.VcdFolder = device.CdromDrive + "\\Mpegav";
    device.CdromDriveType = context_.platform.drives.GetDriveType(device.CdromDrive);
    // The audio CD device follows the current CD-ROM drive.
    if (device.CdromDriveType == kDriveCdrom && !device.CdromDrive.isEmpty()) {
        if (const Drive* found = context_.platform.drives.Find(device.CdromDrive[0].toUpper()))
            context_.platform.mci.SelectDrive(*found);
    }
}

void DiscDetection::FindCDROM()
{
    FrmSet& set = forms_.Set();
    for (int i = 1; i < set.Drive1.List.size(); ++i) {
        const QString& entry = set.Drive1.List[i];
        if (context_.platform.drives.GetDriveType(entry.left(2)) != kDriveCdrom)
            continue;
        context_.device.CdromDrive = entry.left(2).toUpper();
        Status("光碟機=" + context_.device.CdromDrive);
        context_.device.VcdFolder = context_.device.CdromDrive + "\\Mpegav";
    }
}

void DiscDetection::StartUpSearch()
{
    FrmSet& set = forms_.Set();
    QString configured = set.Combo1->currentText().left(2);
    if (set.Option1[0]->isChecked()) {
        context_.platform.clock.Delay(0.1);
        Status("讀取光碟資訊中...");
        FindCDROM();
        SetDevice(context_.device.CdromDrive);
        CheckCdrom(true);
    } else if (set.Option1[1]->isChecked()) {
        Status("讀取指定裝置資訊中...");
        SetDevice(configured);
        CheckCdrom(true);
    } else {
        SetDevice(configured);
        Status(context_.device.CdromDrive + "自動搜尋關閉中,請按光碟鈕開始搜尋");
    }
}

void DiscDetection::CheckOfferedDrive(const QString& drive)
{
    context_.platform.clock.Delay(0.1);
    Status("讀取光碟資訊中...");
    SetDevice(drive);
    CheckCdrom(true);
}

void DiscDetection::Status(const QString& text)
{
    QLabel* label = forms_.Vcd().Label1;
    label->setText(text);
    label->repaint();
}

void DiscDetection::StatusAndLog(const QString& text)
{
    Status(text);
    context_.log.LogWrite(text);
}

bool DiscDetection::AutoPlayAfterSearch() const
{
    return forms_.Set().Check5->isChecked();
}

QStringList DiscDetection::ListFiles(const QString& pattern)
{
    FrmVCD& vcd = forms_.Vcd();
    for (int i = 1; i <= 9 && i < vcd.LabNum.size(); ++i)
        vcd.LabNum[i]->setEnabled(false);
    qsizetype slash = pattern.lastIndexOf('\\');
    QString folder = pattern.left(slash);
    const QStringList names = context_.platform.files.ListFiles(folder, pattern.mid(slash + 1));
    const bool onDevice =
        pattern.left(1).compare(context_.device.VcdFolder.left(1), Qt::CaseInsensitive) == 0;
    QStringList found;
    for (const QString& name : names) {
        found.append(PathJoin(folder, LeftTrimmed(name)));
        const qsizetype index = found.size() - 1;
        if (onDevice && index < vcd.LabNum.size())
            vcd.LabNum[index]->setEnabled(true);
    }
    vcd.LabelScan->clear();
    return found;
}

int DiscDetection::CheckCdromName()
{
    context_.device.VcdFiles = ListFiles(context_.device.VcdFolder + "\\*.Dat");
    return int(context_.device.VcdFiles.size());
}

void DiscDetection::CheckCdrom(bool autoPlay)
{
    Prepare();
    ReadIdentity();
    context_.platform.clock.Delay(0.1);
    extraTracks_ = 0;
    context_.device.TrackCount = 0;
    context_.device.MixedDisc = false;
    bool decided = CheckVideoCd(autoPlay);
    if (!decided && context_.playback.PlayMode == MediaMode::None)
        decided = CheckAudioCd(autoPlay);
    if (!decided && context_.playback.PlayMode == MediaMode::None)
        CheckMusicFiles(autoPlay);
    forms_.Vcd().setEnabled(true);
}

void DiscDetection::Prepare()
{
    FrmVCD& vcd = forms_.Vcd();
    FrmMenu& menu = forms_.Menu();
    context_.device.MixedDisc = false;
    vcd.setEnabled(false);
    menu.mCutBmp->setEnabled(false);
    menu.mCutBmp1->setEnabled(false);
    vcd.Image1->hide();
    for (QLabel* label : vcd.Label2)
        label->show();
    vcd.ImageButton1[10]->show();
    vcd.ImageButton1[11]->show();
    services_.Media().StopAllMedia();
    context_.playback.MciReply.Fill(QChar(0));
    context_.playback.PlayMode = MediaMode::None;
    vcd.PicCtl[11]->setToolTip(kNextTip);
    vcd.PicCtl[10]->setToolTip(kPreviousTip);
}

void DiscDetection::ReadIdentity()
{
    DeviceState& device = context_.device;
    if (device.CdromDriveType != kDriveCdrom)
        return; // a fixed device has no disc to identify
    StatusAndLog("讀取裝置資訊中...");
    context_.platform.clock.Delay(0.1);
    const DriveMap& drives = context_.platform.drives;
    device.DiscSerial =
        DiscIdentity::SerialText(DiscIdentity::ReadSerial(drives, device.CdromDrive));
    Status("光碟序號 " + device.DiscSerial);
    if (device.DiscSerial != "0000-0000")
        context_.log.LogWrite("找到裝置序號" + device.DiscSerial);
    device.DiscCode = DiscIdentity::DiscCode(drives, device.CdromDrive);
    context_.app.CaptureFileName =
        PathJoin(context_.app.CaptureFolder, device.DiscCode + "000.BMP");
}

bool DiscDetection::CheckVideoCd(bool autoPlay)
{
    DeviceState& device = context_.device;
    context_.log.LogWrite("檢查是否是VCD");
    QListWidget* types = forms_.Set().List1;
    if (types->count() < 2 || !types->item(1)->isSelected() ||
        device.CdromDriveType != kDriveCdrom || device.TrackCount != 0)
        return false;
    const QStringList found = ListFiles(device.VcdFolder + "\\*.Dat");
    device.TrackCount = int(found.size());
    if (device.TrackCount < 1)
        return false;

    FrmVCD& vcd = forms_.Vcd();
    context_.log.LogWrite("找到VCD");
    vcd.ListFIle.Clear();
    for (const QString& path : found)
        vcd.ListFIle.AddItem(path);
    device.VcdFiles = vcd.ListFIle.List;
    context_.playback.PlayMode = MediaMode::Vcd;
    Status("影音光碟");
    services_.Media().View().ChkLab(true);
    context_.platform.clock.DoEvents();
    vcd.PicCtl[11]->setToolTip("加速");
    vcd.PicCtl[10]->setToolTip("減速");
    if (autoPlay && AutoPlayAfterSearch())
        controller_.PlayCd(1);
    else
        Status("請選擇播放曲目 1~" + QString::number(device.TrackCount));
    return true;
}

bool DiscDetection::CheckAudioCd(bool autoPlay)
{
    DeviceState& device = context_.device;
    context_.log.LogWrite("檢查是否是音樂光碟");
    MciReplyBuffer& reply = context_.playback.MciReply;
    reply.Fill(QChar(0));
    context_.platform.mci.SendString("Status CDAudio number of tracks", reply.Data(),
                                     MciReplyBuffer::kLength);
    const int tracks = int(LenientNumber(reply.Text()));
    if (tracks < 2)
        return false;

    bool yes = false;
    QString caption;
    if (device.CdromDriveType == kDriveCdrom)
        device.TrackCount = int(ListFiles(device.CdromDrive + "\\*.cda").size());
    // The system shows a CD-Extra's data session: what it holds decides, and its music
    // tracks play only when it holds nothing to play.
    extraTracks_ =
        device.TrackCount == 0 && device.CdromDriveType == kDriveCdrom ? ExtraAudioTracks() : 0;
    if (extraTracks_ > 0)
        return false;
    if (device.TrackCount != 0) {
        yes = true;
        caption = "音樂光碟 ";
    } else if (forms_.Set().Check7->isChecked()) {
        const QString answer =
            ShowMessage(context_.platform.prompter, "找到混合光碟\r\n是否要播放音軌 ? ", "yesno");
        if (answer == "6") {
            yes = true;
            device.TrackCount = tracks;
            device.MixedDisc = true;
            caption = "混合光碟";
        }
    }
    if (device.TrackCount < 1 || !yes)
        return false;
    PlayAudioCd(caption, autoPlay);
    return true;
}

void DiscDetection::PlayAudioCd(const QString& caption, bool autoPlay)
{
    context_.playback.PlayMode = MediaMode::CdAudio;
    services_.Media().View().ChkLab(true);
    Status(caption);
    context_.log.LogWrite("找到" + caption);
    context_.platform.clock.DoEvents();
    if (autoPlay)
        services_.Media().PlayACD(context_.device.MixedDisc ? 2 : 1);
}

int DiscDetection::ExtraAudioTracks()
{
    MciReplyBuffer& reply = context_.playback.MciReply;
    auto ask = [&](const QString& command) {
        reply.Fill(QChar(0));
        context_.platform.mci.SendString(command, reply.Data(), MciReplyBuffer::kLength);
        return reply.Text().trimmed().toLower();
    };
    const int tracks = int(LenientNumber(ask("Status CDAudio number of tracks")));
    int audio = 0;
    while (audio < tracks &&
           ask("Status CDAudio type track " + QString::number(audio + 1)) == "audio")
        ++audio;
    return audio > 0 && audio < tracks ? audio : 0;
}

void DiscDetection::CheckMusicFiles(bool autoPlay)
{
    DeviceState& device = context_.device;
    Status("搜尋音樂檔中...");
    context_.log.LogWrite("開始搜尋音樂檔");
    MusicScan scan(context_, forms_);
    scan.hooks = ScanHooks();
    device.TrackCount = scan.ScanMp3(device.CdromDrive + device.ScanSubPath);
    if (device.TrackCount != 0) {
        forms_.Vcd().File1.Pattern = MusicScan::Filters(context_.app.SearchPattern).join(';');
    }
    if (device.TrackCount >= 1) {
        context_.log.LogWrite("在" + device.CdromDrive + "找到 " +
                              QString::number(device.TrackCount) + "目錄下有音樂檔");
        controller_.PlayMp31();
        return;
    }
    if (extraTracks_ > 0) {
        device.TrackCount = extraTracks_;
        PlayAudioCd("音樂光碟 ", autoPlay);
        return;
    }
    context_.playback.PlayMode = MediaMode::Cdrom;
    services_.Media().View().ChkLab(true);
    const Drive* drive =
        device.CdromDrive.isEmpty() ? nullptr : context_.platform.drives.Find(device.CdromDrive[0]);
    if (drive && drive->IsDiscImage() && DiscImageDamaged(drive->root)) {
        const QString text = "在" + device.CdromDrive + "上的光碟映像檔已損壞:" + drive->root;
        ShowMessage(context_.platform.prompter, text, "error");
        context_.log.LogWrite(text);
        return;
    }
    const QString text = "在" + device.CdromDrive + "上找不到可供播放的媒體";
    ShowMessage(context_.platform.prompter, text + "!", "error");
    context_.log.LogWrite(text);
}

MusicScanHooks DiscDetection::ScanHooks()
{
    MusicScanHooks hooks;
    hooks.volumeSerial = [this](const QString& path) {
        return DiscIdentity::SerialText(DiscIdentity::ReadSerial(context_.platform.drives, path));
    };
    hooks.showDiscTitle = [this](const QString& title) {
        forms_.Menu().mSele1M->setText(title);
        forms_.FindMusic().setWindowTitle("歌本管理 - " + title);
    };
    hooks.relayoutLabels = [this] { services_.Media().View().RelayoutLabels(); };
    songBook_.relayoutLabels = hooks.relayoutLabels;
    hooks.songBookLookup = [this](const QString& path, const QString& serial, QStringList& albums) {
        return songBook_.Lookup(path, serial, albums);
    };
    hooks.offerSongBookEntry = [this](MusicScan& scan, const QString& path, const QString& serial,
                                      const QStringList& albums) {
        songBook_.Offer(scan, path, serial, albums);
    };
    hooks.discTitle = [this](const QString& serial) { return songBook_.Title(serial); };
    hooks.fillPlayList = [this](const QStringList& albums) {
        QListWidget* list = forms_.Vcd().PlayList;
        list->clear();
        for (const QString& album : albums) {
            auto* item = new QListWidgetItem(album, list);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
        }
    };
    return hooks;
}

} // namespace tolvane
