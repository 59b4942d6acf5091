#include "discovery/SongBook.h"

#include "app/Context.h"
#include "app/Messages.h"
#include "app/Text.h"
#include "discovery/DiscIdentity.h"
#include "discovery/MusicScan.h"
#include "discovery/SongCatalogue.h"
#include "forms/Forms.h"
#include "forms/FrmFindMusic.h"
#include "forms/FrmSet.h"
#include "forms/FrmSongLib.h"
#include "forms/FrmVCD.h"
#include "forms/ListControls.h"
#include "platform/FileSaving.h"

#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QSet>

namespace tolvane {

namespace {

const QByteArray kExportMark("TOLVANE99 SONG BOOK 1\r\n");
const char* const kIndexPart = "CDROMLib.TXT";
const char* const kCataloguePart = "MusicLib.TXT";

QByteArray PartHead(const char* name, qint64 size)
{
    return QByteArray(name) + ' ' + QByteArray::number(size) + "\r\n";
}

qint64 FileSize(const QString& localPath)
{
    const QFileInfo info(localPath);
    return info.exists() ? info.size() : 0;
}

} // namespace

SongBookIndex SongBook::Index() const
{
    return SongBookIndex(context_.ini, context_.app.SongBookIndexFile);
}

SongBook::Mode SongBook::CurrentMode() const
{
    // The settings give one of the three; before they are read none is chosen, and a
    // book without a mode is not used.
    const FrmSet& set = forms_.Set();
    if (set.Option4[0]->isChecked())
        return Automatic;
    return set.Option4[1]->isChecked() ? Ask : Unused;
}

QString SongBook::Title(const QString& serial) const
{
    return Index().Title(serial);
}

void SongBook::Progress()
{
    context_.platform.clock.DoEvents();
}

bool SongBook::Lookup(const QString& path, const QString& serial, QStringList& albums)
{
    const SongBookIndex index = Index();
    const QString title = index.Title(serial);
    if (title.isEmpty())
        return false;
    const Mode mode = CurrentMode();
    const bool use =
        mode == Automatic ||
        (mode == Ask && ShowMessage(context_.platform.prompter, "找到" + title + "是否要使用?",
                                    "yesno") == QString::number(kIdYes));
    if (!use)
        return false;
    forms_.Vcd().Label1->setText("找到" + title);
    context_.platform.clock.Delay(0.1);
    if (relayoutLabels)
        relayoutLabels();
    forms_.FindMusic().setWindowTitle("歌本管理 - " + title);
    QStringList folders;
    albums.clear();
    if (!index.Folders(serial, folders)) {
        context_.log.LogWrite("歌本中" + serial + "的專輯目錄有空白項目,本次不使用");
        return true;
    }
    for (const QString& folder : std::as_const(folders))
        albums.append(SongBookIndex::AlbumOf(path, folder));
    return true;
}

QString SongBook::Proposal(const QString& label, int number) const
{
    const FrmFindMusic& window = forms_.FindMusic();
    QString proposal = window.Check2->isChecked() ? label : QString();
    if (window.Check1->isChecked()) {
        const QString numbered = window.Text2->text() + ZeroPad(number, 3);
        proposal = proposal.isEmpty() ? numbered : numbered + "(" + label + ")";
    }
    return proposal;
}

void SongBook::Command1_Click(int index)
{
    accepted_ = index == 0;
    forms_.Vcd().setEnabled(true);
    forms_.SongLib().hide();
    dialogOpen_ = false;
}

void SongBook::Offer(MusicScan& scan, const QString& path, const QString& serial,
                     const QStringList& albums)
{
    if (albums.isEmpty() || CurrentMode() != Automatic || !Title(serial).isEmpty())
        return;
    const SongBookIndex index = Index();
    const int number = index.NextNumber();
    const QString label = DiscIdentity::VolumeLabel(context_.platform.drives, path);
    const QString dates =
        ShortDate(scan.EarliestFileDate()) + "~" + ShortDate(scan.LatestFileDate());

    FrmSongLib& dialog = forms_.SongLib();
    dialog.List1->clear();
    for (qsizetype i = 0; i < albums.size(); ++i)
        dialog.List1->addItem(ZeroPad(i + 1, 2) + " " + albums[i]);
    dialog.Label2[0]->setText(serial);
    dialog.Label2[1]->setText(label);
    dialog.Label2[2]->setText(QString::number(albums.size()));
    dialog.Label2[3]->setText(dates);
    dialog.Text1->setText(Proposal(label, number));

    // The dialog's controls act for this offer only.
    QObject offer;
    QObject::connect(dialog.Command1[0], &QPushButton::clicked, &offer,
                     [this] { Command1_Click(0); });
    QObject::connect(dialog.Command1[1], &QPushButton::clicked, &offer,
                     [this] { Command1_Click(1); });
    QObject::connect(dialog.Text1, &QLineEdit::returnPressed, &offer,
                     [this] { Command1_Click(0); });
    QObject::connect(&dialog, &FrmSongLib::closeBox, &offer, [this] { Command1_Click(1); });
    accepted_ = false;
    dialogOpen_ = true;
    dialog.show();
    dialog.raise();
    dialog.Text1->setFocus();
    while (dialogOpen_ && !context_.Ended())
        context_.platform.clock.WaitForEvents();

    const QString title = dialog.Text1->text().trimmed();
    if (!accepted_ || title.isEmpty())
        return;
    SongBookEntry entry{serial, title, serial + "," + title + "," + dates, {}};
    for (const QString& album : albums)
        entry.folders.append(SongBookIndex::StoredFolder(album));
    forms_.Vcd().Label1->setText("加入 '" + title + "'到歌本");
    context_.platform.clock.Delay(0.1);
    context_.platform.files.MakeFolder(context_.app.SongFolder);
    if (!index.Add({entry}))
        return;
    context_.log.LogWrite("加入 '" + title + "'到歌本");
    if (forms_.Set().Check4->isChecked())
        WriteCatalogue(title, albums);
}

bool SongBook::WriteCatalogue(const QString& title, const QStringList& albums)
{
    const CodePage& codePage = context_.platform.codePage;
    FileListBox songs;
    songs.Pattern = MusicScan::Filters(context_.app.SearchPattern).join(';');
    QByteArray lines;
    for (const QString& album : albums) {
        lines += codePage.EncodeLine(SongCatalogue::AlbumLine(album, title)) + "\r\n";
        songs.Path = album;
        songs.Refresh(context_.platform.files);
        for (const QString& song : std::as_const(songs.List))
            lines += codePage.EncodeLine(song) + "\r\n";
        Progress();
    }
    QString reason;
    if (AppendCatalogue(lines, reason))
        return true;
    const QString path = context_.app.SongBookCatalogFile;
    context_.log.LogWrite("無法寫入歌本目錄檔" + path + ":" + reason);
    ShowMessage(context_.platform.prompter,
                "無法寫入歌本目錄檔 " + path + "\r\n" + reason + "\r\n原來的檔案沒有改變。",
                "error");
    return false;
}

bool SongBook::AppendCatalogue(const QByteArray& lines, QString& reason)
{
    const QString local = context_.platform.files.Local(context_.app.SongBookCatalogFile);
    if (local.isEmpty()) {
        reason = "歌本目錄所在的磁碟機不存在";
        return false;
    }
    QByteArray head;
    // A last line without its end would run into the first new one.
    QFile old(local);
    if (old.size() > 0 && old.open(QIODevice::ReadOnly) && old.seek(old.size() - 1) &&
        old.read(1) != "\n")
        head = "\r\n";
    old.close();
    return SavePieces(local, {{{}, local}, {head + lines, {}}}, reason, [this] { Progress(); });
}

bool SongBook::Export(const QString& localFile, QString& told)
{
    const DosFiles& files = context_.platform.files;
    const QString index = files.Local(context_.app.SongBookIndexFile);
    const QString catalogue = files.Local(context_.app.SongBookCatalogFile);
    const QList<SavePiece> pieces = {
        {kExportMark + PartHead(kIndexPart, FileSize(index)), {}},
        {{}, index},
        {"\r\n" + PartHead(kCataloguePart, FileSize(catalogue)), {}},
        {{}, catalogue},
        {"\r\n", {}},
    };
    QString reason;
    if (!SavePieces(localFile, pieces, reason, [this] { Progress(); })) {
        told = "無法匯出歌本到 " + localFile + "\r\n" + reason;
        return false;
    }
    told = "已將歌本的 " + QString::number(Index().Discs().size()) + " 張光碟匯出到 " + localFile;
    return true;
}

bool SongBook::SplitExport(const QByteArray& bytes, QByteArray& index, QByteArray& catalogue)
{
    if (!bytes.startsWith(kExportMark))
        return false;
    qsizetype at = kExportMark.size();
    auto part = [&](const char* name, QByteArray& out) {
        const QByteArray head = QByteArray(name) + ' ';
        const qsizetype end = bytes.indexOf("\r\n", at);
        if (end < 0 || bytes.mid(at, head.size()) != head)
            return false;
        bool ok = false;
        const qlonglong size = bytes.mid(at + head.size(), end - at - head.size()).toLongLong(&ok);
        if (!ok || size < 0 || size > bytes.size() - end - 4)
            return false;
        out = bytes.mid(end + 2, size);
        at = end + 2 + size;
        if (bytes.mid(at, 2) != "\r\n")
            return false;
        at += 2;
        return true;
    };
    return part(kIndexPart, index) && part(kCataloguePart, catalogue) && at == bytes.size();
}

bool SongBook::Import(const QString& localFile, QString& told)
{
    QFile file(localFile);
    if (!file.open(QIODevice::ReadOnly)) {
        told = "無法讀取 " + localFile + "\r\n" + file.errorString();
        return false;
    }
    QByteArray bytes;
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(4 << 20);
        if (chunk.isEmpty())
            break;
        bytes += chunk;
        Progress();
    }
    QByteArray theirIndex, theirCatalogue;
    if (file.error() != QFileDevice::NoError || !SplitExport(bytes, theirIndex, theirCatalogue)) {
        told = localFile + " 不是匯出的歌本檔,或已經損壞;歌本沒有改變。";
        return false;
    }
    bytes.clear();

    // The imported index is read through the profile layer from a file beside the book.
    const DosFiles& files = context_.platform.files;
    files.MakeFolder(context_.app.SongFolder);
    const QString staged = context_.app.SongBookIndexFile + ".import";
    QString reason;
    if (!SaveWholeFile(files.Local(staged), theirIndex, reason)) {
        told = "無法寫入歌本資料夾 " + context_.app.SongFolder + "\r\n" + reason;
        return false;
    }
    Ini stagedIni(files);
    const SongBookIndex theirs(stagedIni, staged);
    const SongBookIndex ours = Index();
    QSet<QString> serials, known, titles;
    for (const SongBookDisc& disc : ours.Discs()) {
        serials.insert(disc.serial.trimmed().toUpper());
        known.insert(ours.Title(disc.serial));
    }
    QList<SongBookEntry> added;
    int present = 0, damaged = 0;
    for (const SongBookDisc& disc : theirs.Discs()) {
        const QString serial = disc.serial.trimmed().toUpper();
        if (serial.isEmpty() || serials.contains(serial)) {
            ++present;
            continue;
        }
        SongBookEntry entry{disc.serial, theirs.Title(disc.serial), disc.listed, {}};
        if (entry.title.isEmpty() || !theirs.Folders(disc.serial, entry.folders)) {
            ++damaged;
            continue;
        }
        serials.insert(serial);
        titles.insert(entry.title);
        added.append(entry);
    }
    files.Remove(staged);

    const bool fresh = FileSize(files.Local(context_.app.SongBookCatalogFile)) == 0;
    if (!ours.Add(added)) {
        told = "無法儲存歌本索引檔 " + context_.app.SongBookIndexFile;
        return false;
    }
    const QByteArray blocks = ImportedBlocks(theirCatalogue, titles, known, fresh);
    if (!blocks.isEmpty() && !AppendCatalogue(blocks, reason)) {
        told = "已匯入 " + QString::number(added.size()) + " 張光碟,但無法寫入歌本目錄檔 " +
               context_.app.SongBookCatalogFile + "\r\n" + reason;
        return false;
    }
    told = "已匯入 " + QString::number(added.size()) + " 張光碟";
    if (present > 0)
        told += "," + QString::number(present) + " 張已在歌本中";
    if (damaged > 0)
        told += "," + QString::number(damaged) + " 張資料不全未匯入";
    return true;
}

// The lines of the imported catalogue that belong to the discs added: the blocks whose
// album line names one of their titles and no disc the book had; the lines before the
// first album line only into an empty catalogue.
QByteArray SongBook::ImportedBlocks(const QByteArray& catalogue, const QSet<QString>& titles,
                                    const QSet<QString>& known, bool withLoose) const
{
    QByteArrayView rest = catalogue;
    const bool utf8 = rest.startsWith("\xEF\xBB\xBF");
    if (utf8)
        rest = rest.sliced(3);
    CodePage::LineDecoder decoder(context_.platform.codePage);
    QByteArray kept;
    bool keep = withLoose;
    while (!rest.isEmpty()) {
        qsizetype end = rest.indexOf('\n');
        end = end < 0 ? rest.size() : end + 1;
        const QByteArrayView line = rest.first(end);
        rest = rest.sliced(end);
        if (line.contains(QByteArrayView("<Dir>"))) {
            const QString text =
                utf8 ? QString::fromUtf8(line) : decoder.Decode(line.data(), line.size());
            ItemReader items(text);
            QString album, title, shown;
            while (!items.AtEnd() &&
                   !SongCatalogue::ParseAlbumLine(items.Next(), album, title, shown)) {
            }
            keep = titles.contains(title) && !known.contains(title);
        }
        if (!keep)
            continue;
        kept += line;
        if (!line.endsWith('\n'))
            kept += "\r\n";
    }
    return kept;
}

} // namespace tolvane
