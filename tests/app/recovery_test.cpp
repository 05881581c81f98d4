// Never losing a design: the copy kept aside while it is unsaved, its recovery after an editor was
// killed, the recent designs and one editor per file.

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QProcess>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <thread>

#include <sys/stat.h>

#include "app/design_lock.h"
#include "app/main_window.h"
#include "app/recent_designs.h"
#include "app/recovery_files.h"
#include "app/session.h"
#include "app/startup.h"
#include "app_test_support.h"

using namespace halvern;
using namespace halvern::testing;
namespace fs = std::filesystem;

namespace {

using Positions = std::vector<std::pair<float, float>>;

Positions positions(const Session& s)
{
    Positions out;
    for (int i = 1; i <= s.plan.nb_objets; ++i)
        out.emplace_back(s.plan.obj_x[size_t(i)], s.plan.obj_y[size_t(i)]);
    return out;
}

void place(Editor& e, float x, float y)
{
    place_object(*e.session, 0, x, y);
    e.window->design_changed("Place");
}

// Lets the event loop run until `done` holds; gives up (and the caller's check fails) after a
// generous while, so that a fault cannot hang the run.
template <class F> bool spin_until(F done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 60'000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// Each test has a data folder of its own, hence its own copies.
class RecoveryTest : public ::testing::Test {
protected:
    RecoveryTest() { setenv("XDG_DATA_HOME", data.path().c_str(), 1); }
    ScratchDir data;
    InstallFolder folder;
    ScratchDir documents;

    fs::path saved_design(Editor& e, const char* name)
    {
        e.prompts.files.push_back(documents / name);
        e.window->files().save(false);
        return documents / name;
    }
};

} // namespace

TEST_F(RecoveryTest, AnEditIsKeptAsideAfterTheIntervalNeverOverTheDesignAndGoesOnSave)
{
    Editor e{folder.path()};
    const fs::path design = saved_design(e, "stand.qlm");
    const std::string on_disk = read_bytes(design);
    Autosave& autosave = e.window->autosave();
    const fs::path copy = autosave.files().copy();
    EXPECT_EQ(autosave.interval(), std::chrono::minutes(1));
    EXPECT_FALSE(fs::exists(copy));

    autosave.set_interval(std::chrono::milliseconds(1));
    place(e, 200, 150);
    ASSERT_TRUE(spin_until([&] { return fs::exists(copy); }));
    EXPECT_EQ(read_bytes(design), on_disk);
    EXPECT_EQ(copy.parent_path(), RecoveryFiles::default_folder());

    e.window->files().save(false);
    EXPECT_FALSE(e.window->history().modified());
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_NE(read_bytes(design), on_disk);
}

TEST_F(RecoveryTest, TwoEditorsKeepSeparateCopiesAndACleanCloseLeavesNone)
{
    Editor one{folder.path()}, two{folder.path()};
    place(one, 200, 150);
    place(two, 200, 150);
    place(two, 300, 150);
    one.window->autosave().write_if_due();
    two.window->autosave().write_if_due();
    const fs::path a = one.window->autosave().files().copy(), b = two.window->autosave().files().copy();
    ASSERT_NE(a, b);
    ASSERT_TRUE(fs::exists(a));
    ASSERT_TRUE(fs::exists(b));
    // Both editors run: neither copy is offered.
    EXPECT_TRUE(RecoveryFiles(RecoveryFiles::default_folder()).left_behind().empty());

    one.prompts.unsaved_answer = UnsavedChoice::discard;
    EXPECT_TRUE(one.window->close());
    EXPECT_FALSE(fs::exists(a));
    EXPECT_TRUE(fs::exists(b));
}

TEST_F(RecoveryTest, ACopyLeftBehindIsOfferedAndDiscardRemovesIt)
{
    fs::path copy;
    {
        // An editor that ends without closing: its lock goes, its copy stays.
        Editor gone{folder.path()};
        place(gone, 200, 150);
        gone.window->autosave().write_if_due();
        copy = gone.window->autosave().files().copy();
    }
    ASSERT_TRUE(fs::exists(copy));
    Editor later{folder.path()}; // answers "later"
    EXPECT_EQ(later.prompts.restore_questions, std::vector<std::string>{""});
    EXPECT_TRUE(fs::exists(copy));

    Editor next{folder.path()};
    next.prompts.restore_answer = RestoreChoice::discard;
    offer_recovery(*next.window, next.prompts);
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_FALSE(next.window->history().modified());
}

// A copy that cannot be read whole was removed after its error, and a copy of what little was read
// took its place. It is kept aside now, unchanged, under a name the user is told, and never offered
// again.
TEST_F(RecoveryTest, ADamagedCopyIsKeptAsideUnchangedAndNamed)
{
    fs::path copy;
    {
        Editor gone{folder.path()};
        place(gone, 200, 150);
        place(gone, 300, 150);
        gone.window->autosave().write_if_due();
        copy = gone.window->autosave().files().copy();
    }
    std::string damaged = read_bytes(copy);
    damaged.resize(damaged.size() - 300); // cut inside the last object
    { std::ofstream(copy, std::ios::binary | std::ios::trunc) << damaged; }

    Editor next{folder.path()};
    next.prompts.restore_answer = RestoreChoice::restore;
    offer_recovery(*next.window, next.prompts);
    EXPECT_FALSE(next.prompts.load_errors.empty());
    EXPECT_FALSE(fs::exists(copy));
    std::vector<fs::path> kept;
    for (const auto& entry : fs::directory_iterator(RecoveryFiles::default_folder() / "damaged"))
        if (entry.path().extension() == ".qlm")
            kept.push_back(entry.path());
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(read_bytes(kept[0]), damaged);
    ASSERT_FALSE(next.prompts.messages.empty());
    EXPECT_NE(next.prompts.messages.back().find(kept[0].string()), std::string::npos) << next.prompts.messages.back();
    EXPECT_TRUE(RecoveryFiles(RecoveryFiles::default_folder()).left_behind().empty());
}

// A pipe, a link to /dev/zero or a huge file where a note or a lock should be made the editor's start
// or the opening of a design wait for ever or fill the memory: such a side file is read as none.
TEST_F(RecoveryTest, SideFilesThatAreNotFilesNeitherHangNorFillTheMemory)
{
    const fs::path slot_folder = data.path() / "slot_folder";
    fs::path note;
    {
        RecoveryFiles gone(slot_folder);
        ASSERT_TRUE(gone.write(PlanTable{}, StandSettings{}, "stand.qlm").ok());
        note = fs::path(gone.copy()).replace_extension(".txt");
    }
    fs::remove(note);
    ASSERT_EQ(mkfifo(note.c_str(), 0600), 0);
    ASSERT_EQ(mkfifo((slot_folder / "editor-1-1.lock").c_str(), 0600), 0); // an orphan lock
    fs::create_symlink("/dev/zero", slot_folder / "editor-1-2.lock");
    fs::copy_file(fs::path(note).replace_extension(".qlm"), slot_folder / "editor-1-3.qlm"); // a copy whose lock
    ASSERT_EQ(mkfifo((slot_folder / "editor-1-3.lock").c_str(), 0600), 0);                   // is a pipe
    const std::vector<LeftDesign> left = RecoveryFiles(slot_folder).left_behind();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].file_name, ""); // the pipe is no note
    EXPECT_EQ(fs::symlink_status(slot_folder / "editor-1-1.lock").type(), fs::file_type::fifo);

    const fs::path design = documents / "shared.qlm";
    { std::ofstream(design) << "v1.1\n"; }
    const fs::path lock_file = DesignLock::lock_file_of(design);
    for (const std::string_view kind : {"pipe", "zero", "big"}) {
        if (kind == "pipe")
            ASSERT_EQ(mkfifo(lock_file.c_str(), 0600), 0);
        else if (kind == "zero")
            fs::create_symlink("/dev/zero", lock_file);
        else {
            std::ofstream(lock_file).close();
            fs::resize_file(lock_file, 1u << 30); // sparse
        }
        DesignLock lock;
        EXPECT_FALSE(lock.holder(design)) << kind;
        EXPECT_FALSE(lock.hold(design)) << kind;
        EXPECT_TRUE(lock.held().empty()) << kind;
        fs::remove(lock_file);
    }
}

// Run only as the second process of the test below: an editor with an unsaved edit, kept aside,
// waiting to be killed.
TEST(RecoveryChild, EditsAndWaits)
{
    const char* design = std::getenv("HALVERN_TEST_CHILD_DESIGN");
    if (!design)
        GTEST_SKIP() << "runs only as the second process of the killed-editor test";
    Editor e{std::getenv("HALVERN_TEST_CHILD_APP_DIR")};
    e.prompts.files.push_back(design);
    e.window->files().save(false);
    place(e, 200, 150);
    place(e, 340, 260);
    e.window->autosave().write_if_due();
    // A second slot with nothing to keep: killed, it leaves a lock alone.
    RecoveryFiles idle(RecoveryFiles::default_folder());
    std::cout << "ready" << std::endl;
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}

TEST_F(RecoveryTest, AKilledEditorsDesignIsRestoredObjectForObjectBoundToItsFile)
{
    const fs::path design = documents / "killed.qlm";
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HALVERN_TEST_DATA_HOME"), QString::fromStdString(data.path().string()));
    env.insert(QStringLiteral("HALVERN_TEST_CHILD_DESIGN"), QString::fromStdString(design.string()));
    env.insert(QStringLiteral("HALVERN_TEST_CHILD_APP_DIR"), QString::fromStdString(folder.path().string()));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=RecoveryChild.EditsAndWaits")});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray output;
    while (!(output += child.readAllStandardOutput()).contains("ready\n"))
        ASSERT_TRUE(child.waitForReadyRead(120'000)) << output.toStdString() << child.readAllStandardError().toStdString();
    ::kill(pid_t(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished());
    const std::string saved = read_bytes(design);

    Editor e{folder.path()};
    EXPECT_EQ(e.prompts.restore_questions, std::vector<std::string>{design.string()});
    e.prompts.restore_answer = RestoreChoice::restore;
    offer_recovery(*e.window, e.prompts);
    EXPECT_EQ(positions(*e.session), (Positions{{200, 150}, {340, 260}}));
    EXPECT_EQ(e.session->plan.obj_comp[1], 0);
    EXPECT_EQ(e.session->project.file_name, design.string());
    EXPECT_TRUE(e.window->history().modified());
    // The dead editor's lock on the design was taken over without a question; its copy is now ours.
    EXPECT_TRUE(e.prompts.read_only_questions.empty());
    EXPECT_EQ(e.window->files().lock().held(), fs::weakly_canonical(design));
    EXPECT_TRUE(RecoveryFiles(RecoveryFiles::default_folder()).left_behind().empty());
    EXPECT_TRUE(fs::exists(e.window->autosave().files().copy()));
    EXPECT_EQ(read_bytes(design), saved);
    // The dead editors' locks are gone; only this editor's own is left.
    int locks = 0;
    for (const auto& entry : fs::directory_iterator(RecoveryFiles::default_folder()))
        locks += entry.path().extension() == ".lock";
    EXPECT_EQ(locks, 1);

    e.window->files().save(false);
    EXPECT_NE(read_bytes(design), saved);
}

TEST_F(RecoveryTest, ARelativeFileNameIsNotedInFull)
{
    {
        RecoveryFiles gone(data.path() / "slots");
        ASSERT_TRUE(gone.write(PlanTable{}, StandSettings{}, "designs/../stand.qlm").ok());
    }
    const std::vector<LeftDesign> left = RecoveryFiles(data.path() / "slots").left_behind();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].file_name, (fs::current_path() / "stand.qlm").string());
}

TEST_F(RecoveryTest, ASecondEditorOnTheSameFileIsWarnedAndMayOpenItReadOnly)
{
    Editor first{folder.path()};
    const fs::path design = saved_design(first, "shared.qlm");
    EXPECT_TRUE(fs::exists(DesignLock::lock_file_of(design)));

    Editor second{folder.path()};
    place(second, 500, 100);
    second.window->files().open(design);
    EXPECT_EQ(second.prompts.read_only_questions, std::vector<long long>{QCoreApplication::applicationPid()});
    EXPECT_EQ(positions(*second.session), (Positions{{500, 100}})); // declined: nothing changed

    second.prompts.read_only_answer = true;
    second.window->files().open(design);
    EXPECT_TRUE(second.window->files().read_only());
    EXPECT_TRUE(second.session->project.file_name.empty()); // Save asks for another name
    EXPECT_EQ(second.session->project.suggested_name, design.string());

    // Closed by the first editor: the file is free again.
    first.window->close();
    EXPECT_FALSE(fs::exists(DesignLock::lock_file_of(design)));
}

TEST_F(RecoveryTest, RecentDesignsKeepOrderDropDuplicatesAndGreyMissingFiles)
{
    EXPECT_EQ(with_recent({"a", "b", "c"}, "b", 8), (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(with_recent({"a", "b"}, "c", 2), (std::vector<std::string>{"c", "a"}));

    Editor e{folder.path()};
    e.window->files().recent().clear();
    const fs::path one = saved_design(e, "one.qlm");
    const fs::path two = documents / "two.qlm";
    e.prompts.files.push_back(two);
    e.window->files().save(true);
    e.window->files().open(one);
    EXPECT_EQ(e.window->files().recent().list(), (std::vector<std::string>{one.string(), two.string()}));

    fs::remove(two);
    QMenu* menu = e.window->recent_menu();
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    QAction* missing = menu->findChild<QAction*>(QStringLiteral("recent_1"));
    ASSERT_NE(missing, nullptr);
    EXPECT_FALSE(missing->isEnabled());
    EXPECT_EQ(missing->toolTip().toStdString(), two.string());
    EXPECT_TRUE(menu->findChild<QAction*>(QStringLiteral("recent_0"))->isEnabled());

    menu->findChild<QAction*>(QStringLiteral("recent_clear"))->trigger();
    EXPECT_TRUE(e.window->files().recent().list().empty());
}
