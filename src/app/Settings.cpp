#include "app/Settings.h"

#include "app/Product.h"
#include "app/Text.h"
#include "platform/Registry.h"

namespace tolvane {

QString Settings::KeyPath()
{
    return "Software\\" + Product::Company() + "\\" + Product::Name();
}

QString Settings::GetUserSetting(const QString& key, const QString& fallback) const
{
    QString value;
    if (registry_.Query(HKey::CurrentUser, KeyPath(), key, value))
        return value;
    return fallback;
}

QString Settings::GetUserSetting(const QString& key, const char* fallback) const
{
    return GetUserSetting(key, QString::fromUtf8(fallback));
}

QString Settings::GetUserSetting(const QString& key, int fallback) const
{
    return GetUserSetting(key, QString::number(fallback));
}

QString Settings::GetUserSetting(const QString& key, bool fallback) const
{
    return GetUserSetting(key, BoolText(fallback));
}

void Settings::SaveUserSetting(const QString& key, const QString& value)
{
    registry_.Set(HKey::CurrentUser, KeyPath(), key, value);
}

void Settings::SaveUserSetting(const QString& key, const char* value)
{
    SaveUserSetting(key, QString::fromUtf8(value));
}

void Settings::SaveUserSetting(const QString& key, int value)
{
    SaveUserSetting(key, QString::number(value));
}

void Settings::SaveUserSetting(const QString& key, double value)
{
    SaveUserSetting(key, QString::number(value, 'g', 15));
}

void Settings::SaveUserSetting(const QString& key, bool value)
{
    SaveUserSetting(key, BoolText(value));
}

} // namespace tolvane
