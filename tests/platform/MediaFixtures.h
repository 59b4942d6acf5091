#pragma once

#include "platform/Mpv.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace tolvane {

// The generated media of scripts/make-fixtures.sh, made once per test program.
inline const QString& MediaFixtures()
{
    static QTemporaryDir dir;
    static QString path = [] {
        QProcess script;
        script.start("sh", {TOLVANE_SOURCE_DIR "/scripts/make-fixtures.sh", dir.path()});
        if (!script.waitForFinished(120000) || script.exitCode() != 0)
            ADD_FAILURE() << "fixtures not made: " << script.readAllStandardError().toStdString();
        return dir.path();
    }();
    return path;
}

// The engines of the platform tests: no picture, no sound.
inline MediaEngine& Headless()
{
    static MediaEngine engine({{"vo", "null"}, {"ao", "null"}});
    return engine;
}

// Lets events run until the condition holds or the time is up (by default a margin that
// holds on a loaded machine); returns the condition.
inline bool RunEventsUntil(const std::function<bool()>& condition, int milliseconds = 30000)
{
    QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

inline void RunEventsFor(int milliseconds)
{
    RunEventsUntil([] { return false; }, milliseconds);
}

} // namespace tolvane
