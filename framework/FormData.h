#pragma once

// Form data: the text form of a component tree (nested `object ... end` blocks
// with property assignments), read from resources and written back out.
// The text is 8-bit ANSI; strings are kept as raw bytes.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace velloran {

// Malformed form data. what() reads "Line N: ...".
class TFormDataError : public std::runtime_error {
public:
    TFormDataError(int line, const std::string& message);
    int Line() const noexcept { return FLine; }

private:
    int FLine;
};

struct TFormProperty;
// One `item ... end` of a collection value.
using TFormItem = std::vector<TFormProperty>;

class TFormValue {
public:
    // The order matches the alternatives of TData, so Kind() is the variant index.
    enum class TKind { Integer, Float, String, Identifier, Set, List, Binary, Collection };

    TFormValue() = default;  // Integer 0

    static TFormValue Integer(int32_t value);
    static TFormValue Float(double value);
    static TFormValue String(std::string bytes);
    // True, False, enum names, component references, method names.
    static TFormValue Identifier(std::string name);
    static TFormValue Set(std::vector<std::string> elements);
    static TFormValue List(std::vector<TFormValue> values);
    static TFormValue Binary(std::vector<uint8_t> bytes);
    static TFormValue Collection(std::vector<TFormItem> items);

    TKind Kind() const noexcept { return static_cast<TKind>(FData.index()); }
    bool Is(TKind kind) const noexcept { return Kind() == kind; }

    // Each accessor throws std::bad_variant_access when the kind differs.
    int32_t AsInteger() const;
    double AsFloat() const;
    const std::string& AsString() const;
    const std::string& AsIdentifier() const;
    const std::vector<std::string>& AsSet() const;
    const std::vector<TFormValue>& AsList() const;
    const std::vector<uint8_t>& AsBinary() const;
    const std::vector<TFormItem>& AsCollection() const;

    bool operator==(const TFormValue& other) const;

private:
    using TData = std::variant<int32_t, double, std::string, std::string, std::vector<std::string>,
                               std::vector<TFormValue>, std::vector<uint8_t>, std::vector<TFormItem>>;
    static_assert(std::variant_size_v<TData> == static_cast<std::size_t>(TKind::Collection) + 1);

    // Out of line: the variant's move needs TFormProperty complete.
    explicit TFormValue(TData data);

    TData FData;
};

// Line is where the entry was read (0 for trees built in code); equality
// compares content only, so a tree equals its written-and-reread copy.
struct TFormProperty {
    std::string Name;  // possibly dotted: Font.Name
    TFormValue Value;
    int Line = 0;

    bool operator==(const TFormProperty& other) const;
};

struct TFormObject {
    enum class TFiler { Object, Inherited, Inline };

    std::string Name;  // empty for `object TClass`
    std::string ClassName;
    TFiler Filer = TFiler::Object;
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
    int Line = 0;

    bool operator==(const TFormObject& other) const;
};

// Deepest nesting of objects, lists and collections the reader accepts.
inline constexpr int FormDataMaxDepth = 64;

// Reads exactly one root object. Throws TFormDataError on malformed text.
TFormObject ParseFormData(std::string_view text);

// Canonical text: two-space indent, CR LF line breaks. ParseFormData reads it
// back to an equal tree. Throws std::invalid_argument for trees that have no
// text form (bad names, reserved property names, NaN or infinite floats,
// nesting beyond FormDataMaxDepth).
std::string WriteFormData(const TFormObject& root);

}  // namespace velloran
