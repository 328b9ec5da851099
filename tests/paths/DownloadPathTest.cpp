// The download path: its macros, the folders a run creates, and the Browse and Explore buttons
// of the real main window with a shell that answers the picker.
#include "FakeShell.h"
#include "FolderButtons.h"
#include "ModSpFolder.h"
#include "PathMacros.h"
#include "ProgressBar.h"
#include "ScopedEnv.h"
#include "WindowRun.h"
#include "frmMain.h"

#include <gtest/gtest.h>
#include <QDir>
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

// A run and the buttons expand the same macros, each in an order of its own, and append one
// separator. A run creates the download folder and its genre folder, one level each: where the
// parent is missing nothing is created or opened, and the path is still returned.
TEST_F(PathsTest, TheRunAndTheButtonsExpandTheMacrosInTheirOwnOrder) {
    // clang-format off
    const struct { const char *txtDL, *temp, *data, *run, *buttons; bool created; } cases[] = {
        // txtDL, TEMP and XDG_DATA_HOME (none: as the fixture sets them), as the run and the
        // buttons (none: as the run) expand it, and whether the run creates it
        {"%MYDOC%/Radio", nullptr, nullptr, "<root>/HOME/Documents/Radio/", nullptr, true},
        {"%TEMP%/.1", "", nullptr, "<root>/TMPDIR/.1/", nullptr, true},  // no TEMP: the system's
        {"%mydoc%/", nullptr, nullptr, "%mydoc%//", nullptr, true},  // a folder in the current one
        {"%TEMP%/%TEMP%", nullptr, nullptr, "<root>/TEMP/<root>/TEMP/", nullptr, false},
        // The program's folder below the temporary one.
        {"<root>/TEMP/%APPPATH%", nullptr, nullptr, "<root>/TEMP/<app>/", nullptr, false},
        // Only a macro that comes later is expanded within a value: %APPDATA% after %TEMP%
        // after %APPPATH%, and %MYDOC% before %APPDATA% in a run, after it for the buttons.
        {"%TEMP%", "%APPDATA%/%APPPATH%", nullptr, "<root>/XDG_DATA_HOME/%APPPATH%/", nullptr, true},
        {"%APPDATA%/x", nullptr, "<root>/XDG_DATA_HOME/%MYDOC%", "<root>/XDG_DATA_HOME/%MYDOC%/x/",
         "<root>/XDG_DATA_HOME/<root>/HOME/Documents/x/", false},
    };  // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.txtDL);
        std::optional<ScopedEnv> temp, data;
        if (c.temp) temp.emplace("TEMP", native(c.temp));
        if (c.data) data.emplace("XDG_DATA_HOME", native(c.data));
        QString expanded;
        const GenreFolder genre = ExpandDownloadDir(native(c.txtDL), "Jazz", expanded);
        EXPECT_EQ(expanded, native(c.run));
        EXPECT_EQ(QFileInfo(genre.path).isDir(), c.created);
        EXPECT_EQ(genre.folder != nullptr, c.created);  // open for writing where it is
        EXPECT_EQ(ResolveFolderMacros(native(c.txtDL)), native(c.buttons ? c.buttons : c.run));
    }
}

// Browse opens at the resolved folder, else at the temporary one; on an empty path at the
// program's folder, then where the user last selected, even in a cancelled picker. Only a chosen
// folder replaces the text, as a plain path. Explore opens the resolved folder as a local folder
// (never a web address); of a folder not there yet, or one no program opens, the status line
// says so. It creates nothing.
TEST_F(PathsTest, BrowseAndExploreStartAtTheResolvedFolder) {
    folder("TEMP/Radio");
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
                                       {"%TEMP%/no such folder", "<root>/TEMP/"}}) {
        EXPECT_EQ(click(browse, native(txtDL)), native(start)) << txtDL;
        EXPECT_EQ(m_window->txtDL->text(), native(txtDL)) << "cancelled";
    }
    m_shell.answer = native("<root>/picked//deeper/..");
    click(browse, native("%MYDOC%/Radio"));
    EXPECT_EQ(m_window->txtDL->text(), folder("picked"));

    const auto explore = [&](const char* path) {
        EXPECT_EQ(click(m_window->cmdExplore, native(path)), std::nullopt);
        return m_window->vp1->Text();
    };
    const QString one = folder("TEMP/Radio #1") + '/', two = native("<root>/TEMP/Radio #2/");
    EXPECT_EQ(explore("%TEMP%/Radio #1"), "Ready");
    EXPECT_EQ(explore("%TEMP%/Radio #2"), "The folder does not exist yet: " + two);
    EXPECT_EQ(m_shell.opened, std::vector{QUrl::fromLocalFile(one)});
    // The desktop's own shell, with an xdg-open that finds no program, hears so when it ends.
    const QString opener = folder("bin") + "/xdg-open";
    WriteFile(opener, "#!/bin/sh\nexit 3\n");
    QFile::setPermissions(opener, QFile::ReadOwner | QFile::ExeOwner);
    const ScopedEnv path("PATH", folder("bin"));
    InstallShell(nullptr);
    explore("%TEMP%/Radio #1");
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_window->vp1->Text().startsWith("No program"); }));
    EXPECT_EQ(m_window->vp1->Text(), "No program could open the folder " + one);
    InstallShell(&m_shell);
    EXPECT_FALSE(QFileInfo::exists(native("<root>/TEMP/Radio #2")));
}

}  // namespace
