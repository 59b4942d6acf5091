#include "platform/LocalNames.h"

#include "platform/CodePage.h"

#include <QStringList>
#include <QStringView>
#include <algorithm>

namespace tolvane {

namespace {

constexpr char16_t kEscapeBase = 0xDC00; // + byte, for bytes 0x80..0xFF

// An escaped byte, not the second half of a character beyond the first plane.
bool EscapedAt(QStringView text, qsizetype at)
{
    const char16_t c = text[at].unicode();
    return c >= 0xDC80 && c <= 0xDCFF && (at == 0 || !text[at - 1].isHighSurrogate());
}

void AppendComponent(QString& out, QByteArrayView part)
{
    if (part.isValidUtf8()) {
        out += QString::fromUtf8(part);
        return;
    }
    for (char c : part) {
        const auto byte = static_cast<unsigned char>(c);
        out += QChar(byte < 0x80 ? char16_t(byte) : char16_t(kEscapeBase + byte));
    }
}

bool HasEscapes(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (EscapedAt(text, i))
            return true;
    }
    return false;
}

} // namespace

QByteArray LocalBytes(const QString& local)
{
    if (!HasEscapes(local))
        return local.toUtf8();
    QByteArray out;
    out.reserve(local.size() * 2);
    const QStringView text(local);
    qsizetype run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!EscapedAt(text, i))
            continue;
        out += text.sliced(run, i - run).toUtf8();
        out += char(text[i].unicode() - kEscapeBase);
        run = i + 1;
    }
    out += text.sliced(run).toUtf8();
    return out;
}

QString LocalName(QByteArrayView bytes)
{
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    QString out;
    out.reserve(bytes.size());
    qsizetype start = 0;
    for (;;) {
        const auto slash = std::find(bytes.begin() + start, bytes.end(), '/');
        const qsizetype end = slash - bytes.begin();
        AppendComponent(out, bytes.sliced(start, end - start));
        if (slash == bytes.end())
            return out;
        out += '/';
        start = end + 1;
    }
}

QString DisplayName(QByteArrayView name)
{
    if (name.isValidUtf8())
        return QString::fromUtf8(name);
    return CodePage(950).Decode(name.toByteArray());
}

QString DisplayPath(const QString& local)
{
    if (!HasEscapes(local))
        return local;
    QStringList parts = local.split('/');
    for (QString& part : parts) {
        if (HasEscapes(part))
            part = DisplayName(LocalBytes(part));
    }
    return parts.join('/');
}

} // namespace tolvane
