#include "framework/FormReader.h"

#include <exception>
#include <string>
#include <vector>

namespace velloran {

namespace {

using TValueKind = TFormValue::TKind;

std::string LineSuffix(int line) { return line > 0 ? " (line " + std::to_string(line) + ")" : std::string(); }

// Unnamed components are reported by their class.
std::string DisplayName(std::string_view name, std::string_view className) {
    return std::string(name.empty() ? className : name);
}

[[noreturn]] void InvalidValue() { throw EPropertyError("Invalid property value"); }

void CheckFiler(const TFormObject& object) {
    if (object.Filer != TFormObject::TFiler::Object)
        throw EPropertyError("Inherited and inline objects are not supported");
}

// Object properties that name another component can only be set once every component of the
// form exists, since form data may refer to components declared further down.
struct TPendingReference {
    TComponent* Component;       // the component whose form data names the reference
    TPersistent* Instance;       // the component itself or one of its sub-objects
    const TPropInfo* Info;
    const TFormProperty* Property;
};

class TFormReader {
public:
    explicit TFormReader(TComponent& root) : root_(root) {}

    void Read(const TFormObject& tree) {
        try {
            CheckFiler(tree);
            if (!SameText(tree.ClassName, root_.ClassName()))
                throw EPropertyError("Form data is for " + tree.ClassName + ", not " + root_.ClassName());
            StartLoading(root_);
            root_.SetName(tree.Name);
        } catch (const std::exception& e) {
            throw ObjectError(tree, e);
        }
        ReadContents(root_, tree);
        ResolveReferences();
        for (TComponent* component : read_) component->SetState(csReading, false);
        for (TComponent* component : read_) component->Loaded();
    }

private:
    void StartLoading(TComponent& component) {
        component.SetState(csLoading, true);
        component.SetState(csReading, true);
        read_.push_back(&component);
    }

    void ReadContents(TComponent& component, const TFormObject& object) {
        for (const TFormProperty& property : object.Properties) ReadProperty(component, property);
        for (const TFormObject& child : object.Children) ReadContents(CreateChild(component, child), child);
    }

    TComponent& CreateChild(TComponent& enclosing, const TFormObject& object) {
        try {
            CheckFiler(object);
            const TClassInfo* cls = FindClass(object.ClassName);
            if (!cls) throw EPropertyError("Class " + object.ClassName + " not found");
            if (!cls->Create) throw EPropertyError("Class " + cls->Name + " cannot be created");
            if (!object.Name.empty() && root_.FindComponent(object.Name))
                throw EPropertyError("A component named " + object.Name + " already exists");
            TComponent* child = cls->Create(&root_);
            StartLoading(*child);
            child->SetName(object.Name);
            if (const TFieldInfo* field = object.Name.empty() ? nullptr : root_.ClassInfo().FindField(object.Name))
                if (!field->Assign(root_, child))
                    throw EPropertyError("Field " + field->Name + " of " + root_.ClassName() + " cannot hold a " +
                                         child->ClassName());
            child->SetParentComponent(&enclosing);
            return *child;
        } catch (const std::exception& e) {
            throw ObjectError(object, e);
        }
    }

    void ReadProperty(TComponent& component, const TFormProperty& property) {
        try {
            AssignProperty(component, property);
        } catch (const std::exception& e) {
            throw PropertyError(component, property, e);
        }
    }

    void AssignProperty(TComponent& component, const TFormProperty& property) {
        TPersistent* instance = &component;
        std::string_view path = property.Name;
        for (size_t dot = path.find('.'); dot != std::string_view::npos; dot = path.find('.')) {
            instance = &SubObject(*instance, path.substr(0, dot));
            path.remove_prefix(dot + 1);
        }
        const TPropInfo* info = instance->ClassInfo().FindProp(path);
        if (!info) throw EPropertyError("Property " + std::string(path) + " does not exist");
        if (!info->Set) throw EPropertyError("Property " + std::string(path) + " is read-only");
        const TFormValue& value = property.Value;
        if (info->Kind == TPropKind::Object && value.Is(TValueKind::Identifier) && !SameText(value.AsIdentifier(), "nil")) {
            pending_.push_back({&component, instance, info, &property});
            return;
        }
        info->Set(*instance, Convert(*info, value));
    }

    static TPersistent& SubObject(TPersistent& instance, std::string_view name) {
        const TPropInfo* info = instance.ClassInfo().FindProp(name);
        if (!info) throw EPropertyError("Property " + std::string(name) + " does not exist");
        TPersistent* sub = info->SubObject ? info->Get(instance).Obj : nullptr;
        if (!sub) throw EPropertyError("Invalid property path");
        return *sub;
    }

    TPropValue Convert(const TPropInfo& info, const TFormValue& value) const {
        TPropValue out;
        switch (info.Kind) {
        case TPropKind::Integer:
            if (value.Is(TValueKind::Integer)) {
                out.Int = value.AsInteger();
            } else if (value.Is(TValueKind::Identifier)) {
                const int64_t* constant = FindIntegerConstant(value.AsIdentifier());
                if (!constant) InvalidValue();
                out.Int = *constant;
            } else {
                InvalidValue();
            }
            break;
        case TPropKind::Enum:
            if (!value.Is(TValueKind::Identifier)) InvalidValue();
            out.Int = Ordinal(*info.Enum, value.AsIdentifier());
            break;
        case TPropKind::Set:
            if (!value.Is(TValueKind::Set)) InvalidValue();
            for (const std::string& element : value.AsSet()) out.Int |= int64_t{1} << Ordinal(*info.Enum, element);
            break;
        case TPropKind::String:
            if (!value.Is(TValueKind::String)) InvalidValue();
            out.Str = value.AsString();
            break;
        case TPropKind::StringList:
            if (!value.Is(TValueKind::List)) InvalidValue();
            for (const TFormValue& line : value.AsList()) {
                if (!line.Is(TValueKind::String)) InvalidValue();
                out.Lines.push_back(line.AsString());
            }
            break;
        case TPropKind::Binary:
            if (!value.Is(TValueKind::Binary)) InvalidValue();
            out.Bytes = value.AsBinary();
            break;
        case TPropKind::Event:
            if (!value.Is(TValueKind::Identifier)) InvalidValue();
            out.Event = BindMethod(value.AsIdentifier());
            break;
        case TPropKind::Object:
            // Names of components are pending references; only nil gets here.
            if (!value.Is(TValueKind::Identifier)) InvalidValue();
            out.Obj = nullptr;
            break;
        }
        return out;
    }

    static int64_t Ordinal(const TEnumInfo& info, std::string_view name) {
        int ordinal = info.IndexOf(name);
        if (ordinal < 0) InvalidValue();
        return ordinal;
    }

    // Handlers are always methods of the root: the form handles the events of its components.
    std::any BindMethod(const std::string& name) const {
        const TMethodInfo* method = root_.ClassInfo().FindMethod(name);
        if (!method) throw EPropertyError("Method " + name + " does not exist in " + root_.ClassName());
        return method->Bind(root_);
    }

    void ResolveReferences() {
        for (const TPendingReference& ref : pending_) {
            try {
                const std::string& name = ref.Property->Value.AsIdentifier();
                TComponent* target = SameText(name, root_.Name()) ? &root_ : root_.FindComponent(name);
                if (!target) throw EPropertyError("Component " + name + " not found");
                if (ref.Info->ObjClass && !target->InheritsFrom(ref.Info->ObjClass()))
                    throw EPropertyError(name + " is not a " + ref.Info->ObjClass().Name);
                TPropValue value;
                value.Obj = target;
                ref.Info->Set(*ref.Instance, value);
            } catch (const std::exception& e) {
                throw PropertyError(*ref.Component, *ref.Property, e);
            }
        }
    }

    static EReadError ObjectError(const TFormObject& object, const std::exception& e) {
        return EReadError("Error reading " + DisplayName(object.Name, object.ClassName) + ": " + e.what() +
                          LineSuffix(object.Line));
    }

    static EReadError PropertyError(const TComponent& component, const TFormProperty& property, const std::exception& e) {
        return EReadError("Error reading " + DisplayName(component.Name(), component.ClassName()) + "." + property.Name +
                          ": " + e.what() + LineSuffix(property.Line));
    }

    TComponent& root_;
    std::vector<TComponent*> read_;  // in creation order, the root first
    std::vector<TPendingReference> pending_;
};

}  // namespace

void ReadRootComponent(TComponent& root, const TFormObject& tree) { TFormReader(root).Read(tree); }

void ReadRootComponentFromText(TComponent& root, std::string_view text) {
    TFormObject tree;
    try {
        tree = ParseFormData(text);
    } catch (const TFormDataError& e) {
        throw EReadError(e.what());
    }
    ReadRootComponent(root, tree);
}

}  // namespace velloran
