// Save, Save as, Load, Import and the base project, driven by scripted dialogs.

#include <gtest/gtest.h>

#include <csignal>
#include <deque>
#include <sys/resource.h>

#include "base/text_file.h"
#include "project/project_commands.h"
#include "project/project_writer.h"
#include "project_cases.h"

using namespace halvern;
using namespace halvern::testing;
namespace fs = std::filesystem;

namespace {

// Answers file choosers from a script and remembers what they were asked.
class ScriptedDialogs : public ProjectDialogs {
public:
    std::deque<std::optional<fs::path>> answers;
    std::vector<FileDialogRequest> opens, saves;

    std::optional<fs::path> choose_open(const FileDialogRequest& request) override
    {
        opens.push_back(request);
        return next();
    }
    std::optional<fs::path> choose_save(const FileDialogRequest& request) override
    {
        saves.push_back(request);
        return next();
    }

private:
    std::optional<fs::path> next()
    {
        if (answers.empty())
            return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

class RecordedMessages : public ProjectMessages {
public:
    std::vector<std::pair<LoadError, Error>> load_errors;
    std::vector<Error> notes, write_failures;

    void load_error(LoadError code, const Error& detail) override { load_errors.emplace_back(code, detail); }
    void note(const Error& note) override { notes.push_back(note); }
    void write_failed(const Error& error) override { write_failures.push_back(error); }
};

class ProjectCommands : public ::testing::Test {
protected:
    ProjectCommands()
    {
        texts.set(37, "Enregistrer sous");
        texts.set(38, "Importer");
        texts.set(39, "Ouvrir");
        settings = Settings::defaults(app.path());
        settings.import_path = "/imports";
    }

    ProjectContext context()
    {
        return {plan, stand, state, settings, store, test_components(), texts, app.path(), dialogs, messages};
    }

    void answer(std::optional<fs::path> path) { dialogs.answers.push_back(std::move(path)); }

    fs::path copy_case(const std::string& name)
    {
        return docs.write(name, read_bytes(project_case(name)));
    }

    ScratchDir app, docs;
    PlanTable plan;
    StandSettings stand;
    ProjectState state;
    Settings settings;
    MemorySettingsStore store;
    UiText texts;
    ScriptedDialogs dialogs;
    RecordedMessages messages;
};

} // namespace

TEST_F(ProjectCommands, SaveAsAppendsTheExtensionUnlessTheNameHoldsIt)
{
    place(plan, 10, 100, 100);
    auto ctx = context();
    answer(docs / "stand");
    EXPECT_EQ(save_project_as(ctx), CommandOutcome::done);
    EXPECT_TRUE(fs::exists(docs / "stand.qlm"));
    EXPECT_EQ(state.file_name, (docs / "stand.qlm").string());
    EXPECT_EQ(state.window_title, "Halvern Visual Design - " + (docs / "stand.qlm").string());
    EXPECT_EQ(settings.doc_path, docs.path().string());
    EXPECT_EQ(store.values["doc_path"], docs.path().string());

    ASSERT_EQ(dialogs.saves.size(), 1u);
    const FileDialogRequest& asked = dialogs.saves[0];
    EXPECT_EQ(asked.title, "Enregistrer sous");
    EXPECT_EQ(asked.folder, app.path().string());
    EXPECT_EQ(asked.default_extension, "qlm");
    EXPECT_EQ(asked.filter, "Quilma File|*.qlm");

    answer(docs / "copie.qlm.bak");
    save_project_as(ctx);
    EXPECT_TRUE(fs::exists(docs / "copie.qlm.bak"));
    // The design's file is offered by its name, in the document folder.
    EXPECT_EQ(dialogs.saves[1].suggested_name, "stand.qlm");
    EXPECT_EQ(dialogs.saves[1].folder, docs.path().string());
    EXPECT_EQ(file_part("C:\\a\\b.qlm"), "b.qlm");
    answer(docs / "MAJ.QLM");
    save_project_as(ctx);
    EXPECT_TRUE(fs::exists(docs / "MAJ.QLM"));
    // Only the file's own name counts, not the folders around it.
    fs::create_directory(docs / "old.qlm.d");
    answer(docs / "old.qlm.d" / "plan");
    save_project_as(ctx);
    EXPECT_TRUE(fs::exists(docs / "old.qlm.d" / "plan.qlm"));
    EXPECT_EQ(settings.doc_path, (docs / "old.qlm.d").string());
}

TEST_F(ProjectCommands, SaveAsWithoutANameChangesNothing)
{
    auto ctx = context();
    answer(std::nullopt);
    EXPECT_EQ(save_project_as(ctx), CommandOutcome::cancelled);
    answer(fs::path());
    EXPECT_EQ(save_project_as(ctx), CommandOutcome::cancelled);
    EXPECT_EQ(state.file_name, "projet.vek");
    EXPECT_EQ(settings.doc_path, app.path().string());
    EXPECT_TRUE(store.values.empty());
    EXPECT_TRUE(fs::is_empty(docs.path()));
}

TEST_F(ProjectCommands, SaveWritesToTheProjectFileWithoutAskingOnceItIsSet)
{
    auto ctx = context();
    state.forget();
    answer(docs / "a");
    EXPECT_EQ(save_project(ctx), CommandOutcome::done); // no name yet: asks
    EXPECT_EQ(dialogs.saves.size(), 1u);

    place(plan, 12, 1, 2);
    EXPECT_EQ(save_project(ctx), CommandOutcome::done);
    EXPECT_EQ(dialogs.saves.size(), 1u);
    EXPECT_EQ(split_lines(read_bytes(docs / "a.qlm")).size(), 1025u + 113u);
}

TEST_F(ProjectCommands, LoadReplacesTheDesignAndBecomesTheProjectFile)
{
    for (int k = 0; k < 5; ++k)
        place(plan, 10, 0, 0);
    plan.index_focus = 5;
    plan.nb_selection = 2;
    plan.selection[1] = 4;
    plan.obj_estompe[1] = 0;
    fs::path file = copy_case("groups_for_import.qlm");
    auto ctx = context();
    answer(file);
    EXPECT_EQ(load_project_command(ctx).outcome, CommandOutcome::done);

    ASSERT_EQ(dialogs.opens.size(), 1u);
    EXPECT_EQ(dialogs.opens[0].title, "Ouvrir");
    EXPECT_EQ(dialogs.opens[0].folder, app.path().string());
    EXPECT_EQ(dialogs.opens[0].filter, "HVD File|*.qlm|Vek File|*.vek;");
    EXPECT_EQ(plan.nb_objets, 4);
    EXPECT_EQ(plan.index_focus, 0);
    EXPECT_EQ(plan.nb_selection, 0);
    EXPECT_EQ(plan.obj_estompe[1], -1);
    EXPECT_EQ(stand.title, "Stand A");
    EXPECT_EQ(state.file_name, file.string());
    EXPECT_EQ(state.window_title, "Halvern Visual Design - " + file.string());
    EXPECT_EQ(store.values["doc_path"], docs.path().string());
    EXPECT_TRUE(messages.load_errors.empty());
}

TEST_F(ProjectCommands, CutFileKeepsWhatWasReadButNeverBecomesTheProjectFile)
{
    fs::path file = copy_case("cut_inside_object.qlm");
    const std::string damaged = read_bytes(file);
    state.adopt((docs / "previous.qlm").string());
    auto ctx = context();
    answer(file);
    EXPECT_EQ(load_project_command(ctx).outcome, CommandOutcome::failed);
    EXPECT_EQ(plan.nb_objets, 2);
    ASSERT_EQ(messages.load_errors.size(), 1u);
    EXPECT_EQ(messages.load_errors[0].first, LoadError::unreadable_file);
    EXPECT_EQ(messages.load_errors[0].second.file, file);
    EXPECT_EQ(state.file_name, "");
    EXPECT_EQ(state.window_title, "Halvern Visual Design");
    EXPECT_EQ(settings.doc_path, app.path().string());

    // Save now asks for a name; the damaged file stays as it was.
    answer(std::nullopt);
    EXPECT_EQ(save_project(ctx), CommandOutcome::cancelled);
    EXPECT_EQ(dialogs.saves.size(), 1u);
    EXPECT_EQ(read_bytes(file), damaged);
}

TEST_F(ProjectCommands, DesignOverCapacityIsKeptWithoutItsFileAndSaysWhy)
{
    PlanTable one;
    place(one, 10, 0, 0);
    const std::string single = format_project(one, {});
    size_t header_end = 0;
    for (int line = 0; line < 1025; ++line)
        header_end = single.find("\r\n", header_end) + 2;
    std::string bytes = single.substr(0, header_end);
    for (int k = 0; k < max_objects + 10; ++k)
        bytes += single.substr(header_end);
    const fs::path file = docs.write("many.qlm", bytes);
    auto ctx = context();
    answer(file);
    load_project_command(ctx);
    EXPECT_EQ(plan.nb_objets, max_objects);
    EXPECT_EQ(state.file_name, "");
    ASSERT_FALSE(messages.notes.empty());
    EXPECT_NE(messages.notes[0].message.find("2550"), std::string::npos);
    answer(std::nullopt);
    EXPECT_EQ(save_project(ctx), CommandOutcome::cancelled); // Save asks for a new name
    EXPECT_EQ(read_bytes(file), bytes);
}

TEST_F(ProjectCommands, FileThatCannotBeReadLeavesTheDesignAlone)
{
    place(plan, 10, 0, 0);
    state.adopt("/somewhere/mine.qlm");
    auto ctx = context();
    answer(docs / "missing.qlm");
    EXPECT_EQ(load_project_command(ctx).outcome, CommandOutcome::failed);
    answer(docs.write("empty.qlm", ""));
    EXPECT_EQ(load_project_command(ctx).outcome, CommandOutcome::failed);
    EXPECT_EQ(plan.nb_objets, 1);
    EXPECT_EQ(state.file_name, "/somewhere/mine.qlm");
    ASSERT_EQ(messages.load_errors.size(), 2u);
    EXPECT_EQ(messages.load_errors[0].first, LoadError::unreadable_file);
    EXPECT_EQ(messages.load_errors[1].second.message, "the file is empty");
}

TEST_F(ProjectCommands, MissingComponentsAreReportedOnceAndTheFileIsStillTheProject)
{
    fs::path file = copy_case("dropped_object_before_groups.qlm");
    auto ctx = context();
    answer(file);
    EXPECT_EQ(load_project_command(ctx).outcome, CommandOutcome::done);
    EXPECT_EQ(plan.nb_objets, 6);
    ASSERT_EQ(messages.load_errors.size(), 1u);
    EXPECT_EQ(messages.load_errors[0].first, LoadError::missing_component);
    EXPECT_EQ(state.file_name, file.string());
}

TEST_F(ProjectCommands, ImportAppendsAndLeavesStandTitleAndProjectFileAlone)
{
    for (int k = 0; k < 10; ++k)
        place(plan, 10, 0, 0);
    stand = {10, 6, 1, "mine.jpg", "My client", "My stand"};
    const StandSettings before = stand;
    state.adopt("/work/mine.qlm");
    auto ctx = context();
    answer(copy_case("groups_for_import.qlm"));
    EXPECT_EQ(import_project_command(ctx), CommandOutcome::done);
    ASSERT_EQ(dialogs.opens.size(), 1u);
    EXPECT_EQ(dialogs.opens[0].title, "Importer");
    EXPECT_EQ(dialogs.opens[0].folder, "/imports");
    EXPECT_EQ(dialogs.opens[0].filter, "Quilma File|*.qlm");
    EXPECT_EQ(plan.nb_objets, 14);
    EXPECT_EQ(plan.obj_groupe[11], 13);
    EXPECT_EQ(stand, before);
    EXPECT_EQ(state.file_name, "/work/mine.qlm");
    EXPECT_EQ(state.window_title, "Halvern Visual Design - /work/mine.qlm");
    EXPECT_TRUE(store.values.empty());

    // An old file imported brings its stand values (not the wall mask) but not its name.
    answer(copy_case("old_format.vek"));
    EXPECT_EQ(import_project_command(ctx), CommandOutcome::done);
    EXPECT_EQ(plan.nb_objets, 16);
    EXPECT_EQ(stand.title, "Ancien stand");
    EXPECT_EQ(stand.stand_murs, 1);
    EXPECT_EQ(state.file_name, "/work/mine.qlm");
}

TEST_F(ProjectCommands, OldFormatLoadHasNoProjectFileAndSaveOffersItAsQlm)
{
    fs::path file = copy_case("old_format.vek");
    auto ctx = context();
    answer(file);
    EXPECT_EQ(load_project_command(ctx).outcome, CommandOutcome::done);
    EXPECT_EQ(plan.nb_objets, 2);
    EXPECT_EQ(state.file_name, "");
    EXPECT_EQ(state.window_title, "Quilma Editor - Derovan - " + file.string());

    answer(std::nullopt);
    save_project(ctx);
    ASSERT_EQ(dialogs.saves.size(), 1u);
    EXPECT_EQ(dialogs.saves[0].suggested_name, (docs / "old_format.qlm").string());
}

TEST_F(ProjectCommands, BaseProjectLeavesNoProjectFileAndThePlainTitle)
{
    PlanTable base_plan;
    place(base_plan, 11, 300, 200);
    auto ctx = context();
    EXPECT_EQ(load_base_project(ctx), CommandOutcome::failed); // not installed
    ASSERT_EQ(messages.load_errors.size(), 1u);
    EXPECT_EQ(messages.load_errors[0].first, LoadError::unreadable_file);
    EXPECT_EQ(messages.load_errors[0].second.file, app.path() / "lib" / "base.qlm");
    EXPECT_EQ(state.file_name, "");

    fs::create_directories(app.path() / "lib");
    ASSERT_TRUE(write_project_file(base_project_path(app.path()), base_plan, {6, 4, 3, "", "", "Base"}));
    EXPECT_EQ(load_base_project(ctx), CommandOutcome::done);
    EXPECT_EQ(plan.nb_objets, 1);
    EXPECT_EQ(stand.title, "Base");
    EXPECT_EQ(state.file_name, "");
    EXPECT_EQ(state.window_title, "Halvern Visual Design");
    EXPECT_TRUE(store.values.empty());

    answer(std::nullopt);
    save_project(ctx);
    EXPECT_EQ(dialogs.saves.size(), 1u);
}

TEST_F(ProjectCommands, InstalledBaseProjectIsAnEmptyStandOfFiveByThreeWithABackWall)
{
    stand = {9, 9, 7, "x", "y", "z"};
    ProjectContext ctx{plan, stand, state, settings, store, test_components(), texts, stage_dir(), dialogs, messages};
    EXPECT_EQ(load_base_project(ctx), CommandOutcome::done);
    EXPECT_TRUE(messages.load_errors.empty());
    EXPECT_EQ(plan.nb_objets, 0);
    StandSettings expected;
    expected.stand_murs = 2; // bit 1: the wall at the back
    EXPECT_EQ(stand, expected);
    // It is the file the writer makes of that design.
    EXPECT_EQ(read_bytes(base_project_path(stage_dir())), format_project(PlanTable{}, expected));
}

TEST_F(ProjectCommands, WriteThatFailsHalfWayLeavesTheOldFileIntact)
{
    fs::path file = docs / "stand.qlm";
    auto ctx = context();
    ASSERT_EQ(write_project(ctx, file), CommandOutcome::done);
    const std::string old = read_bytes(file);
    state.adopt("/elsewhere/other.qlm");
    for (int k = 0; k < 200; ++k)
        place(plan, 10, float(k), 0);

    // The process may not write more than 8 KB to any file: the new content is 60 KB.
    struct rlimit before {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = before;
    small.rlim_cur = 8192;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    CommandOutcome outcome = write_project(ctx, file);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, old_handler);

    EXPECT_EQ(outcome, CommandOutcome::failed);
    EXPECT_EQ(read_bytes(file), old);
    ASSERT_EQ(messages.write_failures.size(), 1u);
    EXPECT_EQ(messages.write_failures[0].file, file);
    EXPECT_EQ(state.file_name, "/elsewhere/other.qlm");
    std::vector<fs::path> left;
    for (auto& entry : fs::directory_iterator(docs.path()))
        left.push_back(entry.path());
    EXPECT_EQ(left, std::vector<fs::path>{file}); // no temporary file left behind

    EXPECT_EQ(write_project(ctx, docs / "no folder" / "x.qlm"), CommandOutcome::failed);
    EXPECT_EQ(messages.write_failures.size(), 2u);
}

TEST(ProjectState, FolderOfTakesEitherSeparator)
{
    EXPECT_EQ(folder_of("C:\\stands\\a.qlm"), "C:\\stands");
    EXPECT_EQ(folder_of("/home/u/stands/a.qlm"), "/home/u/stands");
    EXPECT_EQ(folder_of("C:\\mixed/dir\\a.qlm"), "C:\\mixed/dir");
    EXPECT_EQ(folder_of("/a.qlm"), "/");
    EXPECT_EQ(folder_of("a.qlm"), "");
    EXPECT_EQ(with_project_extension("C:\\x.qlm.d\\plan"), "C:\\x.qlm.d\\plan.qlm");
    EXPECT_EQ(project_name_for("/d/old.vek"), "/d/old.qlm");
    EXPECT_EQ(project_name_for("/d.x/old"), "/d.x/old.qlm");
}
