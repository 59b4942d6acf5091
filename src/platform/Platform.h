#pragma once

#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/DeviceEvents.h"
#include "platform/DiscTrays.h"
#include "platform/DosFiles.h"
#include "platform/DriveMap.h"
#include "platform/InstanceGuard.h"
#include "platform/Mci.h"
#include "platform/Mpv.h"
#include "platform/ProcessControl.h"
#include "platform/Prompter.h"
#include "platform/Registry.h"

#include <QString>

namespace tolvane {

// The operating-system services the program stands on, by reference; the real set
// is built in main, tests build theirs from fakes.
struct Platform
{
    DriveMap& drives;
    DosFiles& files;
    Registry& registry;
    Prompter& prompter;
    Clock& clock;
    InstanceGuard& instance;
    ProcessControl& process;
    Mci& mci; // the "CDAudio" device
    DeviceEvents& events;
    DiscTrays& trays; // virtual trays of image and folder drives
    CodePage codePage;
    QString windowsFolder; // DOS path
    QString programFolder; // DOS path
    MediaEngine& engine;   // makes every media engine of the program
};

} // namespace tolvane
