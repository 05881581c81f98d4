#include "platform/qt_settings_store.h"

#include <QIODevice>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include "base/settings_file.h"
#include "base/text_file.h"

namespace halvern {

namespace {
QString key_of(std::string_view key)
{
    return QStringLiteral("Current/") + QString::fromUtf8(key.data(), qsizetype(key.size()));
}

// QSettings' own INI reader lets a stray quote run on over the following lines; ours keeps each
// damaged value to its line, in the same file layout.
bool read_settings_device(QIODevice& device, QSettings::SettingsMap& map)
{
    const QByteArray bytes = device.read(qint64(small_file_bytes_max));
    const SettingsFileRead read = parse_settings_file(std::string_view(bytes.constData(), size_t(bytes.size())));
    for (const auto& [key, parts] : read.values) {
        QStringList list;
        for (const std::string& part : parts)
            list << QString::fromStdString(part);
        if (list.size() == 1)
            map.insert(QString::fromStdString(key), list.front());
        else if (!list.isEmpty())
            map.insert(QString::fromStdString(key), list);
        else
            map.insert(QString::fromStdString(key), QVariant());
    }
    return true;
}

bool write_settings_device(QIODevice& device, const QSettings::SettingsMap& map)
{
    SettingsText values;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        std::vector<std::string>& parts = values[it.key().toStdString()];
        if (it.value().typeId() == QMetaType::QStringList)
            for (const QString& part : it.value().toStringList())
                parts.push_back(part.toStdString());
        else if (it.value().isValid())
            parts.push_back(it.value().toString().toStdString());
    }
    const std::string text = format_settings_file(values);
    return device.write(text.data(), qint64(text.size())) == qint64(text.size());
}

} // namespace

QSettings::Format settings_file_format()
{
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("conf"), read_settings_device, write_settings_device);
    return format;
}

QtSettingsStore::QtSettingsStore()
{
    // QSettings reads its file as it is made: look at what is there first. The name is the one
    // QSettings gives a user's native settings on Linux.
    const std::filesystem::path path =
        std::filesystem::path(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString())
        / "Quilma Editor" / "Quilma Editor.conf";
    if (!nothing_at(path)) {
        if (auto bytes = read_file_bytes(path, small_file_bytes_max); !bytes) {
            unreadable_ = make_error(bytes.error().message + "; the settings are not read and not saved", path);
            return;
        }
    }
    settings_ = std::make_unique<QSettings>(settings_file_format(), QSettings::UserScope,
                                            QStringLiteral("Quilma Editor"), QStringLiteral("Quilma Editor"));
}

QtSettingsStore::~QtSettingsStore() = default;

std::string QtSettingsStore::read(std::string_view key)
{
    if (unreadable_)
        return memory_.read(key);
    QVariant value = settings_->value(key_of(key));
    // The INI format splits an unquoted "1,0" into a list; the value the user stored is the text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    return value.toString().toStdString();
}

void QtSettingsStore::write(std::string_view key, std::string_view value)
{
    if (unreadable_)
        return memory_.write(key, value);
    settings_->setValue(key_of(key), QString::fromUtf8(value.data(), qsizetype(value.size())));
}

std::string QtSettingsStore::read_in_group(std::string_view group, std::string_view key)
{
    if (unreadable_ || group == "Current")
        return SettingsStore::read_in_group(group, key);
    return settings_->value(QString::fromUtf8(group.data(), qsizetype(group.size())) + QLatin1Char('/') +
                            QString::fromUtf8(key.data(), qsizetype(key.size())))
        .toString()
        .toStdString();
}

void QtSettingsStore::write_in_group(std::string_view group, std::string_view key, std::string_view value)
{
    if (unreadable_ || group == "Current")
        return SettingsStore::write_in_group(group, key, value);
    settings_->setValue(QString::fromUtf8(group.data(), qsizetype(group.size())) + QLatin1Char('/') +
                            QString::fromUtf8(key.data(), qsizetype(key.size())),
                        QString::fromUtf8(value.data(), qsizetype(value.size())));
}

Result<void> QtSettingsStore::flush()
{
    if (unreadable_)
        return *unreadable_;
    settings_->sync();
    if (settings_->status() != QSettings::NoError)
        return make_error("the settings cannot be saved", file());
    return {};
}

std::filesystem::path QtSettingsStore::file() const
{
    if (unreadable_)
        return unreadable_->file;
    return std::filesystem::path(settings_->fileName().toStdString());
}

} // namespace halvern
