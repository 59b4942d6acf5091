#pragma once

#include <QLibrary>
#include <QString>

namespace tolvane {

// A library opened at run time and the entry points taken from it. The library stays
// mapped for the rest of the run: QLibrary leaves it loaded when it goes.
class LibraryEntries
{
public:
    LibraryEntries(const char* name, int version) : library_(name, version)
    {
        if (!library_.load())
            error_ = library_.errorString();
    }

    // Points `entry` at the library's symbol; the first one missing is remembered.
    template <typename Function> void Take(const char* symbol, Function& entry)
    {
        entry = reinterpret_cast<Function>(library_.resolve(symbol));
        if (!entry && error_.isEmpty())
            error_ = library_.errorString();
    }

    bool Loaded() const { return library_.isLoaded(); }
    // Every entry point taken.
    bool Complete() const { return Loaded() && error_.isEmpty(); }
    // Why the library or an entry point is missing; empty when none is.
    const QString& Error() const { return error_; }

private:
    QLibrary library_;
    QString error_;
};

} // namespace tolvane
