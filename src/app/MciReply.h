#pragma once

#include <QString>
#include <array>

namespace tolvane {

// The one shared reply buffer of every MCI command that expects an answer: 20
// characters; the device writes its answer and a terminating zero into it.
class MciReplyBuffer
{
public:
    static constexpr int kLength = 20;

    MciReplyBuffer() { Fill(); }
    QChar* Data() { return chars_.data(); }
    void Fill(QChar c = QChar(' ')) { chars_.fill(c); }
    // The text up to the end of the device's answer.
    QString Text() const
    {
        int end = 0;
        while (end < kLength && chars_[end] != QChar(0))
            ++end;
        return QString(chars_.data(), end);
    }

private:
    std::array<QChar, kLength> chars_;
};

} // namespace tolvane
