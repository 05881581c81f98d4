#include "app/scene_progress_window.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace halvern {

namespace {

void keep_answering() { QApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

} // namespace

SceneProgressWindow::SceneProgressWindow(const QString& title, const QString& compiling, QWidget* parent)
    : QDialog(parent), compiling_(compiling)
{
    setObjectName(QStringLiteral("scene_progress"));
    setWindowTitle(title);
    setModal(true);
    resize(410, 200);
    auto* layout = new QVBoxLayout(this);
    caption_ = new QLabel(compiling, this);
    caption_->setObjectName(QStringLiteral("scene_progress_caption"));
    caption_->setWordWrap(true);
    objects_ = new QProgressBar(this);
    objects_->setObjectName(QStringLiteral("scene_progress_objects"));
    pictures_ = new QProgressBar(this);
    pictures_->setObjectName(QStringLiteral("scene_progress_pictures"));
    layout->addWidget(caption_);
    layout->addWidget(objects_);
    layout->addWidget(pictures_);
    layout->addStretch();
}

void SceneProgressWindow::objects(int done, int total)
{
    // Every object would be too often for a large design: a step of the bar is enough.
    if (done != total && done % 64 != 1)
        return;
    caption_->setText(compiling_);
    objects_->setMaximum(std::max(1, total));
    objects_->setValue(done);
    keep_answering();
}

void SceneProgressWindow::pictures(int done, int total)
{
    pictures_->setMaximum(std::max(1, total));
    pictures_->setValue(done);
    keep_answering();
}

void SceneProgressWindow::caption(const std::string& text)
{
    caption_->setText(QString::fromStdString(text));
    keep_answering();
}

} // namespace halvern
