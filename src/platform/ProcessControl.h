#pragma once

namespace tolvane {

// Ending the process. Callers stop their own work after End; the event loop ends
// when control returns to it.
class ProcessControl
{
public:
    virtual ~ProcessControl() = default;
    virtual void End(int code) = 0;
};

class AppProcessControl : public ProcessControl
{
public:
    void End(int code) override;
};

} // namespace tolvane
