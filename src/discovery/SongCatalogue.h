#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace tolvane {

// The song catalogue MusicLib.TXT: an album line "<Dir> " + folder + TAB + " [" +
// disc title + "]", then the album's songs, one file name a line. Each line is in the
// code page, or UTF-8 where the code page cannot carry it.
namespace SongCatalogue {

// The album line of a folder ("E:\Pop\Live" is written "Pop\Live").
QString AlbumLine(const QString& album, const QString& title);
// The album and disc title of an album line's item, and the item's text before the
// title; false when the item is no album line.
bool ParseAlbumLine(const QString& item, QString& album, QString& title, QString& text);
// An album name split for the album search: A and B as the row shows them.
void SplitAlbum(const QString& album, QString& a, QString& b);
// Upper case as the searches compare: letters outside ASCII never become ASCII ones.
QString Upper(const QString& text);

} // namespace SongCatalogue

// One search of the catalogue, read item by item (an item ends at a line end or a
// comma). The song search gives a row for every item holding the query: its text, the
// album and the disc title; the album search one for every album line holding it: B,
// A and the album name. Lines that cannot hold the query are only counted, never
// decoded, so a search costs little more than reading the file.
class CatalogueSearch
{
public:
    enum Kind { Songs, Albums };
    enum Outcome { Done, Missing, Failed, Stopped };

    CatalogueSearch(Kind kind, const QString& query);
    ~CatalogueSearch();
    CatalogueSearch(const CatalogueSearch&) = delete;
    CatalogueSearch& operator=(const CatalogueSearch&) = delete;

    // Reads the file in chunks, asking `progress` (bytes read, file size) between them
    // whether to go on. A missing file is an empty catalogue.
    Outcome SearchFile(const QString& localPath,
                       const std::function<bool(qint64, qint64)>& progress, QString& reason);
    // Bytes of the catalogue in order; `Finish` after the last.
    void Feed(QByteArrayView bytes);
    void Finish();

    // Every line decoded and read item by item, as a check of the quick way.
    void DecodeEveryLine()
    {
        quick_ = false;
        caseless_ = false;
    }
    bool Quick() const { return quick_; }

    // Items read (song search) or rows given (album search).
    qint64 Counted() const { return counted_; }
    QList<QStringList> rows;
    // Rows past this many are counted but not kept.
    qsizetype maxRows = 1000000;
    bool RowsCut() const { return cut_; }

private:
    struct Reader;
    void Lines(QByteArrayView block, bool ended);
    void Skip(QByteArrayView block);
    void Read(QByteArrayView line, bool ended, bool counting);
    QString Decode(QByteArrayView line);
    void Item(const QString& item, bool counting);
    void AddRow(QStringList row);

    Kind kind_;
    QString upperQuery_;
    bool quick_ = false;    // lines without the query are skipped undecoded
    bool caseless_ = false; // the query holds no character that has a case
    std::unique_ptr<Reader> reader_;
    QByteArray carry_; // the start of a line the last chunk cut
    bool first_ = true;
    bool utf8_ = false; // the file began with a byte-order mark
    QString album_;
    QString title_;
    qint64 counted_ = 0;
    bool cut_ = false;
};

} // namespace tolvane
