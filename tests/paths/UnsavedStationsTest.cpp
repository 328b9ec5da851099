// Runs through the real window where stations cannot be written: a name taken by a folder, a full
// disk. The run goes on with the other stations and its ending says how many were not saved; no
// temporary file is left anywhere.
#include "WindowRun.h"

#include <sys/resource.h>

#include <csignal>

namespace {
using ::PrintTo;

struct Unwritable {
    const char* name;
    bool fullDisk;  // else a folder stands where the first station's file goes
    const char* ending;
};
class UnsavedStations : public WindowTest, public testing::WithParamInterface<Unwritable> {};

TEST_P(UnsavedStations, AreCountedAtTheEndAndTheRestAreSaved) {
    const Unwritable& c = GetParam();
    const RunChoice choice{.nameTemplate = "%RN%"};  // one file per station
    QMap<QString, QByteArray> expected = ExpectedFiles(catalogue(), choice);
    ASSERT_TRUE(expected.size() == 50 && QDir().mkpath(downloadDir() + kFolder));
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const rlimit full{16, previous.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
    if (c.fullDisk) {
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
        expected.clear();
    } else {
        ASSERT_TRUE(QDir().mkpath(downloadDir() + expected.firstKey()));
        expected.remove(expected.firstKey());
    }
    ASSERT_NO_FATAL_FAILURE(Choose(window, choice, downloadDir() + kFolder));
    run(c.ending);
    setrlimit(RLIMIT_FSIZE, &previous);
    ExpectSameFiles(files(), expected);
}

const Unwritable kUnwritable[] = {{"NameTakenByAFolder", false, "Done, 1 not saved"},
                                  {"FullDisk", true, "Done, 50 not saved"}};
INSTANTIATE_TEST_SUITE_P(Faults, UnsavedStations, testing::ValuesIn(kUnwritable), ByName);

}  // namespace
