#include "app/recent_designs.h"

#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <filesystem>

#include "platform/qt_settings_store.h"

namespace halvern {

namespace {

constexpr const char* group = "Recent";
constexpr const char* key = "designs";

// The settings file of the program (see the settings store), in its own group.
QSettings settings_file()
{
    return QSettings(settings_file_format(), QSettings::UserScope, QStringLiteral("Quilma Editor"),
                     QStringLiteral("Quilma Editor"));
}

void store(const std::vector<std::string>& list)
{
    QStringList values;
    for (const std::string& path : list)
        values << QString::fromStdString(path);
    QSettings settings = settings_file();
    settings.beginGroup(group);
    settings.setValue(key, values);
    settings.endGroup();
    settings.sync();
}

} // namespace

std::vector<std::string> with_recent(std::vector<std::string> list, const std::string& path, size_t limit)
{
    std::erase(list, path);
    list.insert(list.begin(), path);
    if (list.size() > limit)
        list.resize(limit);
    return list;
}

std::vector<std::string> RecentDesigns::list() const
{
    QSettings settings = settings_file();
    settings.beginGroup(group);
    std::vector<std::string> list;
    for (const QString& path : settings.value(key).toStringList())
        if (!path.isEmpty() && list.size() < limit && std::find(list.begin(), list.end(), path.toStdString()) == list.end())
            list.push_back(path.toStdString());
    return list;
}

void RecentDesigns::add(const std::string& path)
{
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    store(with_recent(list(), ec ? path : absolute.lexically_normal().string(), limit));
}

void RecentDesigns::clear() { store({}); }

} // namespace halvern
