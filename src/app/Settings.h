#pragma once

#include <QString>

namespace tolvane {

class Registry;

// The per-user settings store: flat named text values of the application "Ostrana",
// section "Tolvane99 V1.1". Numbers are stored as decimal text, option buttons as
// "True"/"False", check boxes as "0"/"1".
class Settings
{
public:
    explicit Settings(Registry& registry) : registry_(registry) {}

    // The stored text; the default when the key is missing (an empty value stays empty).
    QString GetUserSetting(const QString& key, const QString& fallback = QString()) const;
    QString GetUserSetting(const QString& key, const char* fallback) const;
    QString GetUserSetting(const QString& key, int fallback) const;
    QString GetUserSetting(const QString& key, bool fallback) const;

    void SaveUserSetting(const QString& key, const QString& value);
    void SaveUserSetting(const QString& key, const char* value);
    void SaveUserSetting(const QString& key, int value);
    void SaveUserSetting(const QString& key, double value);
    void SaveUserSetting(const QString& key, bool value);

    static QString KeyPath();

private:
    Registry& registry_;
};

} // namespace tolvane
