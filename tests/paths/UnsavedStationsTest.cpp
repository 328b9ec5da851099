// Runs through the real window where stations cannot be written: a name taken by a folder, a full
// disk, a download folder of another user. The run goes on with the other stations and its ending
// says how many were not saved; no temporary file is left anywhere.
#include "WindowRun.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

namespace {
using ::PrintTo;

enum class Fault { NameTakenByAFolder, FullDisk, DownloadFolderOfAnotherUser };
struct Unwritable {
    const char* name;
    Fault fault;
    const char* ending;
};
class UnsavedStations : public WindowTest, public testing::WithParamInterface<Unwritable> {};

TEST_P(UnsavedStations, AreCountedAtTheEndAndTheRestAreSaved) {
    const Unwritable& c = GetParam();
    const bool othersFolder = c.fault == Fault::DownloadFolderOfAnotherUser;
    if (othersFolder && geteuid() != 0)
        GTEST_SKIP() << "needs root, to hand a folder to another user";
    const RunChoice choice{.nameTemplate = "%RN%"};  // one file per station
    QMap<QString, QByteArray> expected = ExpectedFiles(catalogue(), choice);
    const QString folder = downloadDir() + kFolder;
    ASSERT_TRUE(expected.size() == 50 && QDir().mkpath(folder));
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const rlimit full{16, previous.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
    if (c.fault == Fault::NameTakenByAFolder) {
        ASSERT_TRUE(QDir().mkpath(downloadDir() + expected.firstKey()));
        expected.remove(expected.firstKey());
    } else {
        expected.clear();
        ASSERT_TRUE(othersFolder || setrlimit(RLIMIT_FSIZE, &full) == 0);
        ASSERT_TRUE(!othersFolder ||
                    (chmod(QFile::encodeName(downloadDir() + "deep"), 01777) == 0 &&
                     chown(QFile::encodeName(folder), 65534, 65534) == 0));
    }
    ASSERT_NO_FATAL_FAILURE(Choose(window, choice, folder));
    run(c.ending);
    setrlimit(RLIMIT_FSIZE, &previous);
    ExpectSameFiles(files(), expected);
    // A refused folder is known before any playlist is fetched.
    EXPECT_EQ(server().requestLog().filter(QStringLiteral("/sbin/")).isEmpty(), othersFolder);
}

const Unwritable kUnwritable[] = {
    {"NameTakenByAFolder", Fault::NameTakenByAFolder, "Done, 1 not saved"},
    {"FullDisk", Fault::FullDisk, "Done, 50 not saved"},
    {"DownloadFolderOfAnotherUser", Fault::DownloadFolderOfAnotherUser, "Done, 50 not saved"},
};
INSTANTIATE_TEST_SUITE_P(Faults, UnsavedStations, testing::ValuesIn(kUnwritable), ByName);

}  // namespace
