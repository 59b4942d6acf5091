#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

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

    // Every byte sequence of the code page that reads as `c` (beyond ASCII); a few
    // characters have two. None for a character the code page lacks.
    QList<QByteArray> FormsOf(QChar c) const;

    // One line of a file whose lines are each in the code page or in UTF-8: the code
    // page when it carries the line and its bytes do not read back as other UTF-8
    // text; false otherwise (the line then goes as UTF-8).
    bool TryEncodeLine(const QString& line, QByteArray& out) const;
    QByteArray EncodeLine(const QString& line) const;

    // Reads such lines one after another with one converter: a line of valid UTF-8
    // as UTF-8, any other in the code page.
    class LineDecoder
    {
    public:
        explicit LineDecoder(const CodePage& codePage);
        ~LineDecoder();
        LineDecoder(const LineDecoder&) = delete;
        LineDecoder& operator=(const LineDecoder&) = delete;

        QString Decode(const char* data, qsizetype size);

    private:
        struct Converter;
        std::unique_ptr<Converter> converter_;
    };

private:
    struct Codes;
    const Codes& CodeTable() const;

    int number_;
    QByteArray iconvName_;
};

} // namespace tolvane
