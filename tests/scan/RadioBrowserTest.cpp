// The live community directory without a window: which directory a run asks, and how its servers
// are found.
#include "DirectoryHosts.h"
#include "FakeResolver.h"
#include "ScopedEnv.h"
#include "ServerChoice.h"

#include <gtest/gtest.h>

#include <QSet>
#include <optional>

namespace {

TEST(DirectoryChoice, TheVariableOrElseTheClassicHostDecidesAndAnUnknownNameIsToldAndGivesClassic) {
    using D = DirectoryHosts::Directory;
    const struct {
        const char *directory, *classicHost;
        D chosen;
        bool complaint;
    } cases[] = {
        {"", "", D::RadioBrowser, false},
        {"", "127.0.0.1:1", D::Classic, false},
        {"classic", "", D::Classic, false},
        {"radio-browser", "127.0.0.1:1", D::RadioBrowser, false},
        {"Radio-Browser", "", D::Classic, true},
        {"shoutcast", "", D::Classic, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.directory) + " / " + c.classicHost);
        const ScopedEnv directory("RADIOSIFT_DIRECTORY", c.directory);
        const ScopedEnv host("RADIOSIFT_CLASSIC_HOST", c.classicHost);
        QString complaint = "before";
        EXPECT_EQ(DirectoryHosts::chosenDirectory(&complaint), c.chosen);
        EXPECT_EQ(!complaint.isEmpty(), c.complaint) << complaint.toStdString();
        if (c.complaint) {
            EXPECT_TRUE(complaint.contains(c.directory));
        }
    }
}

// Every server a choice offers, each passed over in turn.
QStringList Offered(ServerChoice& choice) {
    QStringList bases;
    while (const std::optional<QString> base = choice.current()) {
        bases.append(*base);
        if (!choice.passOver()) break;
    }
    return bases;
}

TEST(ServerDiscovery, EveryNamedServerOnceInAnOrderThatChangesWithTheRandomSource) {
    const ScopedEnv fixed("RADIOSIFT_RADIO_BROWSER_URL", "");
    // Five servers, one of them at two addresses, and an address without a name.
    FakeResolver resolver;
    resolver.found = {"10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4",
                      "10.0.0.5", "::6",      "10.0.0.7"};
    resolver.names = {{"10.0.0.1", "a.test"}, {"10.0.0.2", "b.test"}, {"10.0.0.3", "c.test"},
                      {"10.0.0.4", "d.test"}, {"10.0.0.5", "e.test"}, {"::6", "a.test"}};
    QSet<QString> firsts;
    for (quint32 seed = 1; seed <= 20; ++seed) {
        QRandomGenerator random(seed);
        ServerChoice choice(
            {&resolver, &random, [](const QString& name) { return "https://" + name; }});
        QStringList bases = Offered(choice);
        firsts.insert(bases.value(0));
        bases.sort();
        EXPECT_EQ(bases, QStringList({"https://a.test", "https://b.test", "https://c.test",
                                      "https://d.test", "https://e.test"}));
    }
    EXPECT_EQ(firsts.size(), 5) << "the first server asked is not spread over the servers";
    EXPECT_EQ(resolver.asked, QStringList(20, "all.api.radio-browser.info"));
}

}  // namespace
