#pragma once

#include "platform/SystemVolume.h"

#include <QList>

namespace tolvane {

// The system's outputs as a record of the device values they were given.
class FakeSystemVolume : public SystemVolume
{
public:
    void SetAll(quint32 deviceValue) override { values.append(deviceValue); }

    QList<quint32> values;
};

} // namespace tolvane
