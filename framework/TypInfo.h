#pragma once
// Published properties, fields and methods by name. Every framework class describes what it
// publishes in a TClassInfo; the form-data reader and the skin engine read and write
// components through it without knowing their C++ types.
#include <any>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace velloran {

class TObject;
class TPersistent;
class TComponent;
struct TClassInfo;

// Errors of the component model carry a message, like every error of the program.
class EPropertyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TPropKind { Integer, Enum, Set, String, Object, Event, Binary, StringList };

// Identifiers of an enumeration, in ordinal order. Sets of it are bit masks of ordinals.
struct TEnumInfo {
    std::vector<std::string> Names;
    int IndexOf(std::string_view name) const;  // case-insensitive; -1 when absent
};

extern const TEnumInfo BooleanEnum;  // False, True

struct TPropValue {
    int64_t Int = 0;                    // Integer, Enum ordinal, Set mask
    std::string Str;                    // String
    TPersistent* Obj = nullptr;         // Object
    std::any Event;                     // Event: a std::function of the event's signature
    std::vector<uint8_t> Bytes;         // Binary
    std::vector<std::string> Lines;     // StringList
};

struct TPropInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    const TEnumInfo* Enum = nullptr;        // Enum and Set
    // Object: the class a value must inherit from. A function rather than the description itself,
    // so that a class can publish a reference to its own kind while its description is being built.
    const TClassInfo& (*ObjClass)() = nullptr;
    bool SubObject = false;                 // Object owned by the instance (Font, Lines): not assignable
    std::function<TPropValue(const TPersistent&)> Get;
    std::function<void(TPersistent&, const TPropValue&)> Set;  // empty for read-only
};

// A published handler method; Bind makes the event value (a std::function) for one instance.
struct TMethodInfo {
    std::string Name;
    std::function<std::any(TPersistent&)> Bind;
};

// A published field that receives the component of the same name when form data creates it.
struct TFieldInfo {
    std::string Name;
    std::function<bool(TPersistent&, TComponent*)> Assign;  // false when the component has the wrong class
};

struct TClassInfo {
    std::string Name;
    const TClassInfo* Parent = nullptr;
    std::function<TComponent*(TComponent* owner)> Create;  // empty for abstract classes
    std::vector<TPropInfo> Props;
    std::vector<TMethodInfo> Methods;
    std::vector<TFieldInfo> Fields;

    bool InheritsFrom(const TClassInfo& other) const;
    const TPropInfo* FindProp(std::string_view name) const;      // own and inherited, case-insensitive
    const TMethodInfo* FindMethod(std::string_view name) const;
    const TFieldInfo* FindField(std::string_view name) const;
    std::vector<const TPropInfo*> AllProps() const;              // inherited first
};

// Registry of creatable classes, for form data ("object Label1: TLabel").
void RegisterComponentClass(const TClassInfo& info);
const TClassInfo* FindClass(std::string_view name);
const TClassInfo& GetClass(std::string_view name);  // throws EPropertyError "Class %s not found"

// Name-based access, as the skin engine needs it for controls it does not link.
const TPropInfo* GetPropInfo(const TPersistent& obj, std::string_view name);
int64_t GetPropOrd(const TPersistent& obj, std::string_view name);        // -1 when absent or not ordinal
std::string GetPropEnumText(const TPersistent& obj, std::string_view name);  // identifier, empty when absent
std::string GetPropText(const TPersistent& obj, std::string_view name);   // any kind as text; empty when absent
TPersistent* GetPropObject(const TPersistent& obj, std::string_view name, const TClassInfo* cls = nullptr);
void SetPropOrd(TPersistent& obj, std::string_view name, int64_t value);
void SetPropText(TPersistent& obj, std::string_view name, std::string_view text);  // throws on bad text
std::any GetPropEvent(const TPersistent& obj, std::string_view name);
void SetPropEvent(TPersistent& obj, std::string_view name, std::any handler);

// Named integer constants (colours such as clBtnFace, charsets) that form data may give for an
// integer property instead of a number.
void RegisterIntegerConstant(const std::string& name, int64_t value);
const int64_t* FindIntegerConstant(std::string_view name);  // case-insensitive; null when unknown

// Text forms of property values.
std::string SetToText(const TEnumInfo& info, int64_t mask);                // "[akLeft,akTop]"
int64_t TextToSet(const TEnumInfo& info, std::string_view text);           // throws on unknown names

// ---- Builders used in the classes' StaticClassInfo() definitions -------------------------

namespace props {

// The setter takes no part in deduction, so read-only properties can pass nullptr.
template <class C, class V>
using Setter = std::type_identity_t<void (C::*)(V)>;

template <class C>
C& Self(TPersistent& p) { return static_cast<C&>(p); }
template <class C>
const C& Self(const TPersistent& p) { return static_cast<const C&>(p); }

template <class C, class V>
TPropInfo Int(std::string name, V (C::*get)() const, Setter<C, V> set) {
    TPropInfo p{std::move(name), TPropKind::Integer};
    p.Get = [get](const TPersistent& o) { TPropValue v; v.Int = static_cast<int64_t>((Self<C>(o).*get)()); return v; };
    if (set) p.Set = [set](TPersistent& o, const TPropValue& v) { (Self<C>(o).*set)(static_cast<V>(v.Int)); };
    return p;
}

template <class C>
TPropInfo Bool(std::string name, bool (C::*get)() const, Setter<C, bool> set) {
    TPropInfo p{std::move(name), TPropKind::Enum, &BooleanEnum};
    p.Get = [get](const TPersistent& o) { TPropValue v; v.Int = (Self<C>(o).*get)() ? 1 : 0; return v; };
    if (set) p.Set = [set](TPersistent& o, const TPropValue& v) { (Self<C>(o).*set)(v.Int != 0); };
    return p;
}

template <class C, class E>
TPropInfo Enum(std::string name, const TEnumInfo& info, E (C::*get)() const, Setter<C, E> set) {
    TPropInfo p{std::move(name), TPropKind::Enum, &info};
    p.Get = [get](const TPersistent& o) { TPropValue v; v.Int = static_cast<int64_t>((Self<C>(o).*get)()); return v; };
    if (set) p.Set = [set](TPersistent& o, const TPropValue& v) { (Self<C>(o).*set)(static_cast<E>(v.Int)); };
    return p;
}

template <class C>
TPropInfo Set(std::string name, const TEnumInfo& info, uint32_t (C::*get)() const, Setter<C, uint32_t> set) {
    TPropInfo p{std::move(name), TPropKind::Set, &info};
    p.Get = [get](const TPersistent& o) { TPropValue v; v.Int = (Self<C>(o).*get)(); return v; };
    if (set) p.Set = [set](TPersistent& o, const TPropValue& v) { (Self<C>(o).*set)(static_cast<uint32_t>(v.Int)); };
    return p;
}

template <class C>
TPropInfo String(std::string name, std::string (C::*get)() const, Setter<C, const std::string&> set) {
    TPropInfo p{std::move(name), TPropKind::String};
    p.Get = [get](const TPersistent& o) { TPropValue v; v.Str = (Self<C>(o).*get)(); return v; };
    if (set) p.Set = [set](TPersistent& o, const TPropValue& v) { (Self<C>(o).*set)(v.Str); };
    return p;
}

// A reference to another component (PopupMenu = PopupMenu) or nothing.
template <class C, class T>
TPropInfo Reference(std::string name, T* (C::*get)() const, void (C::*set)(T*)) {
    TPropInfo p{std::move(name), TPropKind::Object};
    p.ObjClass = &T::StaticClassInfo;
    p.Get = [get](const TPersistent& o) { TPropValue v; v.Obj = (Self<C>(o).*get)(); return v; };
    p.Set = [set](TPersistent& o, const TPropValue& v) { (Self<C>(o).*set)(static_cast<T*>(v.Obj)); };
    return p;
}

// An object the instance owns (Font, Constraints, Lines); form data sets its properties.
template <class C, class T>
TPropInfo SubObject(std::string name, T* (C::*get)() const) {
    TPropInfo p{std::move(name), TPropKind::Object};
    p.ObjClass = &T::StaticClassInfo;
    p.SubObject = true;
    p.Get = [get](const TPersistent& o) { TPropValue v; v.Obj = (Self<C>(o).*get)(); return v; };
    return p;
}

template <class C, class Fn>
TPropInfo Event(std::string name, Fn C::*member) {
    TPropInfo p{std::move(name), TPropKind::Event};
    p.Get = [member](const TPersistent& o) { TPropValue v; v.Event = Self<C>(o).*member; return v; };
    p.Set = [member](TPersistent& o, const TPropValue& v) {
        if (!v.Event.has_value()) { Self<C>(o).*member = nullptr; return; }
        const Fn* fn = std::any_cast<Fn>(&v.Event);
        if (!fn) throw EPropertyError("Invalid property value");
        Self<C>(o).*member = *fn;
    };
    return p;
}

template <class C>
TPropInfo Binary(std::string name, std::vector<uint8_t> (C::*get)() const, Setter<C, const std::vector<uint8_t>&> set) {
    TPropInfo p{std::move(name), TPropKind::Binary};
    p.Get = [get](const TPersistent& o) { TPropValue v; v.Bytes = (Self<C>(o).*get)(); return v; };
    if (set) p.Set = [set](TPersistent& o, const TPropValue& v) { (Self<C>(o).*set)(v.Bytes); };
    return p;
}

template <class C>
TPropInfo Lines(std::string name, std::vector<std::string> (C::*get)() const, Setter<C, const std::vector<std::string>&> set) {
    TPropInfo p{std::move(name), TPropKind::StringList};
    p.Get = [get](const TPersistent& o) { TPropValue v; v.Lines = (Self<C>(o).*get)(); return v; };
    if (set) p.Set = [set](TPersistent& o, const TPropValue& v) { (Self<C>(o).*set)(v.Lines); };
    return p;
}

template <class C, class R, class... A>
TMethodInfo Method(std::string name, R (C::*pm)(A...)) {
    return {std::move(name), [pm](TPersistent& o) {
                C* self = &Self<C>(o);
                return std::any(std::function<R(A...)>([self, pm](A... a) { return (self->*pm)(std::forward<A>(a)...); }));
            }};
}

template <class C, class T>
TFieldInfo Field(std::string name, T* C::*member) {
    return {std::move(name), [member](TPersistent& o, TComponent* c) {
                T* typed = dynamic_cast<T*>(c);
                if (!typed) return false;
                Self<C>(o).*member = typed;
                return true;
            }};
}

}  // namespace props

// Fills in the factory for classes that can be created from form data.
template <class T>
TClassInfo DefineClass(std::string name, const TClassInfo* parent, std::vector<TPropInfo> propList = {},
                       std::vector<TMethodInfo> methods = {}, std::vector<TFieldInfo> fields = {}) {
    TClassInfo info{std::move(name), parent, nullptr, std::move(propList), std::move(methods), std::move(fields)};
    if constexpr (std::is_constructible_v<T, TComponent*> && !std::is_abstract_v<T>) {
        info.Create = [](TComponent* owner) -> TComponent* { return new T(owner); };
    }
    return info;
}

}  // namespace velloran

// Inside a class body: declares the class's description and the virtual accessor.
#define VELLORAN_CLASS(T)                                                          \
public:                                                                            \
    static const ::velloran::TClassInfo& StaticClassInfo();                        \
    const ::velloran::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
