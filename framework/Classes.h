#pragma once
// The component model: objects that describe themselves, components that own components,
// and text lists.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/TypInfo.h"

namespace velloran {

class TObject {
public:
    virtual ~TObject() = default;
    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
    const std::string& ClassName() const { return ClassInfo().Name; }
    bool InheritsFrom(const TClassInfo& cls) const { return ClassInfo().InheritsFrom(cls); }
};

class TPersistent : public TObject {
    VELLORAN_CLASS(TPersistent)
};

enum TComponentStateFlag : uint32_t {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csDesigning = 1u << 2,
    csDestroying = 1u << 3,
};

enum class TOperation { Insert, Remove };

class TComponent : public TPersistent {
    VELLORAN_CLASS(TComponent)
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    std::string Name() const { return name_; }
    virtual void SetName(const std::string& name);
    int32_t Tag() const { return tag_; }
    void SetTag(int32_t tag) { tag_ = tag; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
    const std::vector<TComponent*>& ComponentList() const { return components_; }
    TComponent* FindComponent(std::string_view name) const;  // case-insensitive
    int ComponentIndex() const;                              // position in the owner's list, -1 without owner

    uint32_t ComponentState() const { return state_; }
    bool HasState(TComponentStateFlag flag) const { return (state_ & flag) != 0; }
    void SetState(TComponentStateFlag flag, bool on) { state_ = on ? (state_ | flag) : (state_ & ~flag); }

    // Called on every component of a form after the whole form data has been read.
    virtual void Loaded();

    // Form data nests components; the enclosing one becomes the child's parent (a control's
    // parent control, a menu item's menu). Components without such a notion ignore it.
    virtual void SetParentComponent(TComponent* parent) {}
    virtual TComponent* GetParentComponent() const { return nullptr; }

    // Components that hold a reference to this one ask to be told when it goes.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    // Runs while the object is still whole, before its destructors: the place for OnDestroy
    // handlers that reach into derived classes.
    virtual void BeforeDestruction() {}

    void InsertComponent(TComponent* child);
    void RemoveComponent(TComponent* child);
    void DestroyComponents();  // last created first

protected:
    virtual void Notification(TComponent* component, TOperation operation);
    // Marks this component and everything it owns as going away.
    virtual void Destroying();

private:
    TComponent* owner_ = nullptr;
    std::string name_;
    int32_t tag_ = 0;
    uint32_t state_ = 0;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
};

// Destroys a component the way its owner would: BeforeDestruction first, then delete.
void Free(TComponent* component);

// An ordered list of text lines. Text joins lines with CR LF after each; setting Text splits
// on CR LF, a lone CR and a lone LF alike.
class TStrings : public TPersistent {
    VELLORAN_CLASS(TStrings)
public:
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& value);
    virtual void Insert(int index, const std::string& value) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual std::string Text() const;
    virtual void SetText(const std::string& text);

    int Add(const std::string& value);
    int IndexOf(std::string_view value) const;  // case-insensitive, like the platform's lists
    std::string operator[](int index) const { return Get(index); }
    void Assign(const TStrings& other);
    std::vector<std::string> ToVector() const;
    void SetFromVector(const std::vector<std::string>& lines);
};

class TStringList : public TStrings {
    VELLORAN_CLASS(TStringList)
public:
    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& value) override;
    void Insert(int index, const std::string& value) override;
    void Delete(int index) override;
    void Clear() override;

    // Called after every change of the lines.
    std::function<void(TObject*)> OnChange;

private:
    void CheckIndex(int index, bool allowEnd) const;
    void Changed();
    std::vector<std::string> items_;
};

// Splits text into lines at CR LF, lone CR and lone LF; a final break adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);
bool SameText(std::string_view a, std::string_view b);  // ASCII case-insensitive
std::string LowerCase(std::string_view s);               // ASCII only
std::string UpperCase(std::string_view s);               // ASCII only

}  // namespace velloran
