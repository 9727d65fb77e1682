#pragma once
// Hooks on a framework control's message handling, chained the way the platform chains window
// subclasses: every hook is an owned link, the link installed last sees a message first, and a
// link can leave at any time, in any order, without cutting out the links installed after it.
//
//   TControlHook hook(*button, [](TMessage& m, const TControlHook::TNext& next) {
//       if (m.Msg == WM_PAINT) { PaintMyWay(m); return; }  // handled: the rest never sees it
//       next(m);                                         // the rest of the chain, then...
//       AfterwardsToo(m);                                // ...work on what it answered
//   });
//
// Guarantees:
// - Removing a link (its destructor or Detach) removes exactly that link, wherever it stands.
// - A link may be removed while a handler is running, its own included: the handler's function
//   object lives until it returns, and its TNext still reaches the links below it.
// - A link installed while a message is being handled sees the next message, not that one.
// - A control destroyed with links still installed leaves them inert: Attached() turns false and
//   their destruction does nothing. (A control is never destroyed from its own message handling;
//   the framework posts CM_RELEASE for that.)
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/Messages.h"

namespace velloran {

class TControl;
class TControlHookChain;

class TControlHook {
public:
    // Passes a message on to the rest of the chain: the links installed before this one, then
    // the control's own WndProc. A handler calls it once, before or after its own work, or not
    // at all to swallow the message.
    class TNext {
    public:
        void operator()(TMessage& message) const;

    private:
        friend class TControlHookChain;
        TNext(TControl& control, TControlHookChain& chain, uint64_t below)
            : control_(&control), chain_(&chain), below_(below) {}
        TControl* control_;
        TControlHookChain* chain_;
        uint64_t below_;  // the installation number of the calling link
    };
    using THandler = std::function<void(TMessage& message, const TNext& next)>;

    // Installs handler at the head of control's chain.
    TControlHook(TControl& control, THandler handler);
    ~TControlHook() { Detach(); }
    TControlHook(const TControlHook&) = delete;
    TControlHook& operator=(const TControlHook&) = delete;

    // False once detached or once the control is gone.
    bool Attached() const;
    // Leaves the chain now; every other link stays.
    void Detach();

private:
    friend class TControlHookChain;
    struct TLink {
        THandler Handler;
        uint64_t Order = 0;
        TControlHookChain* Chain = nullptr;  // null once inert
    };
    std::shared_ptr<TLink> link_;
};

// The chain a control keeps; the control's WindowProc runs messages through it.
class TControlHookChain {
public:
    TControlHookChain() = default;
    ~TControlHookChain();
    TControlHookChain(const TControlHookChain&) = delete;
    TControlHookChain& operator=(const TControlHookChain&) = delete;

    void Dispatch(TControl& control, TMessage& message) { CallBelow(control, message, UINT64_MAX); }

private:
    friend class TControlHook;
    using TLink = TControlHook::TLink;
    // Runs the newest link installed before the link numbered below, or the control's WndProc.
    void CallBelow(TControl& control, TMessage& message, uint64_t below);
    void Remove(const TLink* link);

    std::vector<std::shared_ptr<TLink>> links_;  // in installation order
    uint64_t installed_ = 0;
};

}  // namespace velloran
