// Hooks on a control's message handling: links stack newest first, leave in any order without
// cutting out the others, may leave from inside a handler, and outlive their control harmlessly.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "framework/ControlHook.h"
#include "framework/Forms.h"
#include "tests/framework/FrameworkTestMain.h"

namespace velloran {
namespace {

using namespace fwtest;

constexpr UINT kProbe = WM_APP + 11;

// A control whose own handler answers the probe with 100 and notes that it was reached.
class TProbeControl : public TControl {
public:
    explicit TProbeControl(std::string* trace) : TControl(nullptr), trace_(trace) {}
    void WndProc(TMessage& m) override {
        if (m.Msg != kProbe) return TControl::WndProc(m);
        *trace_ += "W";
        m.Result = 100;
    }

private:
    std::string* trace_;
};

// A link that notes its name, passes the message on, then adds its amount to the answer.
TControlHook::THandler Adding(std::string* trace, char name, LRESULT amount) {
    return [=](TMessage& m, const TControlHook::TNext& next) {
        if (m.Msg != kProbe) return next(m);
        *trace += name;
        next(m);
        m.Result += amount;
    };
}

struct TProbe {
    std::string Trace;
    LRESULT Result;
};

TProbe Send(TControl& control, std::string& trace) {
    trace.clear();
    const LRESULT result = control.Perform(kProbe);
    return {trace, result};
}

TEST(ControlHook, ThreeLinksLeaveInEveryOrderAndTheRestStayChained) {
    const std::array<char, 3> names{'a', 'b', 'c'};
    const std::array<LRESULT, 3> amounts{1, 10, 1000};
    std::array<int, 3> order{0, 1, 2};
    int orders = 0;
    do {
        std::string trace;
        TOwned<TProbeControl> control(new TProbeControl(&trace));
        std::array<std::unique_ptr<TControlHook>, 3> links;
        for (int i = 0; i < 3; ++i) links[i] = std::make_unique<TControlHook>(*control, Adding(&trace, names[i], amounts[i]));
        TProbe probe = Send(*control, trace);
        EXPECT_EQ(probe.Trace, "cbaW");
        EXPECT_EQ(probe.Result, 1111);

        for (int gone : order) {
            links[gone].reset();
            std::string expected;
            LRESULT sum = 100;
            for (int i = 2; i >= 0; --i)
                if (links[i]) {
                    expected += names[i];
                    sum += amounts[i];
                }
            probe = Send(*control, trace);
            EXPECT_EQ(probe.Trace, expected + "W") << "order " << order[0] << order[1] << order[2];
            EXPECT_EQ(probe.Result, sum);
        }
        ++orders;
    } while (std::next_permutation(order.begin(), order.end()));
    EXPECT_EQ(orders, 6);
}

TEST(ControlHook, ALinkSwallowsOrWorksAfterTheRestAnswered) {
    std::string trace;
    TOwned<TProbeControl> control(new TProbeControl(&trace));
    TControlHook lower(*control, Adding(&trace, 'a', 1));
    TControlHook swallowing(*control, [&](TMessage& m, const TControlHook::TNext& next) {
        if (m.Msg != kProbe) return next(m);
        trace += "s";
        m.Result = 7;
    });
    TProbe probe = Send(*control, trace);
    EXPECT_EQ(probe.Trace, "s");
    EXPECT_EQ(probe.Result, 7);
    swallowing.Detach();
    EXPECT_FALSE(swallowing.Attached());
    EXPECT_TRUE(lower.Attached());
    probe = Send(*control, trace);
    EXPECT_EQ(probe.Trace, "aW");
    EXPECT_EQ(probe.Result, 101);
}

TEST(ControlHook, LinksLeaveAndJoinWhileAHandlerRuns) {
    std::string trace;
    TOwned<TProbeControl> control(new TProbeControl(&trace));
    auto a = std::make_unique<TControlHook>(*control, Adding(&trace, 'a', 1));
    auto b = std::make_unique<TControlHook>(*control, Adding(&trace, 'b', 10));
    std::unique_ptr<TControlHook> late;
    // c leaves during its own handler, then passes the message on; its captures must still be
    // alive while it runs, which the string below checks.
    std::unique_ptr<TControlHook> c;
    const std::string own = "c";
    c = std::make_unique<TControlHook>(*control, [&, own](TMessage& m, const TControlHook::TNext& next) {
        if (m.Msg != kProbe) return next(m);
        c.reset();
        trace += own;
        next(m);
        m.Result += 1000;
    });
    TProbe probe = Send(*control, trace);
    EXPECT_EQ(probe.Trace, "cbaW");
    EXPECT_EQ(probe.Result, 1111);
    EXPECT_EQ(c, nullptr);
    EXPECT_EQ(Send(*control, trace).Trace, "baW");

    // d removes b, which stands below it, and installs a link of its own: the message goes on
    // past b, and the new link sees only the next message.
    TControlHook d(*control, [&](TMessage& m, const TControlHook::TNext& next) {
        if (m.Msg != kProbe) return next(m);
        trace += "d";
        if (b) {
            b.reset();
            late = std::make_unique<TControlHook>(*control, Adding(&trace, 'e', 0));
        }
        next(m);
    });
    EXPECT_EQ(Send(*control, trace).Trace, "daW");
    EXPECT_EQ(Send(*control, trace).Trace, "edaW");
}

TEST(ControlHook, AControlFreedFirstLeavesItsLinksInert) {
    std::string trace;
    auto* control = new TProbeControl(&trace);
    TControlHook a(*control, Adding(&trace, 'a', 1));
    auto b = std::make_unique<TControlHook>(*control, Adding(&trace, 'b', 10));
    Free(control);
    EXPECT_FALSE(a.Attached());
    EXPECT_FALSE(b->Attached());
    b.reset();
    a.Detach();

    // A form's window is destroyed with it: its links see the last messages, then go inert.
    TOwned<TForm> form(new TForm(nullptr));
    std::vector<UINT> seen;
    TControlHook watcher(*form, [&](TMessage& m, const TControlHook::TNext& next) {
        seen.push_back(m.Msg);
        next(m);
    });
    const HWND wnd = form->Handle();
    SendMessageA(wnd, kProbe, 0, 0);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), kProbe);
    form.reset();
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(seen.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_FALSE(watcher.Attached());
}

}  // namespace
}  // namespace velloran
