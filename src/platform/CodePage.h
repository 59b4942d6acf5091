#pragma once

#include <QByteArray>
#include <QString>

namespace tolvane {

// Text in the ANSI code page of a Traditional Chinese system (CP950), the form in
// which the program writes its text files. Texts that CP950 cannot carry are written
// as UTF-8 with a byte-order mark instead, so nothing is lost.
class CodePage
{
public:
    explicit CodePage(int number = 950);

    int Number() const { return number_; }

    // Exact conversion; false when a character has no form in the code page.
    bool TryEncode(const QString& text, QByteArray& out) const;
    // CP950 when it carries the whole text, else the UTF-8 BOM and UTF-8.
    QByteArray EncodeFile(const QString& text) const;

    // A UTF-8 BOM or valid UTF-8 reads as UTF-8, anything else as the code page.
    QString DecodeFile(const QByteArray& bytes) const;
    // Bytes known to be in the code page (an invalid sequence becomes U+FFFD).
    QString Decode(const QByteArray& bytes) const;

    static bool IsValidUtf8(const QByteArray& bytes);

private:
    int number_;
    QByteArray iconvName_;
};

} // namespace tolvane
