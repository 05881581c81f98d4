#include "platform/qt_settings_store.h"

#include <QSettings>
#include <QString>
#include <QStringList>

namespace halvern {

namespace {
QString key_of(std::string_view key)
{
    return QStringLiteral("Current/") + QString::fromUtf8(key.data(), qsizetype(key.size()));
}
} // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("Quilma Editor"), QStringLiteral("Quilma Editor")))
{
}

QtSettingsStore::~QtSettingsStore() = default;

std::string QtSettingsStore::read(std::string_view key)
{
    QVariant value = settings_->value(key_of(key));
    // The INI format splits an unquoted "1,0" into a list; the value the user stored is the text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    return value.toString().toStdString();
}

void QtSettingsStore::write(std::string_view key, std::string_view value)
{
    settings_->setValue(key_of(key), QString::fromUtf8(value.data(), qsizetype(value.size())));
}

Result<void> QtSettingsStore::flush()
{
    settings_->sync();
    if (settings_->status() != QSettings::NoError)
        return make_error("the settings cannot be saved", file());
    return {};
}

std::filesystem::path QtSettingsStore::file() const
{
    return std::filesystem::path(settings_->fileName().toStdString());
}

} // namespace halvern
