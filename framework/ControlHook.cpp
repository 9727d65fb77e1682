#include "framework/ControlHook.h"

#include <algorithm>

#include "framework/Controls.h"

namespace velloran {

void TControlHook::TNext::operator()(TMessage& message) const { chain_->CallBelow(*control_, message, below_); }

TControlHook::TControlHook(TControl& control, THandler handler) : link_(std::make_shared<TLink>()) {
    TControlHookChain& chain = control.hooks_;
    link_->Handler = std::move(handler);
    link_->Order = chain.installed_++;
    link_->Chain = &chain;
    chain.links_.push_back(link_);
}

bool TControlHook::Attached() const { return link_ && link_->Chain; }

void TControlHook::Detach() {
    if (!link_) return;
    if (link_->Chain) link_->Chain->Remove(link_.get());
    link_.reset();
}

TControlHookChain::~TControlHookChain() {
    for (const auto& link : links_) link->Chain = nullptr;
}

void TControlHookChain::CallBelow(TControl& control, TMessage& message, uint64_t below) {
    // Links are looked up by number on every call, so that links leaving or joining meanwhile
    // never leave a stale position behind.
    auto newer = std::lower_bound(links_.begin(), links_.end(), below,
                                  [](const std::shared_ptr<TLink>& link, uint64_t order) { return link->Order < order; });
    if (newer == links_.begin()) {
        control.WndProc(message);
        return;
    }
    // Held for the call: the link may leave from inside its own handler.
    const std::shared_ptr<TLink> link = *std::prev(newer);
    link->Handler(message, TControlHook::TNext(control, *this, link->Order));
}

void TControlHookChain::Remove(const TLink* link) {
    auto found = std::find_if(links_.begin(), links_.end(), [link](const auto& l) { return l.get() == link; });
    if (found == links_.end()) return;
    (*found)->Chain = nullptr;
    links_.erase(found);
}

}  // namespace velloran
