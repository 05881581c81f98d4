#include "app/view3d_window.h"

#include <QByteArray>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/design_notifier.h"
#include "app/session.h"
#include "app/view3d_widget.h"
#include "base/error_words.h"
#include "base/ui_text_ids.h"
#include "platform/prompts.h"
#include "view3d/view_picture.h"

namespace halvern {

namespace {

constexpr std::string_view settings_group = "View3D";

struct ViewButton {
    const char* name;
    int text;
    StandardView view;
};

constexpr ViewButton view_buttons[] = {
    {"view3d_iso", ui::view3d_iso, StandardView::iso},     {"view3d_front", ui::view3d_front, StandardView::front},
    {"view3d_top", ui::view3d_top, StandardView::top},     {"view3d_left", ui::view3d_left, StandardView::left},
    {"view3d_right", ui::view3d_right, StandardView::right},
};

} // namespace

View3dWindow::View3dWindow(Session& session, DesignNotifier& notifier, Prompts& prompts, QWidget* parent)
    // A tool window of the main window: the window manager keeps it above the plan it shows, so a
    // click in the plan never buries it; it keeps the buttons of an ordinary window.
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint),
      session_(session), prompts_(prompts)
{
    setObjectName("view3d_window");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* buttons = new QHBoxLayout;
    picture_ = new View3dWidget(this);
    auto add_button = [&](const char* name, auto action) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, action);
        buttons->addWidget(button);
    };
    add_button("view3d_view_all", [this] { picture_->view_all(); });
    for (const ViewButton& b : view_buttons)
        add_button(b.name, [this, view = b.view] { picture_->set_view(view); });
    buttons->addStretch(1);
    add_button("view3d_save", [this] { ask_and_save(); });
    layout->addLayout(buttons);
    layout->addWidget(picture_, 1);
    status_ = new QLabel(this);
    status_->setObjectName("view3d_status");
    status_->setWordWrap(true);
    layout->addWidget(status_);
    apply_texts();

    resize(800, 600);
    const std::string place = session_.store->read_in_group(settings_group, "geometry");
    if (!place.empty())
        place_restored_ = restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(place)));

    components_ = std::make_shared<const ComponentTable>(session_.components);
    connect(&notifier, &DesignNotifier::changed, this, &View3dWindow::follow);
}

View3dWindow::~View3dWindow()
{
    // The build in flight reads only its own copies; it is waited for so it never outlives us.
    if (worker_.joinable())
        worker_.join();
}

void View3dWindow::apply_texts()
{
    setWindowTitle(QString::fromStdString(session_.text(ui::view3d_title)));
    auto set = [this](const char* name, int text) {
        if (auto* b = findChild<QToolButton*>(name))
            b->setText(QString::fromStdString(session_.text(text)));
    };
    set("view3d_view_all", ui::view3d_view_all);
    for (const ViewButton& b : view_buttons)
        set(b.name, b.text);
    set("view3d_save", ui::view3d_save);
}

void View3dWindow::show_variant(VrmlVariant variant)
{
    const bool other = variant != variant_;
    variant_ = variant;
    if (other && schedule_.changed())
        start_build();
}

void View3dWindow::follow(Changes what)
{
    if (what.has(Change::language))
        apply_texts();
    if (what.has(Change::library))
        components_ = std::make_shared<const ComponentTable>(session_.components);
    if (what.has(Change::objects) || what.has(Change::renumbered) || what.has(Change::file) ||
        what.has(Change::library)) {
        if (schedule_.changed())
            start_build();
    }
}

void View3dWindow::start_build()
{
    if (worker_.joinable())
        worker_.join();
    SceneSnapshot snapshot{components_,        session_.plan, session_.stand, session_.app_dir(),
                           session_.settings().config_player, variant_};
    // The text and the reading of what changed both run on the worker, and the plan stays free
    // meanwhile. The window's thread only swaps the objects read into the picture.
    worker_ = std::thread([this, build = builder_, snapshot = std::move(snapshot)]() mutable {
        BuiltModel model = build(snapshot, model_);
        // The window outlives this thread (its destructor waits), so the queued call finds it.
        QMetaObject::invokeMethod(this, [this, model = std::move(model)]() mutable { built(std::move(model)); },
                                  Qt::QueuedConnection);
    });
}

void View3dWindow::built(BuiltModel model)
{
    if (worker_.joinable())
        worker_.join();
    std::string said;
    for (const std::string& message : model.messages)
        said += error_words_in(message, session_.lang()) + "\n"; // our window: the interface's words
    if (picture_->without_opengl())
        said += session_.text(ui::view3d_no_opengl);
    while (!said.empty() && said.back() == '\n')
        said.pop_back();
    status_->setText(QString::fromStdString(said));
    status_->setVisible(!said.empty());
    picture_->set_model(model);
    ++scenes_shown_;
    emit scene_shown();
    if (schedule_.finished())
        start_build();
}

void View3dWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (schedule_.set_visible(true))
        start_build();
}

void View3dWindow::hideEvent(QHideEvent* event)
{
    remember_place();
    (void)schedule_.set_visible(false);
    QWidget::hideEvent(event);
}

void View3dWindow::remember_place()
{
    session_.store->write_in_group(settings_group, "geometry", saveGeometry().toBase64().toStdString());
    (void)session_.store->flush();
}

Result<void> View3dWindow::save_picture(const std::filesystem::path& file, QSize size)
{
    if (!view_picture_format(file))
        return make_error("a picture of the 3D view is saved as .png, .jpg or .jpeg", file);
    Result<QImage> image = picture_->picture(size);
    if (!image)
        return image.error();
    return save_view_picture(*image, file);
}

void View3dWindow::ask_and_save()
{
    QDialog ask(this);
    ask.setObjectName("view3d_save_size");
    ask.setWindowTitle(QString::fromStdString(session_.text(ui::view3d_save)));
    auto* form = new QFormLayout(&ask);
    auto* width = new QSpinBox(&ask);
    auto* height = new QSpinBox(&ask);
    width->setObjectName("view3d_save_width");
    height->setObjectName("view3d_save_height");
    for (QSpinBox* box : {width, height}) {
        box->setRange(16, 8192);
        box->setSuffix(" px");
    }
    width->setValue(std::max(16, picture_->width() * 2));
    height->setValue(std::max(16, picture_->height() * 2));
    form->addRow("W", width);
    form->addRow("H", height);
    auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &ask);
    connect(ok, &QDialogButtonBox::accepted, &ask, &QDialog::accept);
    connect(ok, &QDialogButtonBox::rejected, &ask, &QDialog::reject);
    form->addRow(ok);
    if (ask.exec() != QDialog::Accepted)
        return;
    auto file = prompts_.choose_save({session_.text(ui::view3d_save), session_.settings().export_path, "png",
                                      "PNG|*.png;JPEG|*.jpg;", session_.text(ui::view3d_default_file)});
    if (!file || file->empty())
        return;
    if (Result<void> saved = save_picture(*file, QSize(width->value(), height->value())); !saved)
        prompts_.warn("Halvern Visual Design",
                      session_.text(ui::message_write_failed) + " " + saved.error().text());
}

} // namespace halvern
