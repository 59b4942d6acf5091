#include "platform/EndSignals.h"
#include "MediaFixtures.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <csignal>

using namespace tolvane;

// An end signal is handled where the event loop runs, never inside the handler; a
// signal the process was started with ignored (as under nohup) stays ignored. Each of
// them ending the real program is checked with its exit.
TEST(EndSignals, EndSignalsReachTheEventLoopAndIgnoredOnesStayIgnored)
{
    struct Case
    {
        int number;
        bool ignoredBefore;
        QStringList received;
    };
    const Case cases[] = {
        {SIGTERM, false, {"SIGTERM"}},
        {SIGHUP, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        for (int number : {SIGTERM, SIGINT, SIGHUP})
            std::signal(number, SIG_DFL);
        if (c.ignoredBefore)
            std::signal(c.number, SIG_IGN);
        QStringList received;
        {
            EndSignals ends;
            QObject::connect(&ends, &EndSignals::received,
                             [&](int number) { received << EndSignals::Name(number); });
            std::raise(c.number);
            EXPECT_TRUE(received.isEmpty());
            RunEventsFor(100);
        }
        EXPECT_EQ(received, c.received);
        std::signal(c.number, SIG_DFL);
    }
}
