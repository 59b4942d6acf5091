#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

namespace tolvane {

enum class HKey { ClassesRoot, CurrentUser, LocalMachine };

// The system registry: string values under keys of three roots. An empty value
// name stands for the unnamed (default) value. Key and value names ignore case.
class Registry
{
public:
    virtual ~Registry() = default;
    // False when the key or value does not exist.
    virtual bool Query(HKey root, const QString& key, const QString& name,
                       QString& value) const = 0;
    // Creates the key when missing.
    virtual bool Set(HKey root, const QString& key, const QString& name, const QString& value) = 0;

    static QString RootName(HKey root);
    // The values the system itself provides, written when missing: the version
    // that this platform layer stands in for.
    static void SeedSystemValues(Registry& registry);
};

// The registry kept in one per-user text file in the form of a .reg export:
//   [HKEY_CURRENT_USER\Software\Ostrana\Tolvane99 V1.1]
//   "Volume"="1000"
//   @="the unnamed value"
// Backslashes and quotes inside values are escaped with a backslash.
class FileRegistry : public Registry
{
public:
    explicit FileRegistry(QString localPath);

    bool Query(HKey root, const QString& key, const QString& name, QString& value) const override;
    bool Set(HKey root, const QString& key, const QString& name, const QString& value) override;

    const QString& Path() const { return path_; }
    static QString DefaultPath(const QString& home);

private:
    struct Entry
    {
        QString key; // as first written
        QString name;
        QString value;
    };
    using Table = QHash<QString, Entry>; // by lower-cased "key\nname"

    void Reload() const;
    bool Save() const;
    static QString Id(const QString& key, const QString& name);

    QString path_;
    mutable Table table_;
    mutable QList<QString> order_; // ids in file order
    mutable QDateTime loadedStamp_;
    mutable qint64 loadedSize_ = -1;
};

} // namespace tolvane
