#pragma once

#include "discovery/SongCatalogue.h"

#include <QString>
#include <functional>

namespace tolvane {

class Context;
class Forms;
class ListView;
class SettingsWindow;
class SongBook;

// The procedures of the song book window frmFindMusic: the list of recorded discs, the
// song and album search of the catalogue, sorting by a column, import and export, and
// closing.
class SongBookWindow
{
public:
    SongBookWindow(Context& context, Forms& forms, SettingsWindow& settings, SongBook& book);

    // The file to export to (`saving`) or import from, a local path; empty when the
    // user cancels. A file dialog unless replaced.
    std::function<QString(bool saving)> chooseFile;

    // The settings window's button "歌本管理" and the menu entry mFindMusic: centred
    // over the main window with its disc list, the settings window disabled meanwhile.
    void Open();
    // Fills ListView2 from the index.
    void LoadDiscs();
    // Fills ListView1 and tells the count in the status bar's second panel.
    void Search(CatalogueSearch::Kind kind);
    // Sorts a view by a column, the other way round from its last sort.
    void ColumnClick(ListView& view, int column);
    // "放棄", "匯入歌本", "匯出歌本".
    void Command2_Click(int index);
    // Hides the window, enables the settings window again (and the main window when
    // the settings window is not showing) and saves the settings.
    void CloseForm();

private:
    void Wire();
    void Tell(const QString& text, bool ok);

    Context& context_;
    Forms& forms_;
    SettingsWindow& settings_;
    SongBook& book_;
    bool wired_ = false;
    bool searching_ = false;
    bool stop_ = false; // a search running while the window closes ends
};

} // namespace tolvane
