#include "platform/desktop_open.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace halvern {

namespace {

// One line of a short query; empty when the tool fails or says nothing.
QString query(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(5000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

} // namespace

bool desktop_has_program_for(const std::filesystem::path& file)
{
    const QString mime_tool = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (mime_tool.isEmpty())
        return true;
    const QString type = query(mime_tool, {QStringLiteral("query"), QStringLiteral("filetype"),
                                           QString::fromStdString(file.string())});
    if (type.isEmpty())
        return false;
    return !query(mime_tool, {QStringLiteral("query"), QStringLiteral("default"), type}).isEmpty();
}

bool open_with_desktop_program(const std::filesystem::path& file)
{
    if (!desktop_has_program_for(file))
        return false;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty())
        return QProcess::startDetached(opener, {QString::fromStdString(file.string())});
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
}

} // namespace halvern
