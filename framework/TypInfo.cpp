#include "framework/TypInfo.h"

#include <map>

#include "framework/Classes.h"

namespace velloran {

const TEnumInfo BooleanEnum{{"False", "True"}};

int TEnumInfo::IndexOf(std::string_view name) const {
    for (size_t i = 0; i < Names.size(); ++i)
        if (SameText(Names[i], name)) return static_cast<int>(i);
    return -1;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (c == &other) return true;
    return false;
}

const TPropInfo* TClassInfo::FindProp(std::string_view name) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TPropInfo& p : c->Props)
            if (SameText(p.Name, name)) return &p;
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TMethodInfo& m : c->Methods)
            if (SameText(m.Name, name)) return &m;
    return nullptr;
}

const TFieldInfo* TClassInfo::FindField(std::string_view name) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TFieldInfo& f : c->Fields)
            if (SameText(f.Name, name)) return &f;
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::AllProps() const {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->Parent) chain.push_back(c);
    std::vector<const TPropInfo*> out;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const TPropInfo& p : (*it)->Props) out.push_back(&p);
    return out;
}

namespace {
std::map<std::string, const TClassInfo*>& Registry() {
    static std::map<std::string, const TClassInfo*> registry;
    return registry;
}
}  // namespace

void RegisterComponentClass(const TClassInfo& info) { Registry()[LowerCase(info.Name)] = &info; }

const TClassInfo* FindClass(std::string_view name) {
    auto it = Registry().find(LowerCase(name));
    return it == Registry().end() ? nullptr : it->second;
}

const TClassInfo& GetClass(std::string_view name) {
    if (const TClassInfo* c = FindClass(name)) return *c;
    throw EPropertyError("Class " + std::string(name) + " not found");
}

namespace {
std::map<std::string, int64_t>& IntegerConstants() {
    static std::map<std::string, int64_t> constants;
    return constants;
}
}  // namespace

void RegisterIntegerConstant(const std::string& name, int64_t value) { IntegerConstants()[LowerCase(name)] = value; }

const int64_t* FindIntegerConstant(std::string_view name) {
    auto it = IntegerConstants().find(LowerCase(name));
    return it == IntegerConstants().end() ? nullptr : &it->second;
}

const TPropInfo* GetPropInfo(const TPersistent& obj, std::string_view name) {
    return obj.ClassInfo().FindProp(name);
}

namespace {
bool IsOrdinal(TPropKind k) { return k == TPropKind::Integer || k == TPropKind::Enum || k == TPropKind::Set; }

const TPropInfo& WritableProp(const TPersistent& obj, std::string_view name) {
    const TPropInfo* p = GetPropInfo(obj, name);
    if (!p) throw EPropertyError("Property " + std::string(name) + " does not exist");
    if (!p->Set) throw EPropertyError("Property " + std::string(name) + " is read-only");
    return *p;
}

int64_t ParseInteger(std::string_view text) {
    std::string s(text);
    size_t used = 0;
    long long v = 0;
    try {
        if (!s.empty() && s[0] == '$')
            v = static_cast<long long>(std::stoull(s.substr(1), &used, 16)), ++used;
        else
            v = std::stoll(s, &used, 10);
    } catch (const std::exception&) {
        used = 0;
    }
    if (s.empty() || used != s.size()) throw EPropertyError("'" + s + "' is not a valid integer value");
    return v;
}
}  // namespace

int64_t GetPropOrd(const TPersistent& obj, std::string_view name) {
    const TPropInfo* p = GetPropInfo(obj, name);
    if (!p || !IsOrdinal(p->Kind)) return -1;
    return p->Get(obj).Int;
}

std::string GetPropEnumText(const TPersistent& obj, std::string_view name) {
    const TPropInfo* p = GetPropInfo(obj, name);
    if (!p || p->Kind != TPropKind::Enum) return {};
    int64_t ord = p->Get(obj).Int;
    if (ord < 0 || ord >= static_cast<int64_t>(p->Enum->Names.size())) return {};
    return p->Enum->Names[static_cast<size_t>(ord)];
}

std::string SetToText(const TEnumInfo& info, int64_t mask) {
    std::string out = "[";
    for (size_t i = 0; i < info.Names.size() && i < 64; ++i) {
        if (mask & (int64_t{1} << i)) {
            if (out.size() > 1) out += ',';
            out += info.Names[i];
        }
    }
    return out + "]";
}

int64_t TextToSet(const TEnumInfo& info, std::string_view text) {
    std::string_view t = text;
    if (t.empty() || t.front() != '[' || t.back() != ']') throw EPropertyError("Invalid property value");
    t = t.substr(1, t.size() - 2);
    int64_t mask = 0;
    while (!t.empty()) {
        size_t comma = t.find(',');
        std::string_view item = t.substr(0, comma);
        while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
        while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
        if (!item.empty()) {
            int ord = info.IndexOf(item);
            if (ord < 0) throw EPropertyError("Invalid property value");
            mask |= int64_t{1} << ord;
        }
        if (comma == std::string_view::npos) break;
        t.remove_prefix(comma + 1);
    }
    return mask;
}

std::string GetPropText(const TPersistent& obj, std::string_view name) {
    const TPropInfo* p = GetPropInfo(obj, name);
    if (!p) return {};
    TPropValue v = p->Get(obj);
    switch (p->Kind) {
    case TPropKind::Integer: return std::to_string(v.Int);
    case TPropKind::Enum: return GetPropEnumText(obj, name);
    case TPropKind::Set: return SetToText(*p->Enum, v.Int);
    case TPropKind::String: return v.Str;
    case TPropKind::Object: {
        auto* c = dynamic_cast<TComponent*>(v.Obj);
        return c ? c->Name() : std::string();
    }
    case TPropKind::StringList: {
        std::string text;
        for (const std::string& line : v.Lines) text += line + "\r\n";
        return text;
    }
    case TPropKind::Event:
    case TPropKind::Binary: return {};
    }
    return {};
}

TPersistent* GetPropObject(const TPersistent& obj, std::string_view name, const TClassInfo* cls) {
    const TPropInfo* p = GetPropInfo(obj, name);
    if (!p || p->Kind != TPropKind::Object) return nullptr;
    TPersistent* o = p->Get(obj).Obj;
    if (o && cls && !o->InheritsFrom(*cls)) return nullptr;
    return o;
}

void SetPropOrd(TPersistent& obj, std::string_view name, int64_t value) {
    const TPropInfo& p = WritableProp(obj, name);
    if (!IsOrdinal(p.Kind)) throw EPropertyError("Invalid property type: " + std::string(name));
    TPropValue v;
    v.Int = value;
    p.Set(obj, v);
}

void SetPropText(TPersistent& obj, std::string_view name, std::string_view text) {
    const TPropInfo& p = WritableProp(obj, name);
    TPropValue v;
    switch (p.Kind) {
    case TPropKind::Integer:
        if (const int64_t* c = FindIntegerConstant(text))
            v.Int = *c;
        else
            v.Int = ParseInteger(text);
        break;
    case TPropKind::Enum: {
        int ord = p.Enum->IndexOf(text);
        if (ord < 0) throw EPropertyError("Invalid property value");
        v.Int = ord;
        break;
    }
    case TPropKind::Set: v.Int = TextToSet(*p.Enum, text); break;
    case TPropKind::String: v.Str = std::string(text); break;
    case TPropKind::StringList: v.Lines = SplitLines(text); break;
    case TPropKind::Object:
    case TPropKind::Event:
    case TPropKind::Binary: throw EPropertyError("Invalid property type: " + std::string(name));
    }
    p.Set(obj, v);
}

std::any GetPropEvent(const TPersistent& obj, std::string_view name) {
    const TPropInfo* p = GetPropInfo(obj, name);
    if (!p || p->Kind != TPropKind::Event) return {};
    return p->Get(obj).Event;
}

void SetPropEvent(TPersistent& obj, std::string_view name, std::any handler) {
    const TPropInfo& p = WritableProp(obj, name);
    if (p.Kind != TPropKind::Event) throw EPropertyError("Invalid property type: " + std::string(name));
    TPropValue v;
    v.Event = std::move(handler);
    p.Set(obj, v);
}

}  // namespace velloran
