#include "framework/Classes.h"

#include <algorithm>

namespace velloran {

const TClassInfo& TObject::StaticClassInfo() {
    static const TClassInfo info{"TObject", nullptr};
    return info;
}

const TClassInfo& TPersistent::StaticClassInfo() {
    static const TClassInfo info{"TPersistent", &TObject::StaticClassInfo()};
    return info;
}

const TClassInfo& TComponent::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TComponent>(
        "TComponent", &TPersistent::StaticClassInfo(),
        {props::String("Name", &TComponent::Name, &TComponent::SetName),
         props::Int("Tag", &TComponent::Tag, &TComponent::SetTag)});
    return info;
}

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    // Tell everyone holding a reference; they may remove themselves from the list meanwhile.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& back = other->freeNotifies_;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        other->Notification(this, TOperation::Remove);
    }
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::SetName(const std::string& name) { name_ = name; }

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name)) return c;
    return nullptr;
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::Loaded() { SetState(csLoading, false); }

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end()) {
        freeNotifies_.push_back(other);
        other->freeNotifies_.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (!other) return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other), freeNotifies_.end());
    auto& back = other->freeNotifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

void TComponent::InsertComponent(TComponent* child) {
    if (child->owner_) child->owner_->RemoveComponent(child);
    components_.push_back(child);
    child->owner_ = this;
    Notification(child, TOperation::Insert);
}

void TComponent::RemoveComponent(TComponent* child) {
    auto it = std::find(components_.begin(), components_.end(), child);
    if (it == components_.end()) return;
    Notification(child, TOperation::Remove);
    components_.erase(std::find(components_.begin(), components_.end(), child));
    child->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        RemoveComponent(last);
        Free(last);
    }
}

void Free(TComponent* component) {
    if (!component) return;
    component->BeforeDestruction();
    delete component;
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::Remove)
        for (TComponent* c : components_)
            if (c != component) c->Notification(component, operation);
}

void TComponent::Destroying() {
    if (HasState(csDestroying)) return;
    SetState(csDestroying, true);
    for (TComponent* c : components_) c->Destroying();
}

// ---- text lists --------------------------------------------------------------------------

const TClassInfo& TStrings::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TStrings>(
        "TStrings", &TPersistent::StaticClassInfo(),
        {props::Lines("Strings", &TStrings::ToVector, &TStrings::SetFromVector)});
    return info;
}

void TStrings::Put(int index, const std::string& value) {
    Delete(index);
    Insert(index, value);
}

std::string TStrings::Text() const {
    std::string out;
    for (int i = 0, n = Count(); i < n; ++i) out += Get(i) + "\r\n";
    return out;
}

void TStrings::SetText(const std::string& text) { SetFromVector(SplitLines(text)); }

int TStrings::Add(const std::string& value) {
    int index = Count();
    Insert(index, value);
    return index;
}

int TStrings::IndexOf(std::string_view value) const {
    for (int i = 0, n = Count(); i < n; ++i)
        if (SameText(Get(i), value)) return i;
    return -1;
}

void TStrings::Assign(const TStrings& other) { SetFromVector(other.ToVector()); }

std::vector<std::string> TStrings::ToVector() const {
    std::vector<std::string> out;
    for (int i = 0, n = Count(); i < n; ++i) out.push_back(Get(i));
    return out;
}

void TStrings::SetFromVector(const std::vector<std::string>& lines) {
    Clear();
    for (const std::string& line : lines) Add(line);
}

const TClassInfo& TStringList::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TStringList>("TStringList", &TStrings::StaticClassInfo());
    return info;
}

void TStringList::CheckIndex(int index, bool allowEnd) const {
    int limit = Count() + (allowEnd ? 1 : 0);
    if (index < 0 || index >= limit)
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}

std::string TStringList::Get(int index) const {
    CheckIndex(index, false);
    return items_[static_cast<size_t>(index)];
}

void TStringList::Put(int index, const std::string& value) {
    CheckIndex(index, false);
    items_[static_cast<size_t>(index)] = value;
    Changed();
}

void TStringList::Insert(int index, const std::string& value) {
    CheckIndex(index, true);
    items_.insert(items_.begin() + index, value);
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index, false);
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    items_.clear();
    Changed();
}

void TStringList::Changed() {
    if (OnChange) OnChange(this);
}

// ---- helpers -----------------------------------------------------------------------------

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\r' && c != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

namespace {
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

std::string LowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = Lower(c);
    return out;
}

std::string UpperCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = Upper(c);
    return out;
}

}  // namespace velloran
