// The folders a run writes into, as another user of the machine would prepare them. Handing a
// folder to another user ("nobody") needs root; those cases are skipped otherwise.
#include "FolderHandle.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

namespace {

constexpr uid_t kNobody = 65534;
const QString kPrefix = QStringLiteral(".test-");  // of the files being written

mode_t Mode(const QString& path) {
    struct stat info {};
    return lstat(QFile::encodeName(path), &info) == 0 ? info.st_mode & 07777 : 0;
}

std::string Entries(const QString& folder) {
    return QDir(folder)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)
        .join('|')
        .toStdString();
}

class FolderHandleTest : public ::testing::Test {
protected:
    QString makeFolder(const QString& name, mode_t mode) {
        const QString path = m_root.filePath(name);
        EXPECT_TRUE(QDir().mkpath(path) && chmod(QFile::encodeName(path), mode) == 0)
            << name.toStdString();
        return path;
    }
    QTemporaryDir m_root;
};

// A folder that anyone but the user may write into is shared: what the program takes there must
// be the user's own and closed to others, and what it makes there is private. A link is followed
// only where no one else could have made it, and only to a folder of the user's that is closed to
// others (the victim's home of these cases, or a folder open to others).
TEST_F(FolderHandleTest, IsTakenOnlyWhereNoOneElseCouldHavePutIt) {
    enum Planted { Nothing, Link, Folder };
    // clang-format off
    const struct { const char* what; mode_t parentMode; Planted planted; mode_t mode; bool others, taken; } cases[] = {
        // the folder's parent, what stands in the folder's place, its mode, both of "nobody"
        {"private parent, own open folder", 0700, Folder, 0777, false, true},
        {"private parent, own link to a private folder", 0700, Link, 0700, false, true},
        {"private parent, own link to an open folder", 0700, Link, 0777, false, false},
        {"shared parent, new folder", 0777, Nothing, 0, false, true},
        {"team folder, own private folder", 02775, Folder, 0700, false, true},
        {"team folder, own folder open to the group", 02775, Folder, 02775, false, false},
        {"team folder, link to the victim's home", 02775, Link, 0700, false, false},
        {"parent and folder of another user", 0755, Folder, 0755, true, false}};
    // clang-format on
    int skipped = 0;
    for (const auto& c : cases) {
        if (c.others && geteuid() != 0 && ++skipped) continue;
        SCOPED_TRACE(c.what);
        const QString tag = QString::number(&c - cases),
                      victim = makeFolder("home" + tag, c.planted == Link ? c.mode : 0700);
        const QString parent = makeFolder("shared" + tag, c.parentMode), rock = parent + "/Rock";
        ASSERT_TRUE(c.planted != Link || QFile::link(victim, rock));
        if (c.planted == Folder) makeFolder("shared" + tag + "/Rock", c.mode);
        ASSERT_TRUE(!c.others || chown(QFile::encodeName(rock), kNobody, kNobody) == 0);
        ASSERT_TRUE(!c.others || c.parentMode != 0755 ||
                    chown(QFile::encodeName(parent), kNobody, kNobody) == 0);

        const std::unique_ptr<FolderHandle> folder = FolderHandle::open(rock, kPrefix);
        EXPECT_EQ(folder && folder->replaceFile("a.pls", "x") && QFile::exists(rock + "/a.pls"),
                  c.taken);
        EXPECT_EQ(Entries(victim), c.planted == Link && c.taken ? "a.pls" : "");
        EXPECT_TRUE(c.planted != Nothing || Mode(rock) == 0700u) << Mode(rock);
    }
    if (skipped) GTEST_SKIP() << skipped << " cases need root, to hand a folder to another user";
}

// Another user swaps the folder for a link to the victim's home after the run opened it: the
// files still go into the folder that was opened. Nor does a file name lead through a link, or
// up a level.
TEST_F(FolderHandleTest, WritesIntoTheFolderItOpenedWhateverItsPathLeadsToLater) {
    const QString victim = makeFolder("home", 0700), parent = makeFolder("shared", 0777);
    const std::unique_ptr<FolderHandle> folder = FolderHandle::open(parent + "/TopTen", kPrefix);
    ASSERT_TRUE(folder);
    ASSERT_TRUE(QDir(parent).rename("TopTen", "moved") && QFile::link(victim, parent + "/TopTen"));
    ASSERT_TRUE(QFile::link(victim, parent + "/moved/sub"));
    EXPECT_TRUE(folder->replaceFile("a.pls", "x"));
    for (const char* name : {"sub/b.pls", "../b.pls", "x/../../b.pls", "sub/"})
        EXPECT_FALSE(folder->replaceFile(name, "x")) << name;
    EXPECT_EQ(Entries(parent + "/moved"), "a.pls|sub");
    EXPECT_EQ(Entries(victim), "");
}

// A link in a file's place is replaced: what it points at keeps its bytes and lends the new file
// nothing. A replaced file keeps its permissions; the longest name is written. The first write
// removes the temporary files of killed runs (process gone, or a day old) and no other file.
TEST_F(FolderHandleTest, ReplacesFilesInOneStepAndClearsAwayOnlyStaleTemporaryFiles) {
    const QString dir = makeFolder("Rock", 0700);
    const QString running = QString::number(QCoreApplication::applicationPid());
    const QString gone = QStringLiteral("2147483647");  // above any process id the system gives
    const QString longest = QString(251, 'x') + ".pls", old = kPrefix + running + "-4567cdef.part";
    QStringList left = {kPrefix + running + "-0123abcd.part",
                        "x" + kPrefix + gone + "-0123abcd.part"};
    for (const QString& name : left + QStringList{kPrefix + gone + "-0123abcd.part", old})
        ASSERT_TRUE(QFile(dir + "/" + name).open(QIODevice::WriteOnly));
    QFile dayOld(dir + "/" + old);
    ASSERT_TRUE(dayOld.open(QIODevice::Append) &&
                dayOld.setFileTime(QDateTime::currentDateTime().addDays(-2),
                                   QFileDevice::FileModificationTime));
    const std::unique_ptr<FolderHandle> folder = FolderHandle::open(dir, kPrefix);
    ASSERT_TRUE(folder && folder->replaceFile("target.pls", "earlier"));
    ASSERT_TRUE(chmod(QFile::encodeName(dir + "/target.pls"), 0751) == 0 &&
                QFile::link(dir + "/target.pls", dir + "/link.pls"));
    EXPECT_TRUE(folder->replaceFile("link.pls", "later") && folder->replaceFile(longest, "x"));
    QFile target(dir + "/target.pls");
    EXPECT_TRUE(target.open(QIODevice::ReadOnly) && target.readAll() == "earlier");
    EXPECT_EQ(Mode(dir + "/link.pls") & 0111, 0u);  // a link shows 0777
    EXPECT_TRUE(folder->replaceFile("target.pls", "later"));
    EXPECT_EQ(Mode(dir + "/target.pls"), 0751u);
    left += {"link.pls", "target.pls", longest};
    left.sort();
    EXPECT_EQ(Entries(dir), left.join('|').toStdString());
}

}  // namespace
