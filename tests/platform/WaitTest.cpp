// Waits for a request or a look-up: the hook runs while they wait, a wait begun from within
// another starts nothing, and a hook that gives the wait up ends it at once.
#include "HostResolver.h"
#include "HttpRequest.h"
#include "NeverAccepted.h"
#include "PendingEvents.h"

#include <gtest/gtest.h>

#include <atomic>
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

class Waits : public testing::Test {
protected:
    void TearDown() override { PendingEvents::setWaitHook(nullptr); }
    // A request to a port that never answers, or a look-up: true when the answer came.
    bool request() {
        HttpRequest request;
        request.open(QStringLiteral("GET"),
                     QStringLiteral("http://127.0.0.1:%1/").arg(silent_.port()));
        request.send();
        return request.completed();
    }
    bool lookUp() { return !resolver_.addresses("a.example").isEmpty(); }

    const NeverAccepted silent_;
    const std::shared_ptr<SlowResolver> slow_ = std::make_shared<SlowResolver>();
    WaitingHostResolver resolver_{slow_};
};

TEST_F(Waits, RunTheHookAdmitNoOtherWaitAndEndWhenGivenUp) {
    for (const bool isRequest : {true, false}) {
        SCOPED_TRACE(isRequest ? "request" : "look-up");
        int calls = 0;
        bool nestedCame = false;
        PendingEvents::setWaitHook([&] {
            // On the first call, a click that would start a request or a look-up of its own;
            // any admitted there would come at once.
            slow_->delayMs = 0;
            if (calls++ == 0) nestedCame = request() || lookUp();
            slow_->delayMs = 60000;
            return calls < 3;
        });
        const int asked = slow_->asked;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(isRequest ? request() : lookUp());
        EXPECT_EQ(std::tuple(calls, nestedCame, slow_->asked - asked),
                  std::tuple(3, false, isRequest ? 0 : 1));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20))
            << "not given up";
    }
}

// Without a hook that gives it up, a look-up waits for its answer.
TEST_F(Waits, ALookUpAnswersAsTheResolverItWaitsFor) {
    slow_->delayMs = 120;
    EXPECT_EQ(std::pair(resolver_.addresses("a.example"), resolver_.nameOf("192.0.2.1")),
              std::pair(QStringList{"192.0.2.1"}, QStringLiteral("a.example")));
}

}  // namespace
