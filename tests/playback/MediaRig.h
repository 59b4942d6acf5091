#pragma once

#include "app/DeviceState.h"
#include "app/Log.h"
#include "app/PlaybackState.h"
#include "fakes/FakeMci.h"
#include "fakes/FakePlatform.h"
#include "playback/MediaProcedures.h"

#include <gtest/gtest.h>

namespace tolvane {

// What the media procedures work with, over the fake platform; `View` stands for the
// main window.
template <class View> class MediaRig : public ::testing::Test
{
protected:
    // Commands sent since the last look.
    QStringList Sent()
    {
        QStringList sent = mci.Sent();
        mci.ClearSent();
        return sent;
    }

    FakePlatform fake;
    FakeMci mci;
    FakeMciWindow mainWnd;
    FakeMciWindow playWnd;
    View view;
    PlaybackState playback;
    DeviceState device;
    Log log{fake.platform};
    MediaContext context{mci,           mainWnd,    playWnd,  view,   fake.clock,
                         fake.prompter, fake.files, playback, device, log};
};

} // namespace tolvane
