#include "platform/qt_settings_store.h"

#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include "base/text_file.h"

namespace halvern {

namespace {
QString key_of(std::string_view key)
{
    return QStringLiteral("Current/") + QString::fromUtf8(key.data(), qsizetype(key.size()));
}
} // namespace

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
    settings_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
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
