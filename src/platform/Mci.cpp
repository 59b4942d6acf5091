#include "platform/Mci.h"

namespace tolvane {

QString MciModeName(int mode)
{
    switch (mode) {
    case kMciModeNotReady:
        return "not ready";
    case kMciModeStop:
        return "stopped";
    case kMciModePlay:
        return "playing";
    case kMciModeRecord:
        return "recording";
    case kMciModeSeek:
        return "seeking";
    case kMciModePause:
        return "paused";
    case kMciModeOpen:
        return "open";
    }
    return QString();
}

namespace {

// Words split at blanks; a double-quoted word may hold blanks. Empty on an open quote.
std::optional<QStringList> SplitWords(const QString& text)
{
    QStringList words;
    int i = 0;
    const int n = text.size();
    while (i < n) {
        while (i < n && text[i].isSpace())
            ++i;
        if (i >= n)
            break;
        if (text[i] == '"') {
            int end = text.indexOf('"', i + 1);
            if (end < 0)
                return std::nullopt;
            words.append(text.mid(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        int start = i;
        while (i < n && !text[i].isSpace())
            ++i;
        words.append(text.mid(start, i - start));
    }
    return words;
}

QString TwoDigits(int n)
{
    return QString::number(n).rightJustified(2, '0');
}

} // namespace

std::optional<MciCommand> MciCommand::Parse(const QString& text)
{
    auto split = SplitWords(text);
    if (!split || split->isEmpty())
        return std::nullopt;
    MciCommand command;
    command.verb = split->takeFirst().toLower();
    if (!split->isEmpty())
        command.device = split->takeFirst();
    for (const QString& word : *split) {
        QString lower = word.toLower();
        if (lower == "wait")
            command.wait = true;
        else if (lower == "notify")
            command.notify = true;
        else
            command.words.append(lower);
    }
    return command;
}

bool MciCommand::Starts(std::initializer_list<const char*> lead) const
{
    if (static_cast<qsizetype>(lead.size()) > words.size())
        return false;
    int i = 0;
    for (const char* word : lead) {
        if (words[i++] != QLatin1String(word))
            return false;
    }
    return true;
}

QString FormatMsf(int frames)
{
    if (frames < 0)
        frames = 0;
    int minutes = frames / (60 * kCdFramesPerSecond);
    int seconds = frames / kCdFramesPerSecond % 60;
    return TwoDigits(minutes) + ":" + TwoDigits(seconds) + ":" +
           TwoDigits(frames % kCdFramesPerSecond);
}

QString FormatTmsf(int track, int frames)
{
    return TwoDigits(track) + ":" + FormatMsf(frames);
}

std::optional<QList<int>> SplitColonFields(const QString& text)
{
    QList<int> fields;
    for (const QString& part : text.split(':')) {
        bool ok = false;
        int value = part.toInt(&ok);
        if (!ok || value < 0)
            return std::nullopt;
        fields.append(value);
    }
    return fields;
}

int Mci::SendString(const QString& command, QChar* reply, int length)
{
    // The older half goes once the record holds twice what it keeps.
    if (sent_.size() >= 2 * kKept)
        sent_.remove(0, sent_.size() - kKept);
    sent_.append(command);
    QString answer;
    int code = Execute(command, answer);
    if (reply == nullptr || length <= 0)
        return code;
    if (answer.size() > length - 1) {
        answer.truncate(length - 1);
        if (code == kMciOk)
            code = kMciErrParamOverflow;
    }
    for (int i = 0; i < answer.size(); ++i)
        reply[i] = answer[i];
    reply[answer.size()] = QChar(0);
    return code;
}

} // namespace tolvane
