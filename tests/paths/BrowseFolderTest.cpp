// The Browse and Explore buttons of the real main window, with a shell that answers the picker.
#include "FakeShell.h"
#include "FolderButtons.h"
#include "ModSpFolder.h"
#include "frmMain.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <ostream>

namespace {

const QString kSep = QDir::separator();

// Sets an environment variable for the lifetime of the object, then puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value)
        : m_name(name),
          m_old(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt) {
        qputenv(name, value.toLocal8Bit());
    }
    ~ScopedEnv() {
        if (m_old) {
            qputenv(m_name, *m_old);
        } else {
            qunsetenv(m_name);
        }
    }

private:
    const char* m_name;
    std::optional<QByteArray> m_old;
};

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

class BrowseFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("temp")));
        m_temp = Native(m_dir.filePath(QStringLiteral("temp")));
        m_env.emplace("TEMP", m_temp);
        setBrowseStartPath(QString());
        m_window.emplace();
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&*m_window));
    }
    void TearDown() override { m_window.reset(); }

    // A folder under the test's own folder, created when asked.
    QString folder(const QString& name, bool create) {
        if (create) {
            EXPECT_TRUE(QDir(m_dir.path()).mkpath(name));
        }
        return Native(m_dir.filePath(name));
    }
    void browse(const QString& txtDL) {
        m_window->txtDL->setText(txtDL);
        QTest::mouseClick(m_window->cmdBrowse, Qt::LeftButton);
    }
    void explore(const QString& txtDL) {
        m_window->txtDL->setText(txtDL);
        QTest::mouseClick(m_window->cmdExplore, Qt::LeftButton);
    }

    QTemporaryDir m_dir;
    QString m_temp;
    std::optional<ScopedEnv> m_env;
    FakeShell m_shell;
    std::optional<frmMain> m_window;
};

TEST_F(BrowseFolderTest, MissingFolderOpensThePickerAtTempAndCancelKeepsTheTextExactly) {
    const QString typed = QStringLiteral("%TEMP%") + kSep + QStringLiteral("no such folder");
    browse(typed);

    ASSERT_EQ(m_shell.pickerCalls.size(), 1u);
    EXPECT_EQ(m_shell.pickerCalls[0].startFolder, m_temp + kSep);
    EXPECT_EQ(m_shell.pickerCalls[0].prompt, QStringLiteral("Select folder"));
    EXPECT_EQ(m_shell.pickerCalls[0].owner, &*m_window);
    EXPECT_EQ(m_window->txtDL->text(), typed);
}

TEST_F(BrowseFolderTest, ExistingFolderOpensThePickerThereWithATrailingSeparator) {
    folder(QStringLiteral("temp/Radio"), true);
    browse(QStringLiteral("%TEMP%") + kSep + QStringLiteral("Radio"));

    ASSERT_EQ(m_shell.pickerCalls.size(), 1u);
    EXPECT_EQ(m_shell.pickerCalls[0].startFolder, m_temp + kSep + QStringLiteral("Radio") + kSep);
}

TEST_F(BrowseFolderTest, AFileIsNoStartFolder) {
    QFile file(folder(QStringLiteral("temp/plain.txt"), false));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    browse(QStringLiteral("%TEMP%") + kSep + QStringLiteral("plain.txt"));

    ASSERT_EQ(m_shell.pickerCalls.size(), 1u);
    EXPECT_EQ(m_shell.pickerCalls[0].startFolder, m_temp + kSep);
}

TEST_F(BrowseFolderTest, AChosenFolderReplacesAMacroPathAsAPlainPath) {
    const QString picked = folder(QStringLiteral("picked"), true);
    // The picker may hand back a trailing separator or a doubled one; the box shows neither.
    for (const QString& answer : {picked, picked + kSep, picked + kSep + kSep,
                                  folder(QStringLiteral("picked//deeper/.."), false)}) {
        SCOPED_TRACE(answer.toStdString());
        m_shell.answer = answer;
        browse(QStringLiteral("%MYDOC%") + kSep + QStringLiteral("Radio"));
        EXPECT_EQ(m_window->txtDL->text(), picked);
    }
}

TEST_F(BrowseFolderTest, TheRootStaysTheRoot) {
    m_shell.answer = QDir::rootPath();
    browse(QStringLiteral("%TEMP%"));
    EXPECT_EQ(m_window->txtDL->text(), Native(QDir::rootPath()));
}

TEST_F(BrowseFolderTest, EmptyPathStartsAtTheProgramFolderThenAtTheFolderLastSelected) {
    const QString first = folder(QStringLiteral("first"), true);
    m_shell.answer = first;
    browse(QString());
    ASSERT_EQ(m_shell.pickerCalls.size(), 1u);
    EXPECT_EQ(m_shell.pickerCalls[0].startFolder, ProgramFolder());
    EXPECT_EQ(m_window->txtDL->text(), first);

    browse(QString());
    ASSERT_EQ(m_shell.pickerCalls.size(), 2u);
    EXPECT_EQ(m_shell.pickerCalls[1].startFolder, first);
}

TEST_F(BrowseFolderTest, AFolderSelectedInACancelledPickerIsWhereTheNextOneStarts) {
    const QString wandered = folder(QStringLiteral("wandered"), true);
    m_shell.selections = {folder(QStringLiteral("first"), true) + kSep, wandered + kSep};
    browse(QStringLiteral("%TEMP%"));
    EXPECT_EQ(m_window->txtDL->text(), QStringLiteral("%TEMP%"));

    m_shell.selections.clear();
    browse(QString());
    ASSERT_EQ(m_shell.pickerCalls.size(), 2u);
    EXPECT_EQ(m_shell.pickerCalls[1].startFolder, wandered);
}

TEST_F(BrowseFolderTest, TheRememberedRootIsStillAStartFolder) {
    m_shell.answer = QDir::rootPath();
    browse(QString());
    browse(QString());
    ASSERT_EQ(m_shell.pickerCalls.size(), 2u);
    EXPECT_EQ(m_shell.pickerCalls[1].startFolder, Native(QDir::rootPath()));
}

TEST_F(BrowseFolderTest, ExploreOpensTheResolvedFolderWithoutGenreAndCreatesNothing) {
    explore(QStringLiteral("%TEMP%") + kSep + QStringLiteral("Radio"));

    ASSERT_EQ(m_shell.opened.size(), 1u);
    EXPECT_EQ(m_shell.opened[0],
              QUrl::fromLocalFile(m_temp + kSep + QStringLiteral("Radio") + kSep));
    EXPECT_FALSE(QDir(m_temp + kSep + QStringLiteral("Radio")).exists());
    EXPECT_TRUE(m_shell.pickerCalls.empty());
}

TEST_F(BrowseFolderTest, ExploreWithAnEmptyPathOpensTheRoot) {
    explore(QString());
    ASSERT_EQ(m_shell.opened.size(), 1u);
    EXPECT_EQ(m_shell.opened[0], QUrl::fromLocalFile(QDir::rootPath()));
}

// Macro resolution for both buttons. In the expected text <TEMP>, <APP>, <DOCS> stand for the
// temporary, program and documents folders.
struct ResolveCase {
    const char* txtDL;
    const char* temp;      // the TEMP variable
    const char* dataHome;  // where %APPDATA% points, or nullptr to leave it alone
    const char* expected;
};

void PrintTo(const ResolveCase& c, std::ostream* out) {
    *out << '"' << c.txtDL << "\" with TEMP \"" << c.temp << '"';
}

class ResolveFolderMacrosTest : public ::testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveFolderMacrosTest, ReplacesTheMacrosInTheButtonsOrderAndAppendsOneSeparator) {
    const ResolveCase& c = GetParam();
    ScopedEnv temp("TEMP", QString::fromUtf8(c.temp));
    std::optional<ScopedEnv> dataHome;
    if (c.dataHome) dataHome.emplace("XDG_DATA_HOME", QString::fromUtf8(c.dataHome));
    QString expected = Native(QString::fromUtf8(c.expected));
    expected.replace(QStringLiteral("<TEMP>"), TempFolder());
    expected.replace(QStringLiteral("<APP>"), ProgramFolder());
    expected.replace(QStringLiteral("<DOCS>"), SpecialFolderPath(SpecialFolderDocuments));
    EXPECT_EQ(ResolveFolderMacros(Native(QString::fromUtf8(c.txtDL))), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResolveFolderMacrosTest,
    ::testing::Values(
        ResolveCase{"%TEMP%/.1", "/var/t", nullptr, "/var/t/.1/"},
        ResolveCase{"%APPPATH%/out", "/var/t", nullptr, "<APP>/out/"},
        ResolveCase{"", "/var/t", nullptr, "/"}, ResolveCase{"/out/", "/var/t", nullptr, "/out//"},
        ResolveCase{"%temp%/x %TEMP%", "/var/t", nullptr, "%temp%/x /var/t/"},
        ResolveCase{"%TEMP%/x", "", nullptr, "<TEMP>/x/"},
        // %APPDATA% is replaced before %MYDOC%, so a %MYDOC% inside it is expanded too.
        ResolveCase{"%APPDATA%/x", "/var/t", "/d/%MYDOC%", "/d/<DOCS>/x/"},
        ResolveCase{"%TEMP%/x", "/t/%APPDATA%", "/d", "/t//d/x/"}));

struct ShellTargetCase {
    const char* document;
    const char* url;  // nullptr: a local file named by document
};

void PrintTo(const ShellTargetCase& c, std::ostream* out) {
    *out << '"' << c.document << '"';
}

class ShellTargetTest : public ::testing::TestWithParam<ShellTargetCase> {};

TEST_P(ShellTargetTest, WebAddressesStayAddressesAndEverythingElseIsALocalPath) {
    const ShellTargetCase& c = GetParam();
    const QString document = QString::fromUtf8(c.document);
    const QUrl target = ShellTarget(document);
    if (c.url) {
        EXPECT_EQ(target, QUrl(QString::fromUtf8(c.url)));
    } else {
        EXPECT_TRUE(target.isLocalFile());
        EXPECT_EQ(target.toLocalFile(), document);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShellTargetTest,
    ::testing::Values(ShellTargetCase{"http://www.example.com/radiosift/buy.html",
                                      "http://www.example.com/radiosift/buy.html"},
                      ShellTargetCase{"https://example.com/a?b=1#c", "https://example.com/a?b=1#c"},
                      ShellTargetCase{"/tmp/Radio #1/", nullptr},
                      ShellTargetCase{"/tmp/100% Jazz/", nullptr},
                      ShellTargetCase{"/tmp/a:b/", nullptr}, ShellTargetCase{"/", nullptr}));

}  // namespace
