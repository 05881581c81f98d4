#include "app/splash_window.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "base/shell_state.h"

namespace halvern {

QString version_label(const char* stage)
{
    return QStringLiteral("%1 %2 Build %3").arg(QString::fromLatin1(stage), QString::fromLatin1(program_version)).arg(program_build);
}

SplashWindow::SplashWindow(Kind kind, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("splash"));
    auto* title = new QLabel(QStringLiteral("Halvern Visual Design"), this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    title->setFont(big);
    version_ = new QLabel(version_label(kind == Kind::startup ? "Beta" : "AlphaV"), this);
    version_->setObjectName(QStringLiteral("splash_version"));
    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("splash_caption"));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("splash_progress"));
    progress_->setRange(0, 0);
    library_ = new QLabel(this);
    library_->setObjectName(QStringLiteral("splash_library"));
    component_ = new QLabel(this);
    component_->setObjectName(QStringLiteral("splash_component"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->addWidget(title);
    layout->addWidget(version_);
    layout->addSpacing(12);
    layout->addWidget(caption_);
    layout->addWidget(progress_);
    layout->addWidget(library_);
    layout->addWidget(component_);
    setFixedSize(440, 220);
    setAutoFillBackground(true);
    since_drawn_.start();
}

void SplashWindow::set_caption(const QString& text)
{
    caption_->setText(text);
    show_now(true);
}

void SplashWindow::begin(int minimum, int maximum)
{
    progress_->setRange(minimum, std::max(minimum, maximum));
    progress_->setValue(minimum);
    show_now(true);
}

void SplashWindow::library(int number, std::string_view name)
{
    progress_->setValue(number);
    library_->setText(QString::fromUtf8(name.data(), qsizetype(name.size())));
    show_now(false);
}

void SplashWindow::component(std::string_view name)
{
    if (since_drawn_.elapsed() < 30)
        return;
    component_->setText(QString::fromUtf8(name.data(), qsizetype(name.size())));
    show_now(false);
}

void SplashWindow::show_now(bool force)
{
    if (!force && since_drawn_.elapsed() < 30)
        return;
    since_drawn_.restart();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace halvern
