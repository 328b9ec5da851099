// The download path: its macros, the folders a run creates, and the Browse and Explore buttons
// of the real main window with a shell that answers the picker. HOME, the XDG folders, TEMP and
// TMPDIR point into a temporary folder.
#include "FakeShell.h"
#include "FolderButtons.h"
#include "ModSpFolder.h"
#include "PathMacros.h"
#include "ScopedEnv.h"
#include "frmMain.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <list>
#include <optional>

namespace {

class PathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Each variable points at a folder of its own name; no user-dirs file in the config
        // folder leaves the documents at ~/Documents.
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "TMPDIR", "TEMP"})
            m_env.emplace_back(name, folder(name));
        folder("HOME/Documents");
        QDir::setCurrent(folder("work"));
        setBrowseStartPath(QString());
        m_window.emplace();
    }
    void TearDown() override { QDir::setCurrent(m_cwd); }

    // "/" stands for the separator, "<root>" and "<app>" for the temporary and program folders.
    QString native(QString text) const {
        return QDir::toNativeSeparators(
            text.replace("<root>", m_root.path()).replace("<app>", ProgramFolder()));
    }
    QString folder(const QString& name) {
        EXPECT_TRUE(QDir(m_root.path()).mkpath(name));
        return native("<root>/" + name);
    }
    // Clicks the button with txtDL holding text; returns the picker's start folder, if it opened.
    std::optional<QString> click(QPushButton* button, const QString& text) {
        const size_t before = m_shell.pickerCalls.size();
        m_window->txtDL->setText(text);
        QTest::mouseClick(button, Qt::LeftButton);
        if (m_shell.pickerCalls.size() == before) return std::nullopt;
        EXPECT_EQ(m_shell.pickerCalls.back().owner, &*m_window);
        return m_shell.pickerCalls.back().startFolder;
    }

    const QString m_cwd = QDir::currentPath();
    QTemporaryDir m_root;
    std::list<ScopedEnv> m_env;
    FakeShell m_shell;
    std::optional<frmMain> m_window;
};

TEST_F(PathsTest, ARunExpandsTheMacrosInItsOrderAndCreatesTheFolderAndItsGenreOneLevelEach) {
    // clang-format off
    const struct { const char *txtDL, *temp, *expanded; bool created; } cases[] = {
        {"%MYDOC%/Radio", "<root>/TEMP", "<root>/HOME/Documents/Radio/", true},
        {"%APPDATA%/Radio", "<root>/TEMP", "<root>/XDG_DATA_HOME/Radio/", true},
        {"%TEMP%/.1", "", "<root>/TMPDIR/.1/", true},  // no TEMP: the system's temporary folder
        {"<root>/TEMP/", "<root>/TEMP", "<root>/TEMP//", true},
        {"%mydoc%", "<root>/TEMP", "%mydoc%/", true},  // a folder in the current one
        // Only a macro that comes later is expanded within a value.
        {"%TEMP%", "%APPDATA%/%APPPATH%", "<root>/XDG_DATA_HOME/%APPPATH%/", true},
        // The program's folder below the temporary one: its parent is missing, so nothing is
        // created or opened, and the path is still returned.
        {"<root>/TEMP/%APPPATH%", "<root>/TEMP", "<root>/TEMP/<app>/", false},
    };  // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.txtDL);
        const ScopedEnv temp("TEMP", native(c.temp));
        QString expanded;
        const GenreFolder genre = ExpandDownloadDir(native(c.txtDL), "Jazz", expanded);
        EXPECT_EQ(expanded, native(c.expanded));
        EXPECT_EQ(genre.path, native(c.expanded + QString("Jazz/")));
        EXPECT_EQ(QFileInfo(genre.path).isDir(), c.created);
        EXPECT_EQ(genre.folder != nullptr, c.created);  // open for writing where it is
    }
    // Not even the first level of the program's folder below the temporary one.
    EXPECT_FALSE(QDir(folder("TEMP")).exists(ProgramFolder().section(QDir::separator(), 1, 1)));
}

TEST_F(PathsTest, TheButtonsResolveTheMacrosInTheirOwnOrderAndAppendOneSeparator) {
    // clang-format off
    const struct { const char *txtDL, *temp, *data, *resolved; } cases[] = {
        {"%APPPATH%/out", "/t", "/d", "<app>/out/"},
        {"", "/t", "/d", "/"},
        {"/out/", "/t", "/d", "/out//"},
        {"%temp%/x %TEMP%/%TEMP%", "/t", "/d", "%temp%/x /t//t/"},
        // %APPDATA% comes before %MYDOC%, so a %MYDOC% inside it is expanded too.
        {"%APPDATA%/x", "/t", "/d/%MYDOC%", "/d/<root>/HOME/Documents/x/"},
        {"%TEMP%/x", "/t/%APPDATA%", "/d", "/t//d/x/"},
    };  // clang-format on
    for (const auto& c : cases) {
        const ScopedEnv temp("TEMP", native(c.temp)), data("XDG_DATA_HOME", native(c.data));
        EXPECT_EQ(ResolveFolderMacros(native(c.txtDL)), native(c.resolved)) << c.txtDL;
    }
}

// Browse opens at the resolved folder, else at the temporary one; on an empty path at the
// program's folder, then where the user last selected, even in a cancelled picker. Only a chosen
// folder replaces the text, as a plain path. Explore opens the resolved folder as a local folder
// (never a web address) and creates nothing.
TEST_F(PathsTest, BrowseAndExploreStartAtTheResolvedFolder) {
    folder("TEMP/Radio");
    ASSERT_TRUE(QFile(native("<root>/TEMP/plain.txt")).open(QIODevice::WriteOnly));
    const QString root = QDir::toNativeSeparators(QDir::rootPath());
    QPushButton* browse = m_window->cmdBrowse;
    m_shell.answer = QDir::rootPath();
    EXPECT_EQ(click(browse, QString()), ProgramFolder());
    EXPECT_EQ(m_window->txtDL->text(), root);
    m_shell.answer.clear();
    m_shell.selections = {folder("first"), native("<root>/wandered/")};
    EXPECT_EQ(click(browse, QString()), root);  // the root chosen last time
    m_shell.selections.clear();
    EXPECT_EQ(click(browse, QString()), folder("wandered"));
    for (const auto& [txtDL, start] : {std::pair{"%TEMP%/Radio", "<root>/TEMP/Radio/"},
                                       {"%TEMP%/no such folder", "<root>/TEMP/"},
                                       {"%TEMP%/plain.txt", "<root>/TEMP/"}}) {
        EXPECT_EQ(click(browse, native(txtDL)), native(start)) << txtDL;
        EXPECT_EQ(m_window->txtDL->text(), native(txtDL)) << "cancelled";
    }
    m_shell.answer = native("<root>/picked//deeper/..");
    click(browse, native("%MYDOC%/Radio"));
    EXPECT_EQ(m_window->txtDL->text(), folder("picked"));

    EXPECT_EQ(click(m_window->cmdExplore, native("%TEMP%/Radio #1")), std::nullopt);
    click(m_window->cmdExplore, QString());
    EXPECT_EQ(m_shell.opened, (std::vector{QUrl::fromLocalFile(native("<root>/TEMP/Radio #1/")),
                                           QUrl::fromLocalFile(QDir::rootPath())}));
    EXPECT_FALSE(QFileInfo::exists(native("<root>/TEMP/Radio #1")));
}

}  // namespace
