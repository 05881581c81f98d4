#include "app_test_support.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPrinter>
#include <QTimer>

#include <map>

#include "app/main_window.h"
#include "app/session.h"
#include "app/startup.h"
#include "plan/plan_edit.h"

namespace halvern::testing {

namespace {

// Watchers still waiting for their window: a test must not leave one to the next test.
int waiting_watchers = 0;

// Widgets need one QApplication for the whole binary; the test main has already chosen the
// offscreen platform.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (QCoreApplication::instance())
            return;
        static int argc = 1;
        static char name[] = "test_app";
        static char* argv[] = {name, nullptr};
        application_ = std::make_unique<QApplication>(argc, argv);
    }
    // Within the test run: Qt cannot be taken down once the program has begun to exit.
    void TearDown() override { application_.reset(); }

private:
    std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] const ::testing::Environment* const qt_environment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace

std::optional<std::filesystem::path> ScriptedPrompts::choose_open(const FileDialogRequest& request)
{
    requests.push_back(request);
    if (files.empty())
        return std::nullopt;
    auto answer = files.front();
    files.pop_front();
    return answer;
}

std::optional<std::filesystem::path> ScriptedPrompts::choose_save(const FileDialogRequest& request)
{
    return choose_open(request);
}

void ScriptedPrompts::load_error(LoadError code, const Error& detail)
{
    load_errors.push_back(code);
    messages.push_back(detail.text());
}

void ScriptedPrompts::note(const Error& note) { messages.push_back(note.text()); }
void ScriptedPrompts::write_failed(const Error& error) { messages.push_back(error.text()); }

UnsavedChoice ScriptedPrompts::ask_unsaved(const std::string& design_name)
{
    ++unsaved_questions;
    unsaved_name = design_name;
    return unsaved_answer;
}

void ScriptedPrompts::inform(const std::string&, const std::string& text) { messages.push_back(text); }
void ScriptedPrompts::warn(const std::string&, const std::string& text) { messages.push_back(text); }

RestoreChoice ScriptedPrompts::ask_restore(const std::string& file_name, const std::string&)
{
    restore_questions.push_back(file_name);
    return restore_answer;
}

bool ScriptedPrompts::confirm(const std::string&, const std::string& question)
{
    confirm_questions.push_back(question);
    return confirm_answer;
}

bool ScriptedPrompts::ask_read_only(const std::string&, const std::string&, long long pid)
{
    read_only_questions.push_back(pid);
    return read_only_answer;
}

bool ScriptedPrompts::choose_printer(QPrinter& printer)
{
    if (print_to.empty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(print_to.string()));
    return true;
}

bool ScriptedPrompts::open_page(const std::string& url)
{
    pages.push_back(url);
    return browser;
}

InstallFolder::InstallFolder()
{
    namespace fs = std::filesystem;
    const fs::path stage = stage_dir();
    fs::create_directories(dir_.path() / "lib");
    for (const char* file : {"lib/en.txt", "lib/fr.txt", "lib/base.qlm"})
        fs::copy_file(stage / file, dir_.path() / file, fs::copy_options::overwrite_existing);
    for (const char* folder : {"lib/ico", "lib/cur"})
        fs::copy(stage / folder, dir_.path() / folder, fs::copy_options::recursive);
    fs::create_directories(dir_.path() / "extlib");
    fs::create_directories(dir_.path() / "temp");
}

Editor::Editor(const std::filesystem::path& app_dir, std::map<std::string, std::string, std::less<>> stored,
               std::optional<std::string> lang_option)
{
    auto store = std::make_unique<MemorySettingsStore>();
    store->values = std::move(stored);
    session = std::make_unique<Session>(app_dir, std::move(store));
    session->lang_option = std::move(lang_option);
    std::vector<Error> notes = load_session(*session, nullptr);
    window = open_editor(*session, prompts, notes);
}

Editor::~Editor()
{
    // A window that never opened is reported by its own test, not by the next one.
    for (int turn = 0; waiting_watchers > 0 && turn < 1000; ++turn)
        QApplication::processEvents();
}

QAction* Editor::action(int command) const { return window->command_action(command); }

void Editor::trigger(int command) const
{
    QAction* a = action(command);
    ASSERT_NE(a, nullptr) << "no menu entry " << command;
    a->trigger();
}

int zoom_command(double factor)
{
    for (int k = 0; k <= command::zoom_last - command::zoom_first; ++k)
        if (zoom_presets[k] == factor)
            return command::zoom_first + k;
    ADD_FAILURE() << "no zoom preset of " << factor;
    return 0;
}

namespace {

void watch_for_window(const QString& name, std::function<void(QWidget&)> act, int turns)
{
    QTimer::singleShot(0, [name, act = std::move(act), turns]() mutable {
        QWidget* w = QApplication::activeModalWidget();
        if ((!w || w->objectName() != name) && turns > 0)
            return watch_for_window(name, std::move(act), turns - 1);
        --waiting_watchers;
        ASSERT_TRUE(w && w->objectName() == name) << name.toStdString() << " did not open";
        act(*w);
    });
}

} // namespace

void when_window_opens(const QString& name, std::function<void(QWidget&)> act, int turns)
{
    ++waiting_watchers;
    watch_for_window(name, std::move(act), turns);
}

int place_object(Session& session, int component, float x, float y, float rot)
{
    Result<int> made = create_object(session.plan, session.components, component, x, y);
    EXPECT_TRUE(made.ok());
    const int i = made.ok() ? *made : 0;
    if (i > 0)
        session.plan.obj_rot[size_t(i)] = rot;
    session.plan.index_focus = 0;
    return i;
}

} // namespace halvern::testing
