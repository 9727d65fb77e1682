#include "framework/FormData.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <system_error>

namespace velloran {

namespace {

template <TFormValue::TKind Kind>
constexpr std::size_t IndexOf = static_cast<std::size_t>(Kind);

bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool IsIdentifierStart(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentifierChar(int c) { return IsIdentifierStart(c) || IsDigit(c); }
bool IsBlank(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int HexDigitValue(int c)
{
    if (IsDigit(c)) return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::optional<TFormObject::TFiler> FilerFromKeyword(std::string_view word)
{
    if (EqualsNoCase(word, "object")) return TFormObject::TFiler::Object;
    if (EqualsNoCase(word, "inherited")) return TFormObject::TFiler::Inherited;
    if (EqualsNoCase(word, "inline")) return TFormObject::TFiler::Inline;
    return std::nullopt;
}

std::string_view KeywordFromFiler(TFormObject::TFiler filer)
{
    switch (filer) {
    case TFormObject::TFiler::Inherited: return "inherited";
    case TFormObject::TFiler::Inline: return "inline";
    case TFormObject::TFiler::Object: break;
    }
    return "object";
}

// Words that end or open a block where a property name is expected.
bool IsReservedWord(std::string_view word)
{
    return EqualsNoCase(word, "end") || FilerFromKeyword(word).has_value();
}

bool IsIdentifier(std::string_view text)
{
    if (text.empty() || !IsIdentifierStart(static_cast<unsigned char>(text[0]))) return false;
    for (char c : text)
        if (!IsIdentifierChar(static_cast<unsigned char>(c))) return false;
    return true;
}

bool IsDottedName(std::string_view text)
{
    for (;;) {
        std::size_t dot = text.find('.');
        if (!IsIdentifier(text.substr(0, dot))) return false;
        if (dot == std::string_view::npos) return true;
        text.remove_prefix(dot + 1);
    }
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

class TFormDataReader {
public:
    explicit TFormDataReader(std::string_view text) : FText(text) {}

    TFormObject ReadRoot()
    {
        SkipBlanks();
        int line = FLine;
        std::optional<TFormObject::TFiler> filer = FilerFromKeyword(ReadIdentifier("'object'"));
        if (!filer) FailAt(line, "'object', 'inherited' or 'inline' expected");
        TFormObject root = ReadObject(*filer, line);
        SkipBlanks();
        if (!AtEnd()) Fail("unexpected text after the root object");
        return root;
    }

private:
    static constexpr int EndOfText = -1;

    // Counts one level of objects, lists and collections for as long as it lives.
    class TNestingLevel {
    public:
        TNestingLevel(TFormDataReader& reader, int line) : FReader(reader)
        {
            if (reader.FDepth >= FormDataMaxDepth)
                FailAt(line, "nesting deeper than " + std::to_string(FormDataMaxDepth) + " levels");
            ++reader.FDepth;
        }
        ~TNestingLevel() { --FReader.FDepth; }
        TNestingLevel(const TNestingLevel&) = delete;
        TNestingLevel& operator=(const TNestingLevel&) = delete;

    private:
        TFormDataReader& FReader;
    };

    std::string_view FText;
    std::size_t FPos = 0;
    int FLine = 1;
    int FDepth = 0;

    bool AtEnd() const { return FPos >= FText.size(); }

    int Peek() const { return AtEnd() ? EndOfText : static_cast<unsigned char>(FText[FPos]); }

    // Only called with a character in front of FPos.
    void Advance()
    {
        if (FText[FPos] == '\n') ++FLine;
        ++FPos;
    }

    void SkipBlanks()
    {
        while (IsBlank(Peek())) Advance();
    }

    [[noreturn]] void Fail(const std::string& message) const { throw TFormDataError(FLine, message); }
    [[noreturn]] static void FailAt(int line, const std::string& message)
    {
        throw TFormDataError(line, message);
    }

    std::string_view ReadIdentifier(std::string_view expected)
    {
        if (!IsIdentifierStart(Peek())) Fail(std::string(expected) + " expected");
        std::size_t start = FPos;
        while (IsIdentifierChar(Peek())) Advance();
        return FText.substr(start, FPos - start);
    }

    std::string_view ReadDottedName(std::string_view expected)
    {
        std::size_t start = FPos;
        ReadIdentifier(expected);
        while (Peek() == '.') {
            Advance();
            ReadIdentifier("identifier after '.'");
        }
        return FText.substr(start, FPos - start);
    }

    // The keyword has been read; `line` is where it stands.
    TFormObject ReadObject(TFormObject::TFiler filer, int line)
    {
        TNestingLevel level(*this, line);
        TFormObject object;
        object.Filer = filer;
        object.Line = line;
        SkipBlanks();
        std::string_view first = ReadIdentifier("object name or class name");
        SkipBlanks();
        if (Peek() == ':') {
            Advance();
            SkipBlanks();
            object.Name = first;
            object.ClassName = ReadIdentifier("class name");
        } else {
            object.ClassName = first;
        }

        for (;;) {
            SkipBlanks();
            if (AtEnd())
                FailAt(line, "'end' missing for object " + (object.Name.empty() ? object.ClassName : object.Name));
            int entryLine = FLine;
            std::string_view word = ReadDottedName("property name or 'end'");
            if (EqualsNoCase(word, "end")) return object;
            if (std::optional<TFormObject::TFiler> childFiler = FilerFromKeyword(word)) {
                object.Children.push_back(ReadObject(*childFiler, entryLine));
            } else if (!object.Children.empty()) {
                FailAt(entryLine, "property " + std::string(word) + " follows a child object");
            } else {
                object.Properties.push_back(ReadProperty(word, entryLine));
            }
        }
    }

    TFormProperty ReadProperty(std::string_view name, int line)
    {
        SkipBlanks();
        if (Peek() != '=') Fail("'=' expected after " + std::string(name));
        Advance();
        TFormProperty property;
        property.Name = name;
        property.Line = line;
        property.Value = ReadValue();
        return property;
    }

    TFormValue ReadValue()
    {
        SkipBlanks();
        int c = Peek();
        if (c == '\'' || c == '#') return ReadString();
        if (IsDigit(c) || c == '-' || c == '+') return ReadNumber();
        if (IsIdentifierStart(c)) return TFormValue::Identifier(std::string(ReadDottedName("value")));
        switch (c) {
        case '$': return ReadHexInteger();
        case '[': return ReadSet();
        case '(': return ReadList();
        case '{': return ReadBinary();
        case '<': return ReadCollection();
        case EndOfText: Fail("value expected before the end of the text");
        default: Fail("value expected");
        }
    }

    void ReadDigits()
    {
        if (!IsDigit(Peek())) Fail("malformed number");
        while (IsDigit(Peek())) Advance();
    }

    // Digits glued to a letter or a second '.' are one bad token, not two values.
    void ExpectNumberEnd()
    {
        if (IsIdentifierChar(Peek()) || Peek() == '.') Fail("malformed number");
    }

    TFormValue ReadNumber()
    {
        std::size_t start = FPos;
        if (Peek() == '-' || Peek() == '+') Advance();
        ReadDigits();
        bool isFloat = false;
        if (Peek() == '.') {
            Advance();
            ReadDigits();
            isFloat = true;
        }
        if (Peek() == 'e' || Peek() == 'E') {
            Advance();
            if (Peek() == '-' || Peek() == '+') Advance();
            ReadDigits();
            isFloat = true;
        }
        ExpectNumberEnd();
        std::string_view text = FText.substr(start, FPos - start);
        return isFloat ? ToFloat(text) : ToInteger(text);
    }

    TFormValue ToInteger(std::string_view text) const
    {
        bool negative = text[0] == '-';
        if (text[0] == '-' || text[0] == '+') text.remove_prefix(1);
        const uint64_t limit = negative ? 2147483648u : 2147483647u;
        uint64_t value = 0;
        for (char digit : text) {
            value = value * 10 + static_cast<uint64_t>(digit - '0');
            if (value > limit) Fail("integer out of range");
        }
        int64_t signedValue = negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
        return TFormValue::Integer(static_cast<int32_t>(signedValue));
    }

    TFormValue ToFloat(std::string_view text) const
    {
        // from_chars takes '-' but not '+'.
        if (text[0] == '+') text.remove_prefix(1);
        double value = 0;
        std::from_chars_result result = std::from_chars(text.data(), text.data() + text.size(), value);
        if (result.ec == std::errc::result_out_of_range) Fail("floating-point number out of range");
        if (result.ec != std::errc() || result.ptr != text.data() + text.size()) Fail("malformed number");
        return TFormValue::Float(value);
    }

    // $FFFFFFFF is a 32-bit pattern, so it reads as -1.
    TFormValue ReadHexInteger()
    {
        Advance();
        if (HexDigitValue(Peek()) < 0) Fail("malformed hexadecimal number");
        uint64_t value = 0;
        for (int digit; (digit = HexDigitValue(Peek())) >= 0; Advance()) {
            value = value * 16 + static_cast<uint64_t>(digit);
            if (value > 0xFFFFFFFFu) Fail("hexadecimal number out of range");
        }
        ExpectNumberEnd();
        return TFormValue::Integer(static_cast<int32_t>(static_cast<uint32_t>(value)));
    }

    // Pieces ('text', #13, #$0D) join when nothing stands between them; a '+'
    // joins the next string, usually on the following line.
    TFormValue ReadString()
    {
        std::string bytes;
        for (;;) {
            while (Peek() == '\'' || Peek() == '#') {
                if (Peek() == '\'')
                    ReadQuoted(bytes);
                else
                    bytes.push_back(ReadCharacterCode());
            }
            SkipBlanks();
            if (Peek() != '+') return TFormValue::String(std::move(bytes));
            Advance();
            SkipBlanks();
            if (Peek() != '\'' && Peek() != '#') Fail("string expected after '+'");
        }
    }

    void ReadQuoted(std::string& bytes)
    {
        Advance();
        for (;;) {
            std::size_t start = FPos;
            while (!AtEnd() && FText[FPos] != '\'' && FText[FPos] != '\r' && FText[FPos] != '\n') ++FPos;
            bytes.append(FText.substr(start, FPos - start));
            if (Peek() != '\'') Fail("unterminated string");
            Advance();
            if (Peek() != '\'') return;
            bytes.push_back('\'');
            Advance();
        }
    }

    char ReadCharacterCode()
    {
        Advance();
        bool hex = Peek() == '$';
        if (hex) Advance();
        const int base = hex ? 16 : 10;
        auto digitValue = [&](int c) { return hex ? HexDigitValue(c) : (IsDigit(c) ? c - '0' : -1); };
        if (digitValue(Peek()) < 0) Fail("character code expected after '#'");
        int code = 0;
        for (int digit; (digit = digitValue(Peek())) >= 0; Advance()) {
            code = code * base + digit;
            if (code > 255) Fail("character code above 255");
        }
        if (IsIdentifierChar(Peek())) Fail("malformed character code");
        return static_cast<char>(static_cast<unsigned char>(code));
    }

    TFormValue ReadSet()
    {
        int line = FLine;
        Advance();
        std::vector<std::string> elements;
        SkipBlanks();
        if (Peek() == ']') {
            Advance();
            return TFormValue::Set(std::move(elements));
        }
        for (;;) {
            SkipBlanks();
            if (AtEnd()) FailAt(line, "unterminated set");
            elements.emplace_back(ReadIdentifier("set element"));
            SkipBlanks();
            if (AtEnd()) FailAt(line, "unterminated set");
            if (Peek() == ']') {
                Advance();
                return TFormValue::Set(std::move(elements));
            }
            if (Peek() != ',') Fail("',' or ']' expected in set");
            Advance();
        }
    }

    TFormValue ReadList()
    {
        int line = FLine;
        TNestingLevel level(*this, line);
        Advance();
        std::vector<TFormValue> values;
        for (;;) {
            SkipBlanks();
            if (Peek() == ')') {
                Advance();
                return TFormValue::List(std::move(values));
            }
            if (AtEnd()) FailAt(line, "unterminated list");
            values.push_back(ReadValue());
        }
    }

    TFormValue ReadBinary()
    {
        int line = FLine;
        Advance();
        std::vector<uint8_t> bytes;
        int highNibble = -1;
        for (;;) {
            int c = Peek();
            if (c == EndOfText) FailAt(line, "unterminated binary value");
            if (c == '}') {
                if (highNibble >= 0) Fail("odd number of hexadecimal digits in binary value");
                Advance();
                return TFormValue::Binary(std::move(bytes));
            }
            if (!IsBlank(c)) {
                int digit = HexDigitValue(c);
                if (digit < 0) Fail("invalid character in binary value");
                if (highNibble < 0) {
                    highNibble = digit;
                } else {
                    bytes.push_back(static_cast<uint8_t>(highNibble * 16 + digit));
                    highNibble = -1;
                }
            }
            Advance();
        }
    }

    TFormValue ReadCollection()
    {
        int line = FLine;
        TNestingLevel level(*this, line);
        Advance();
        std::vector<TFormItem> items;
        for (;;) {
            SkipBlanks();
            if (Peek() == '>') {
                Advance();
                return TFormValue::Collection(std::move(items));
            }
            if (AtEnd()) FailAt(line, "unterminated collection");
            int itemLine = FLine;
            if (!EqualsNoCase(ReadIdentifier("'item'"), "item")) FailAt(itemLine, "'item' expected");
            items.push_back(ReadItem(itemLine));
        }
    }

    TFormItem ReadItem(int line)
    {
        TFormItem item;
        for (;;) {
            SkipBlanks();
            if (AtEnd()) FailAt(line, "'end' missing for collection item");
            int entryLine = FLine;
            std::string_view word = ReadDottedName("property name or 'end'");
            if (EqualsNoCase(word, "end")) return item;
            if (IsReservedWord(word)) FailAt(entryLine, Quoted(word) + " inside a collection item");
            item.push_back(ReadProperty(word, entryLine));
        }
    }
};

class TFormDataWriter {
public:
    std::string Write(const TFormObject& root)
    {
        WriteObject(root, 0, 0);
        return std::move(FOut);
    }

private:
    std::string FOut;

    [[noreturn]] static void Reject(const std::string& message)
    {
        throw std::invalid_argument("form data: " + message);
    }

    // Mirrors the reader's limit so that whatever is written can be read.
    static int Nest(int nesting)
    {
        if (nesting >= FormDataMaxDepth)
            Reject("nesting deeper than " + std::to_string(FormDataMaxDepth) + " levels");
        return nesting + 1;
    }

    void WriteIndent(int indent) { FOut.append(static_cast<std::size_t>(indent) * 2, ' '); }
    void EndLine() { FOut += "\r\n"; }

    void WriteObject(const TFormObject& object, int indent, int nesting)
    {
        int inner = Nest(nesting);
        if (!object.Name.empty() && !IsIdentifier(object.Name))
            Reject("bad object name " + Quoted(object.Name));
        if (!IsIdentifier(object.ClassName)) Reject("bad class name " + Quoted(object.ClassName));
        WriteIndent(indent);
        FOut += KeywordFromFiler(object.Filer);
        FOut += ' ';
        if (!object.Name.empty()) {
            FOut += object.Name;
            FOut += ": ";
        }
        FOut += object.ClassName;
        EndLine();
        for (const TFormProperty& property : object.Properties) WriteProperty(property, indent + 1, inner);
        for (const TFormObject& child : object.Children) WriteObject(child, indent + 1, inner);
        WriteIndent(indent);
        FOut += "end";
        EndLine();
    }

    void WriteProperty(const TFormProperty& property, int indent, int nesting)
    {
        if (!IsDottedName(property.Name) || IsReservedWord(property.Name))
            Reject("bad property name " + Quoted(property.Name));
        WriteIndent(indent);
        FOut += property.Name;
        FOut += " = ";
        WriteValue(property.Value, indent, nesting);
        EndLine();
    }

    // Continuation lines of the value go one level deeper than `indent`.
    void WriteValue(const TFormValue& value, int indent, int nesting)
    {
        using TKind = TFormValue::TKind;
        switch (value.Kind()) {
        case TKind::Integer: FOut += std::to_string(value.AsInteger()); break;
        case TKind::Float: WriteFloat(value.AsFloat()); break;
        case TKind::String: WriteString(value.AsString()); break;
        case TKind::Identifier:
            if (!IsDottedName(value.AsIdentifier())) Reject("bad identifier " + Quoted(value.AsIdentifier()));
            FOut += value.AsIdentifier();
            break;
        case TKind::Set: WriteSet(value.AsSet()); break;
        case TKind::List: WriteList(value.AsList(), indent, nesting); break;
        case TKind::Binary: WriteBinary(value.AsBinary(), indent); break;
        case TKind::Collection: WriteCollection(value.AsCollection(), indent, nesting); break;
        }
    }

    void WriteFloat(double value)
    {
        if (!std::isfinite(value)) Reject("floating-point value is not finite");
        char buffer[64];
        // Shortest text that reads back to the same double.
        std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
        std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
        FOut += text;
        // "2" would read back as an integer.
        if (text.find_first_of(".e") == std::string_view::npos) FOut += ".0";
    }

    // Printable ASCII goes in quotes; everything else as #nnn so the text
    // stays 7-bit and free of line breaks.
    void WriteString(const std::string& bytes)
    {
        if (bytes.empty()) {
            FOut += "''";
            return;
        }
        bool quoted = false;
        for (char c : bytes) {
            unsigned char code = static_cast<unsigned char>(c);
            bool printable = code >= 0x20 && code < 0x7F;
            if (printable != quoted) {
                FOut += '\'';
                quoted = printable;
            }
            if (!printable) {
                FOut += '#';
                FOut += std::to_string(code);
            } else {
                FOut += c;
                if (c == '\'') FOut += c;
            }
        }
        if (quoted) FOut += '\'';
    }

    void WriteSet(const std::vector<std::string>& elements)
    {
        FOut += '[';
        for (std::size_t i = 0; i < elements.size(); ++i) {
            if (!IsIdentifier(elements[i])) Reject("bad set element " + Quoted(elements[i]));
            if (i > 0) FOut += ", ";
            FOut += elements[i];
        }
        FOut += ']';
    }

    void WriteList(const std::vector<TFormValue>& values, int indent, int nesting)
    {
        int inner = Nest(nesting);
        FOut += '(';
        for (const TFormValue& element : values) {
            EndLine();
            WriteIndent(indent + 1);
            WriteValue(element, indent + 1, inner);
        }
        FOut += ')';
    }

    void WriteBinary(const std::vector<uint8_t>& bytes, int indent)
    {
        constexpr std::size_t BytesPerLine = 32;  // 64 hex digits
        static constexpr char HexDigits[] = "0123456789ABCDEF";
        FOut += '{';
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (i % BytesPerLine == 0) {
                EndLine();
                WriteIndent(indent + 1);
            }
            FOut += HexDigits[bytes[i] >> 4];
            FOut += HexDigits[bytes[i] & 0x0F];
        }
        FOut += '}';
    }

    void WriteCollection(const std::vector<TFormItem>& items, int indent, int nesting)
    {
        int inner = Nest(nesting);
        FOut += '<';
        for (const TFormItem& item : items) {
            EndLine();
            WriteIndent(indent + 1);
            FOut += "item";
            EndLine();
            for (const TFormProperty& property : item) WriteProperty(property, indent + 2, inner);
            WriteIndent(indent + 1);
            FOut += "end";
        }
        FOut += '>';
    }
};

}  // namespace

TFormDataError::TFormDataError(int line, const std::string& message)
    : std::runtime_error("Line " + std::to_string(line) + ": " + message), FLine(line)
{
}

TFormValue::TFormValue(TData data) : FData(std::move(data)) {}

TFormValue TFormValue::Integer(int32_t value)
{
    return TFormValue(TData(std::in_place_index<IndexOf<TKind::Integer>>, value));
}

TFormValue TFormValue::Float(double value)
{
    return TFormValue(TData(std::in_place_index<IndexOf<TKind::Float>>, value));
}

TFormValue TFormValue::String(std::string bytes)
{
    return TFormValue(TData(std::in_place_index<IndexOf<TKind::String>>, std::move(bytes)));
}

TFormValue TFormValue::Identifier(std::string name)
{
    return TFormValue(TData(std::in_place_index<IndexOf<TKind::Identifier>>, std::move(name)));
}

TFormValue TFormValue::Set(std::vector<std::string> elements)
{
    return TFormValue(TData(std::in_place_index<IndexOf<TKind::Set>>, std::move(elements)));
}

TFormValue TFormValue::List(std::vector<TFormValue> values)
{
    return TFormValue(TData(std::in_place_index<IndexOf<TKind::List>>, std::move(values)));
}

TFormValue TFormValue::Binary(std::vector<uint8_t> bytes)
{
    return TFormValue(TData(std::in_place_index<IndexOf<TKind::Binary>>, std::move(bytes)));
}

TFormValue TFormValue::Collection(std::vector<TFormItem> items)
{
    return TFormValue(TData(std::in_place_index<IndexOf<TKind::Collection>>, std::move(items)));
}

int32_t TFormValue::AsInteger() const
{
    return std::get<IndexOf<TKind::Integer>>(FData);
}

double TFormValue::AsFloat() const
{
    return std::get<IndexOf<TKind::Float>>(FData);
}

const std::string& TFormValue::AsString() const
{
    return std::get<IndexOf<TKind::String>>(FData);
}

const std::string& TFormValue::AsIdentifier() const
{
    return std::get<IndexOf<TKind::Identifier>>(FData);
}

const std::vector<std::string>& TFormValue::AsSet() const
{
    return std::get<IndexOf<TKind::Set>>(FData);
}

const std::vector<TFormValue>& TFormValue::AsList() const
{
    return std::get<IndexOf<TKind::List>>(FData);
}

const std::vector<uint8_t>& TFormValue::AsBinary() const
{
    return std::get<IndexOf<TKind::Binary>>(FData);
}

const std::vector<TFormItem>& TFormValue::AsCollection() const
{
    return std::get<IndexOf<TKind::Collection>>(FData);
}

bool TFormValue::operator==(const TFormValue& other) const { return FData == other.FData; }

bool TFormProperty::operator==(const TFormProperty& other) const
{
    return Name == other.Name && Value == other.Value;
}

bool TFormObject::operator==(const TFormObject& other) const
{
    return Name == other.Name && ClassName == other.ClassName && Filer == other.Filer &&
           Properties == other.Properties && Children == other.Children;
}

TFormObject ParseFormData(std::string_view text) { return TFormDataReader(text).ReadRoot(); }

std::string WriteFormData(const TFormObject& root) { return TFormDataWriter().Write(root); }

}  // namespace velloran
