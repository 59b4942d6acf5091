#include "app/Messages.h"

#include "platform/Prompter.h"

namespace tolvane {

QString ShowMessage(Prompter& prompter, const QString& prompt, const QString& kind, int extraStyle)
{
    struct Kind
    {
        const char* name;
        int style;
        const char* caption;
    };
    static const Kind kinds[] = {
        {"ok", kMbOk | kMbIconInformation, "Message"},
        {"error", kMbOk | kMbIconStop, "Error Message"},
        {"info", kMbOk | kMbIconInformation, "Message"},
        {"exc", kMbOk | kMbIconExclamation, "Exclamation"},
        {"yesno", kMbYesNo | kMbIconQuestion, "Question"},
    };
    QString lower = kind.toLower();
    int style = kMbOk;
    QString caption = QStringLiteral("Tolvane99");
    for (const Kind& k : kinds) {
        if (lower == QLatin1String(k.name)) {
            style = k.style;
            caption = QString::fromLatin1(k.caption);
        }
    }
    return QString::number(prompter.MessageBox(prompt, style | extraStyle, caption));
}

} // namespace tolvane
