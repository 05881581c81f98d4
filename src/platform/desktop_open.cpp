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

bool desktop_has_handler(const std::string& mime_type)
{
    const QString mime_tool = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (mime_tool.isEmpty())
        return true; // no way to ask: let the opening tell
    return !query(mime_tool, {QStringLiteral("query"), QStringLiteral("default"), QString::fromStdString(mime_type)})
                .isEmpty();
}

bool desktop_has_program_for(const std::filesystem::path& file)
{
    const QString mime_tool = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (mime_tool.isEmpty())
        return true;
    const QString type = query(mime_tool, {QStringLiteral("query"), QStringLiteral("filetype"),
                                           QString::fromStdString(file.string())});
    return !type.isEmpty() && desktop_has_handler(type.toStdString());
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

bool open_web_page(const std::string& url)
{
    // The desktop's opener starts in the background and fails there, unseen, when no web browser is
    // installed: whether there is one is asked first, the way the opener looks for it.
    bool browser = qEnvironmentVariableIsSet("BROWSER");
    for (const char* name : {"x-www-browser", "www-browser", "firefox", "firefox-esr", "chromium", "google-chrome",
                             "epiphany", "konqueror", "falkon"})
        browser = browser || !QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty();
    browser = browser || desktop_has_handler("x-scheme-handler/https");
    return browser && QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

} // namespace halvern
