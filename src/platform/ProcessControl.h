#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace tolvane {

// Ending the process and handing documents to the desktop.
class ProcessControl
{
public:
    virtual ~ProcessControl() = default;
    // Ends the process with that exit code; nothing of the program runs after it, so
    // no procedure waiting further up the stack resumes.
    virtual void End(int code) = 0;
    // Opens a document with the desktop's handler for its type, without a shell.
    virtual bool OpenDocument(const QString& localPath) = 0;
};

class AppProcessControl : public ProcessControl
{
public:
    void End(int code) override;
    bool OpenDocument(const QString& localPath) override;
    // What End releases first, in the reverse order of the calls: what the system does
    // not free with the process, such as a socket file.
    void AtEnd(std::function<void()> release) { releases_.push_back(std::move(release)); }

private:
    std::vector<std::function<void()>> releases_;
};

} // namespace tolvane
