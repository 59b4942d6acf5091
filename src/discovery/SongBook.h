#pragma once

#include "discovery/SongBookIndex.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

namespace tolvane {

class Context;
class Forms;
class MusicScan;

// The song book: discs of music files remembered by their volume serial in the index
// CDROMLib.TXT, with their songs in the catalogue MusicLib.TXT, both in the song
// folder. Consulted and extended by the scan of a whole CD-ROM.
class SongBook
{
public:
    enum Mode { Automatic, Ask, Unused }; // the settings window's Option4

    SongBook(Context& context, Forms& forms) : context_(context), forms_(forms) {}

    // Lays the skinned labels out again after Label1 changed.
    std::function<void()> relayoutLabels;

    SongBookIndex Index() const;
    Mode CurrentMode() const;
    QString Title(const QString& serial) const;

    // True when the album list of the disc on `path` (a bare drive) is taken from the
    // book, so it is not scanned; a damaged entry gives no albums this time.
    bool Lookup(const QString& path, const QString& serial, QStringList& albums);
    // After a whole disc was scanned: in mode "自動", a disc the book lacks is offered
    // for a new entry in the dialog FrmSongLib, and recorded when it is accepted.
    void Offer(MusicScan& scan, const QString& path, const QString& serial,
               const QStringList& albums);
    // The dialog's buttons: 0 accepts, 1 cancels; both close it.
    void Command1_Click(int index);
    // The first proposal for a disc's title.
    QString Proposal(const QString& label, int number) const;

    // The book, index and catalogue, as one file the user keeps; `told` says what was
    // done, or why nothing was.
    bool Export(const QString& localFile, QString& told);
    // Adds the discs of such a file that the book lacks, with their catalogue blocks.
    // A file that is not one changes nothing.
    bool Import(const QString& localFile, QString& told);

    // The parts of an exported book; false when the bytes are not one.
    static bool SplitExport(const QByteArray& bytes, QByteArray& index, QByteArray& catalogue);

private:
    bool WriteCatalogue(const QString& title, const QStringList& albums);
    // Appends whole lines to the catalogue, the old file kept until the new one is saved.
    bool AppendCatalogue(const QByteArray& lines, QString& reason);
    QByteArray ImportedBlocks(const QByteArray& catalogue, const QSet<QString>& titles,
                              const QSet<QString>& known, bool withLoose) const;
    void Progress();

    Context& context_;
    Forms& forms_;
    bool dialogOpen_ = false;
    bool accepted_ = false;
};

} // namespace tolvane
