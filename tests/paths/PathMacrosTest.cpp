// The download-path macros, the special folders behind them and the folders a run creates,
// with HOME, the XDG folders, TEMP and TMPDIR pointed into a temporary folder.
#include "ModSpFolder.h"
#include "PathMacros.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <map>

namespace {

const QString sep = QDir::separator();

class PathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "TEMP", "TMPDIR"})
            m_saved[name] = qEnvironmentVariableIsSet(name)
                                ? std::optional<QByteArray>(qgetenv(name))
                                : std::nullopt;
        for (const char* folder : {"home/Documents", "config", "data", "sys", "temp", "work"})
            ASSERT_TRUE(QDir(root.path()).mkpath(QString::fromLatin1(folder)));
        qputenv("HOME", Path("home").toUtf8());
        qputenv("XDG_CONFIG_HOME", Path("config").toUtf8());  // no user-dirs file: ~/Documents
        qputenv("XDG_DATA_HOME", Path("data").toUtf8());
        qputenv("TMPDIR", Path("sys").toUtf8());
        qputenv("TEMP", Path("temp").toUtf8());
        m_cwd = QDir::currentPath();
        QDir::setCurrent(Path("work"));
    }
    void TearDown() override {
        QDir::setCurrent(m_cwd);
        for (const auto& [name, value] : m_saved) {
            if (value)
                qputenv(name, *value);
            else
                qunsetenv(name);
        }
    }
    QString Path(const char* relative) const {
        return QDir::toNativeSeparators(root.filePath(QString::fromLatin1(relative)));
    }
    static bool IsDir(const QString& path) { return QFileInfo(path).isDir(); }

    QTemporaryDir root;

private:
    std::map<const char*, std::optional<QByteArray>> m_saved;
    QString m_cwd;
};

TEST_F(PathsTest, SpecialFoldersAreDocumentsAndTheGenericDataFolder) {
    EXPECT_EQ(SpecialFolderPath(5), Path("home/Documents"));
    EXPECT_EQ(SpecialFolderPath(26), Path("data"));
    for (int other : {0, 7, 28, -1}) EXPECT_EQ(SpecialFolderPath(other), QString()) << other;
}

TEST(ReplaceMacroTest, ReplacesEveryExactOccurrenceOnce) {
    const struct {
        const char *text, *value, *result;
    } cases[] = {
        {"%TEMP%/a/%TEMP%", "/t", "/t/a//t"},
        {"%temp%/%Temp%", "/t", "%temp%/%Temp%"},
        {"%TEMP", "/t", "%TEMP"},
        {"x%TEMP%y", "%TEMP%%TEMP%", "x%TEMP%%TEMP%y"},  // the value is not looked into
        {"%TEMP%", "", ""},
    };
    for (const auto& c : cases) {
        QString text = QString::fromLatin1(c.text);
        ReplaceMacro(text, QStringLiteral("%TEMP%"), QString::fromLatin1(c.value));
        EXPECT_EQ(text, QString::fromLatin1(c.result)) << c.text;
    }
}

TEST_F(PathsTest, ExpandsEachMacroAndCreatesTheFolderAndItsGenreFolder) {
    const struct {
        QString txtDL, folder;
    } cases[] = {
        {"%MYDOC%" + sep + "Radio", Path("home/Documents") + sep + "Radio"},
        {"%APPDATA%" + sep + "Radio", Path("data") + sep + "Radio"},
        {"%TEMP%" + sep + "Radio", Path("temp") + sep + "Radio"},
        {Path("temp") + sep + "Plain", Path("temp") + sep + "Plain"},
    };
    for (const auto& c : cases) {
        QString expanded;
        EXPECT_EQ(ExpandDownloadDir(c.txtDL, QStringLiteral("Jazz"), expanded),
                  c.folder + sep + "Jazz" + sep);
        EXPECT_EQ(expanded, c.folder + sep);
        EXPECT_TRUE(IsDir(c.folder + sep + "Jazz")) << c.txtDL.toStdString();
    }
}

TEST_F(PathsTest, TempWithoutTheVariableIsTheSystemTemporaryFolder) {
    qunsetenv("TEMP");
    QString expanded;
    EXPECT_EQ(
        ExpandDownloadDir(QStringLiteral("%TEMP%") + sep + ".1", QStringLiteral("Jazz"), expanded),
        Path("sys") + sep + ".1" + sep + "Jazz" + sep);
    EXPECT_TRUE(IsDir(Path("sys") + sep + ".1" + sep + "Jazz"));
}

TEST_F(PathsTest, ProgramFolderIsTheExecutablesFolder) {
    QString expanded;
    // Two missing levels below it: nothing is created, the path is still returned.
    const QString txtDL = "%APPPATH%" + sep + "no-such-folder" + sep + "Radio";
    const QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + sep +
                           "no-such-folder" + sep + "Radio";
    EXPECT_EQ(ExpandDownloadDir(txtDL, QStringLiteral("Jazz"), expanded),
              folder + sep + "Jazz" + sep);
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(folder).path()));
}

TEST_F(PathsTest, MacrosExpandInOrderSoOnlyALaterMacroInAValueIsExpanded) {
    qputenv("TEMP", QString("%APPDATA%" + sep + "%APPPATH%").toUtf8());
    QString expanded;
    ExpandDownloadDir(QStringLiteral("%TEMP%"), QStringLiteral("Jazz"), expanded);
    EXPECT_EQ(expanded, Path("data") + sep + "%APPPATH%" + sep);
}

TEST_F(PathsTest, ATrailingSeparatorIsDoubledBeforeTheGenre) {
    QString expanded;
    EXPECT_EQ(ExpandDownloadDir(Path("temp") + sep, QStringLiteral("Jazz"), expanded),
              Path("temp") + sep + sep + "Jazz" + sep);
    EXPECT_EQ(expanded, Path("temp") + sep + sep);
    EXPECT_TRUE(IsDir(Path("temp") + sep + "Jazz"));
}

TEST_F(PathsTest, ALowerCaseMacroIsARelativeFolderName) {
    QString expanded;
    EXPECT_EQ(ExpandDownloadDir(QStringLiteral("%mydoc%"), QStringLiteral("Jazz"), expanded),
              "%mydoc%" + sep + "Jazz" + sep);
    EXPECT_TRUE(IsDir(Path("work") + sep + "%mydoc%" + sep + "Jazz"));
}

}  // namespace
