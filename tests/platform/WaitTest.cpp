// Waits for a request or a look-up: the thread's events run while they wait, a wait begun from
// within another starts nothing, and an event after which the check gives the wait up ends it.
#include "HostResolver.h"
#include "HttpRequest.h"
#include "NeverAccepted.h"
#include "PendingEvents.h"

#include <gtest/gtest.h>

#include <QTimer>

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
    void TearDown() override { PendingEvents::setWaitCheck(nullptr); }
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

TEST_F(Waits, RunEventsAdmitNoOtherWaitAndEndWhenGivenUp) {
    for (const bool isRequest : {true, false}) {
        SCOPED_TRACE(isRequest ? "request" : "look-up");
        bool stop = false, nestedCame = true;
        PendingEvents::setWaitCheck([&] { return !stop; });
        // Events while the thread waits: a click that would start a request or a look-up of its
        // own (any admitted there would come at once), then a Stop. Nothing of the transfer or
        // the look-up wakes the thread meanwhile.
        QTimer::singleShot(10, [&] {
            slow_->delayMs = 0;
            nestedCame = request() || lookUp();
            slow_->delayMs = 60000;
        });
        QTimer::singleShot(30, [&] { stop = true; });
        const int asked = slow_->asked;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(isRequest ? request() : lookUp());
        EXPECT_EQ(std::tuple(stop, nestedCame, slow_->asked - asked),
                  std::tuple(true, false, isRequest ? 0 : 1));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20))
            << "not given up";
    }
}

// Without a check that gives it up, a look-up waits for its answer.
TEST_F(Waits, ALookUpAnswersAsTheResolverItWaitsFor) {
    slow_->delayMs = 120;
    EXPECT_EQ(std::pair(resolver_.addresses("a.example"), resolver_.nameOf("192.0.2.1")),
              std::pair(QStringList{"192.0.2.1"}, QStringLiteral("a.example")));
}

}  // namespace
