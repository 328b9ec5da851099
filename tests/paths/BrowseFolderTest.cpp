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

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Sets an environment variable for the lifetime of the object, then puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value) : m_name(name), m_old(qgetenv(name)) {
        m_wasSet = qEnvironmentVariableIsSet(name);
        qputenv(name, value.toLocal8Bit());
    }
    ~ScopedEnv() { m_wasSet ? qputenv(m_name, m_old) : qunsetenv(m_name); }

private:
    const char* m_name;
    QByteArray m_old;
    bool m_wasSet = false;
};

class BrowseFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("temp")));
        m_temp = path(QStringLiteral("temp"));
        m_env.emplace("TEMP", m_temp);
        setBrowseStartPath(QString());
        m_window.emplace();
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&*m_window));
    }

    QString path(const QString& name) const { return Native(m_dir.filePath(name)); }
    QString makeFolder(const QString& name) {
        EXPECT_TRUE(QDir(m_dir.path()).mkpath(name));
        return path(name);
    }
    // Clicks the button with txtDL holding text; returns the picker's start folder, if it opened.
    std::optional<QString> click(QPushButton* button, const QString& text) {
        const size_t before = m_shell.pickerCalls.size();
        m_window->txtDL->setText(text);
        QTest::mouseClick(button, Qt::LeftButton);
        if (m_shell.pickerCalls.size() == before) return std::nullopt;
        EXPECT_EQ(m_shell.pickerCalls.back().prompt, QStringLiteral("Select folder"));
        EXPECT_EQ(m_shell.pickerCalls.back().owner, &*m_window);
        return m_shell.pickerCalls.back().startFolder;
    }

    QTemporaryDir m_dir;
    QString m_temp;
    std::optional<ScopedEnv> m_env;
    FakeShell m_shell;
    std::optional<frmMain> m_window;
};

TEST_F(BrowseFolderTest, PickerOpensAtTheResolvedFolderOrAtTempAndCancelKeepsTheTextExactly) {
    makeFolder(QStringLiteral("temp/Radio"));
    QFile file(path(QStringLiteral("temp/plain.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QString temp = QStringLiteral("%TEMP%") + kSep;
    const struct {
        QString txtDL, start;
    } cases[] = {{temp + QStringLiteral("Radio"), m_temp + kSep + QStringLiteral("Radio") + kSep},
                 {temp + QStringLiteral("no such folder"), m_temp + kSep},
                 {temp + QStringLiteral("plain.txt"), m_temp + kSep}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.txtDL.toStdString());
        EXPECT_EQ(click(m_window->cmdBrowse, c.txtDL), c.start);
        EXPECT_EQ(m_window->txtDL->text(), c.txtDL);
    }
}

TEST_F(BrowseFolderTest, AChosenFolderReplacesAMacroPathAsAPlainPath) {
    const QString picked = makeFolder(QStringLiteral("picked"));
    const struct {
        QString answer, shown;
    } cases[] = {{picked, picked},
                 {picked + kSep + kSep, picked},
                 {path(QStringLiteral("picked//deeper/..")), picked},
                 {QDir::rootPath(), Native(QDir::rootPath())}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer.toStdString());
        m_shell.answer = c.answer;
        click(m_window->cmdBrowse, QStringLiteral("%MYDOC%") + kSep + QStringLiteral("Radio"));
        EXPECT_EQ(m_window->txtDL->text(), c.shown);
    }
}

TEST_F(BrowseFolderTest, AnEmptyPathStartsAtTheProgramFolderThenWhereverTheUserLastSelected) {
    m_shell.answer = QDir::rootPath();
    EXPECT_EQ(click(m_window->cmdBrowse, QString()), ProgramFolder());
    // The root chosen last time is remembered like any other folder.
    const QString wandered = makeFolder(QStringLiteral("wandered"));
    m_shell.answer.clear();
    m_shell.selections = {makeFolder(QStringLiteral("first")), wandered + kSep};
    EXPECT_EQ(click(m_window->cmdBrowse, QString()), Native(QDir::rootPath()));
    EXPECT_EQ(m_window->txtDL->text(), QString());
    // Even in a cancelled picker, the folder last selected is where the next one starts.
    m_shell.selections.clear();
    EXPECT_EQ(click(m_window->cmdBrowse, QString()), wandered);
}

TEST_F(BrowseFolderTest, ExploreOpensTheResolvedFolderWithoutGenreAndCreatesNothing) {
    EXPECT_EQ(
        click(m_window->cmdExplore, QStringLiteral("%TEMP%") + kSep + QStringLiteral("Radio")),
        std::nullopt);
    click(m_window->cmdExplore, QString());
    const QString radio = m_temp + kSep + QStringLiteral("Radio");
    EXPECT_EQ(m_shell.opened, (std::vector{QUrl::fromLocalFile(radio + kSep),
                                           QUrl::fromLocalFile(QDir::rootPath())}));
    EXPECT_FALSE(QDir(radio).exists());
}

// Macro resolution for both buttons; <APP> and <DOCS> stand for the program and documents
// folders in the expected text.
struct ResolveCase {
    const char* txtDL;
    const char* temp;      // the TEMP variable
    const char* dataHome;  // where %APPDATA% points
    const char* expected;
};

void PrintTo(const ResolveCase& c, std::ostream* out) {
    *out << '"' << c.txtDL << "\" with TEMP \"" << c.temp << '"';
}

class ResolveFolderMacrosTest : public ::testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveFolderMacrosTest, ReplacesTheMacrosInTheButtonsOrderAndAppendsOneSeparator) {
    const ResolveCase& c = GetParam();
    ScopedEnv temp("TEMP", QString::fromUtf8(c.temp));
    ScopedEnv dataHome("XDG_DATA_HOME", QString::fromUtf8(c.dataHome));
    QString expected = Native(QString::fromUtf8(c.expected));
    expected.replace(QStringLiteral("<APP>"), ProgramFolder());
    expected.replace(QStringLiteral("<DOCS>"), SpecialFolderPath(SpecialFolderDocuments));
    EXPECT_EQ(ResolveFolderMacros(Native(QString::fromUtf8(c.txtDL))), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResolveFolderMacrosTest,
    ::testing::Values(ResolveCase{"%APPPATH%/out", "/t", "/d", "<APP>/out/"},
                      ResolveCase{"", "/t", "/d", "/"}, ResolveCase{"/out/", "/t", "/d", "/out//"},
                      ResolveCase{"%temp%/x %TEMP%", "/t", "/d", "%temp%/x /t/"},
                      // %APPDATA% comes before %MYDOC%, so a %MYDOC% inside it is expanded too.
                      ResolveCase{"%APPDATA%/x", "/t", "/d/%MYDOC%", "/d/<DOCS>/x/"},
                      ResolveCase{"%TEMP%/x", "/t/%APPDATA%", "/d", "/t//d/x/"}));

class ShellTargetTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ShellTargetTest, APathIsNeverReadAsAWebAddress) {
    const QString document = QString::fromUtf8(GetParam());
    EXPECT_TRUE(ShellTarget(document).isLocalFile());
    EXPECT_EQ(ShellTarget(document).toLocalFile(), document);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShellTargetTest,
                         ::testing::Values("/tmp/Radio #1/", "/tmp/100% Jazz/", "/tmp/a:b/", "/"));

TEST(ShellTargetWebTest, AWebAddressStaysAsItIs) {
    const QString page = QStringLiteral("http://www.example.com/radiosift/buy.html?a=1#top");
    EXPECT_EQ(ShellTarget(page), QUrl(page));
}

}  // namespace
