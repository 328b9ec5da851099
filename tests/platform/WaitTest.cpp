// Waits for a request or a look-up: the hook runs while they wait, a wait begun from within
// another starts nothing, and a hook that gives the wait up ends it at once.
#include "HostResolver.h"
#include "HttpRequest.h"
#include "NeverAccepted.h"
#include "PendingEvents.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

namespace {

struct SlowResolver : HostResolver {
    QStringList addresses(const QString&) override { return answer(QStringList{"192.0.2.1"}); }
    QString nameOf(const QString&) override { return answer(QStringLiteral("a.example")); }
    template <typename Answer>
    Answer answer(Answer given) {
        ++asked;
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        return given;
    }
    std::atomic<int> asked = 0, delayMs = 60000;
};

// Waits for a request to a port that never answers, or for a look-up: true when it came.
using WaitFor = std::function<bool(const NeverAccepted&, HostResolver&)>;
const std::pair<const char*, WaitFor> kWaits[] = {
    {"Request",
     [](const NeverAccepted& port, HostResolver&) {
         HttpRequest request;
         request.open(QStringLiteral("GET"),
                      QStringLiteral("http://127.0.0.1:%1/").arg(port.port()));
         request.send();
         return request.completed();
     }},
    {"Addresses",
     [](const NeverAccepted&, HostResolver& resolver) {
         return !resolver.addresses("a.example").isEmpty();
     }},
};

class Waits : public testing::TestWithParam<std::pair<const char*, WaitFor>> {
protected:
    void TearDown() override { PendingEvents::setWaitHook(nullptr); }
    const NeverAccepted silent_;
    const std::shared_ptr<SlowResolver> slow_ = std::make_shared<SlowResolver>();
    WaitingHostResolver resolver_{slow_};
};

TEST_P(Waits, RunTheHookAdmitNoOtherWaitAndEndWhenGivenUp) {
    int calls = 0;
    bool nestedCame = false;
    PendingEvents::setWaitHook([&] {
        // On the first call, a click that would start a request or a look-up of its own; any
        // admitted there would come at once.
        slow_->delayMs = 0;
        if (calls++ == 0)
            for (const auto& [name, wait] : kWaits) nestedCame |= wait(silent_, resolver_);
        slow_->delayMs = 60000;
        return calls < 3;
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(GetParam().second(silent_, resolver_));
    EXPECT_EQ(std::tuple(calls, nestedCame, slow_->asked.load()),
              std::tuple(3, false, std::string(GetParam().first) == "Request" ? 0 : 1));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20)) << "not given up";
}

INSTANTIATE_TEST_SUITE_P(Kinds, Waits, testing::ValuesIn(kWaits),
                         [](const auto& info) { return std::string(info.param.first); });

// Without a hook that gives it up, a look-up waits for its answer.
TEST(WaitingHostResolver, AnswersAsTheResolverItWaitsFor) {
    const auto quick = std::make_shared<SlowResolver>();
    quick->delayMs = 120;
    WaitingHostResolver resolver(quick);
    EXPECT_EQ(std::pair(resolver.addresses("a.example"), resolver.nameOf("192.0.2.1")),
              std::pair(QStringList{"192.0.2.1"}, QStringLiteral("a.example")));
}

}  // namespace
