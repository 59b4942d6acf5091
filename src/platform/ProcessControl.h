#pragma once

#include <QString>

namespace tolvane {

// Ending the process and handing documents to the desktop. Callers stop their own
// work after End; the event loop ends when control returns to it.
class ProcessControl
{
public:
    virtual ~ProcessControl() = default;
    virtual void End(int code) = 0;
    // Opens a document with the desktop's handler for its type, without a shell.
    virtual bool OpenDocument(const QString& localPath) = 0;
};

class AppProcessControl : public ProcessControl
{
public:
    void End(int code) override;
    bool OpenDocument(const QString& localPath) override;
};

} // namespace tolvane
