#include "framework/FormData.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <string>

using namespace velloran;
using TKind = TFormValue::TKind;

namespace {

// Reads `Value = <text>` from a one-property object.
TFormValue ParseValue(const std::string& text)
{
    TFormObject root = ParseFormData("object A: T\n  Value = " + text + "\nend\n");
    EXPECT_EQ(root.Properties.size(), 1u);
    return root.Properties.at(0).Value;
}

// Line of the error, or 0 when the text parses.
int ErrorLine(const std::string& text)
{
    try {
        ParseFormData(text);
    } catch (const TFormDataError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Line " + std::to_string(error.Line()) + ": ", 0), 0u)
            << error.what();
        return error.Line();
    }
    return 0;
}

// open × depth, inner, close × depth
std::string Wrapped(const std::string& open, const std::string& inner, const std::string& close, int depth)
{
    std::string text;
    for (int i = 0; i < depth; ++i) text += open;
    text += inner;
    for (int i = 0; i < depth; ++i) text += close;
    return text;
}

const char SampleForm[] =
    "object MainForm: TMainForm\n"
    "  Left = 192\n"
    "  BorderStyle = bsDialog\n"
    "  Caption = 'Velloran'\n"
    "  Font.Name = 'Verdana'\n"
    "  Font.Height = -11\n"
    "  Font.Style = [fsBold, fsItalic]\n"
    "  Color = clBtnFace\n"
    "  OnCreate = FormCreate\n"
    "  Hint = 'It''s '#174' two'#13#10 +\n"
    "    'lines'\n"
    "  Lines.Strings = (\n"
    "    'first'\n"
    "    'second')\n"
    "  Icons = {\n"
    "    0100000000\n"
    "    0A0B}\n"
    "  object Label1: TLabel\n"
    "    Left = 8\n"
    "  end\n"
    "  object Items: TCollectionOwner\n"
    "    Panels = <\n"
    "      item\n"
    "        Width = 50\n"
    "      end\n"
    "      item\n"
    "        Text = 'x'\n"
    "      end>\n"
    "  end\n"
    "end\n";

}  // namespace

TEST(FormDataParse, SampleFormReadsEveryPart)
{
    TFormObject root = ParseFormData(SampleForm);
    EXPECT_EQ(root.Name, "MainForm");
    EXPECT_EQ(root.ClassName, "TMainForm");
    EXPECT_EQ(root.Filer, TFormObject::TFiler::Object);
    EXPECT_EQ(root.Line, 1);
    ASSERT_EQ(root.Properties.size(), 11u);

    const auto& p = root.Properties;
    EXPECT_EQ(p[0].Name, "Left");
    EXPECT_EQ(p[0].Value.AsInteger(), 192);
    EXPECT_EQ(p[0].Line, 2);
    EXPECT_EQ(p[1].Value.AsIdentifier(), "bsDialog");
    EXPECT_EQ(p[2].Value.AsString(), "Velloran");
    EXPECT_EQ(p[3].Name, "Font.Name");
    EXPECT_EQ(p[4].Value.AsInteger(), -11);
    EXPECT_EQ(p[5].Value.AsSet(), (std::vector<std::string>{"fsBold", "fsItalic"}));
    EXPECT_EQ(p[7].Value.AsIdentifier(), "FormCreate");
    EXPECT_EQ(p[8].Name, "Hint");
    EXPECT_EQ(p[8].Value.AsString(), "It's \xAE two\r\nlines");
    EXPECT_EQ(p[8].Line, 10);
    EXPECT_EQ(p[9].Value, TFormValue::List({TFormValue::String("first"), TFormValue::String("second")}));
    EXPECT_EQ(p[9].Line, 12);
    EXPECT_EQ(p[10].Value.AsBinary(), (std::vector<uint8_t>{0x01, 0, 0, 0, 0, 0x0A, 0x0B}));
    EXPECT_EQ(p[10].Line, 15);

    ASSERT_EQ(root.Children.size(), 2u);
    EXPECT_EQ(root.Children[0].Name, "Label1");
    EXPECT_EQ(root.Children[0].Line, 18);
    EXPECT_EQ(root.Children[0].Properties.at(0).Value.AsInteger(), 8);
    const TFormValue& panels = root.Children[1].Properties.at(0).Value;
    ASSERT_EQ(panels.Kind(), TKind::Collection);
    ASSERT_EQ(panels.AsCollection().size(), 2u);
    EXPECT_EQ(panels.AsCollection()[0].at(0).Name, "Width");
    EXPECT_EQ(panels.AsCollection()[0].at(0).Value.AsInteger(), 50);
    EXPECT_EQ(panels.AsCollection()[0].at(0).Line, 24);
    EXPECT_EQ(panels.AsCollection()[1].at(0).Value.AsString(), "x");
}

TEST(FormDataParse, CrLfAndLfGiveTheSameTreeAndLines)
{
    std::string crlf;
    for (char c : std::string(SampleForm)) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    TFormObject fromLf = ParseFormData(SampleForm);
    TFormObject fromCrLf = ParseFormData(crlf);
    EXPECT_EQ(fromCrLf, fromLf);
    EXPECT_EQ(fromCrLf.Children[1].Line, 21);
    EXPECT_EQ(fromCrLf.Properties[10].Line, 15);
    EXPECT_EQ(fromCrLf.Properties[8].Value.AsString(), "It's \xAE two\r\nlines");
}

TEST(FormDataParse, Integers)
{
    EXPECT_EQ(ParseValue("0").AsInteger(), 0);
    EXPECT_EQ(ParseValue("+17").AsInteger(), 17);
    EXPECT_EQ(ParseValue("007").AsInteger(), 7);
    EXPECT_EQ(ParseValue("2147483647").AsInteger(), 2147483647);
    EXPECT_EQ(ParseValue("-2147483648").AsInteger(), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ParseValue("$1F").AsInteger(), 31);
    EXPECT_EQ(ParseValue("$00ff").AsInteger(), 255);
    EXPECT_EQ(ParseValue("$7FFFFFFF").AsInteger(), 2147483647);
    EXPECT_EQ(ParseValue("$80000000").AsInteger(), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ParseValue("$FFFFFFFF").AsInteger(), -1);
    EXPECT_EQ(ParseValue("$000000000001").AsInteger(), 1);
}

TEST(FormDataParse, Floats)
{
    EXPECT_EQ(ParseValue("1.5").AsFloat(), 1.5);
    EXPECT_EQ(ParseValue("-2.5E3").AsFloat(), -2500.0);
    EXPECT_EQ(ParseValue("1e-2").AsFloat(), 0.01);
    EXPECT_EQ(ParseValue("+4E+2").AsFloat(), 400.0);
    TFormValue zero = ParseValue("0.0");
    EXPECT_EQ(zero.Kind(), TKind::Float);
    EXPECT_EQ(zero.AsFloat(), 0.0);
    EXPECT_EQ(ParseValue("5").Kind(), TKind::Integer);
    EXPECT_EQ(ParseValue("5E0").Kind(), TKind::Float);
}

TEST(FormDataParse, IdentifiersAndSets)
{
    EXPECT_EQ(ParseValue("True").AsIdentifier(), "True");
    EXPECT_EQ(ParseValue("Form1.PopupMenu").AsIdentifier(), "Form1.PopupMenu");
    EXPECT_EQ(ParseValue("_x9").AsIdentifier(), "_x9");
    EXPECT_EQ(ParseValue("end").AsIdentifier(), "end");  // a keyword only where a property may stand
    EXPECT_TRUE(ParseValue("[]").AsSet().empty());
    EXPECT_TRUE(ParseValue("[ ]").AsSet().empty());
    EXPECT_EQ(ParseValue("[akLeft]").AsSet(), std::vector<std::string>{"akLeft"});
    EXPECT_EQ(ParseValue("[ a ,b,\n  c ]").AsSet(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(ParseValue("a").Kind(), TKind::Identifier);
    EXPECT_NE(ParseValue("a"), ParseValue("'a'"));
}

TEST(FormDataParse, StringRules)
{
    EXPECT_EQ(ParseValue("''").AsString(), "");
    EXPECT_EQ(ParseValue("''''").AsString(), "'");
    EXPECT_EQ(ParseValue("'a''b'").AsString(), "a'b");
    EXPECT_EQ(ParseValue("#65").AsString(), "A");
    EXPECT_EQ(ParseValue("#$41#$6a").AsString(), "Aj");
    EXPECT_EQ(ParseValue("#0").AsString(), std::string(1, '\0'));
    EXPECT_EQ(ParseValue("#255").AsString(), "\xFF");
    EXPECT_EQ(ParseValue("#$FF").AsString(), "\xFF");
    EXPECT_EQ(ParseValue("'a'#9'b'#13#10").AsString(), "a\tb\r\n");
    EXPECT_EQ(ParseValue("'tab\there'").AsString(), "tab\there");
    EXPECT_EQ(ParseValue("'\xE9t\xE9'").AsString(), "\xE9t\xE9");  // ANSI bytes pass through
    EXPECT_EQ(ParseValue("'one' +\n    'two' +\r\n  #33").AsString(), "onetwo!");
    EXPECT_EQ(ParseValue("'one'+'two'").AsString(), "onetwo");
}

TEST(FormDataParse, ListsBinaryAndCollections)
{
    EXPECT_TRUE(ParseValue("()").AsList().empty());
    TFormValue mixed = ParseValue("(\n  1 'two' Three [f] (4.5)\n  {00})");
    ASSERT_EQ(mixed.AsList().size(), 6u);
    EXPECT_EQ(mixed.AsList()[0].AsInteger(), 1);
    EXPECT_EQ(mixed.AsList()[1].AsString(), "two");
    EXPECT_EQ(mixed.AsList()[2].AsIdentifier(), "Three");
    EXPECT_EQ(mixed.AsList()[3].AsSet(), std::vector<std::string>{"f"});
    EXPECT_EQ(mixed.AsList()[4].AsList().at(0).AsFloat(), 4.5);
    EXPECT_EQ(mixed.AsList()[5].AsBinary(), std::vector<uint8_t>{0});
    // Two strings with a blank between them are two elements, not one.
    EXPECT_EQ(ParseValue("('a' 'b')").AsList().size(), 2u);

    EXPECT_TRUE(ParseValue("{}").AsBinary().empty());
    EXPECT_EQ(ParseValue("{ De aD\n\tbE\r\n EF }").AsBinary(), (std::vector<uint8_t>{0xDE, 0xAD, 0xBE, 0xEF}));

    EXPECT_TRUE(ParseValue("<>").AsCollection().empty());
    TFormValue collection = ParseValue("<\n item end\n ITEM\n  A = 1\n  B.C = <item X = 'y' end>\n End>");
    ASSERT_EQ(collection.AsCollection().size(), 2u);
    EXPECT_TRUE(collection.AsCollection()[0].empty());
    const TFormItem& second = collection.AsCollection()[1];
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0].Line, 5);
    EXPECT_EQ(second[1].Name, "B.C");
    EXPECT_EQ(second[1].Value.AsCollection().at(0).at(0).Value.AsString(), "y");
}

TEST(FormDataParse, ObjectHeadersAndNesting)
{
    TFormObject root = ParseFormData(
        "\r\n  OBJECT Form1: TForm1\n"
        "    Constraints.MinWidth = 100\n"
        "    Inherited Panel: TPanel\n"
        "      object TTimer\n"
        "      END\n"
        "    end\n"
        "    inline Frame1 : TFrame1 end\n"
        "  End   \r\n\t\n");
    EXPECT_EQ(root.Name, "Form1");
    EXPECT_EQ(root.Line, 2);
    EXPECT_EQ(root.Properties.at(0).Name, "Constraints.MinWidth");
    ASSERT_EQ(root.Children.size(), 2u);

    const TFormObject& panel = root.Children[0];
    EXPECT_EQ(panel.Filer, TFormObject::TFiler::Inherited);
    EXPECT_EQ(panel.Line, 4);
    ASSERT_EQ(panel.Children.size(), 1u);
    EXPECT_EQ(panel.Children[0].Name, "");
    EXPECT_EQ(panel.Children[0].ClassName, "TTimer");

    const TFormObject& frame = root.Children[1];
    EXPECT_EQ(frame.Filer, TFormObject::TFiler::Inline);
    EXPECT_EQ(frame.Name, "Frame1");
    EXPECT_EQ(frame.ClassName, "TFrame1");
    EXPECT_TRUE(frame.Properties.empty());
}

TEST(FormDataParse, ErrorsReportTheirLine)
{
    // Unterminated pieces: strings end at the line break, blocks report where they open.
    EXPECT_EQ(ErrorLine("object A: T\n  Caption = 'abc\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  Caption = 'abc"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  Left = 1\n"), 1);
    EXPECT_EQ(ErrorLine("object A: T\n  object B: T\nend\n"), 1);
    EXPECT_EQ(ErrorLine("object A: T\n  X = (\n 'a'\n"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  X = [a,\n b\n"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  X = {\n 00\n"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  X = <\n item\n end\n"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  X = <\n item\n  Y = 1\n"), 3);
    EXPECT_EQ(ErrorLine("object A: T\n  X =\n"), 3);

    // Numbers.
    EXPECT_EQ(ErrorLine("object A: T\n\n  Left = 12ab\nend"), 3);
    EXPECT_EQ(ErrorLine("object A: T\n  Left = 1.5.2\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  Left = 1.\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  Left = 1e\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  Left = -\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  Left = -$10\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  Left = 2147483648\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  Left = -2147483649\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  Left = 99999999999999999999999\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  Left = $100000000\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  Left = $\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  Left = $1G\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  Left = 1E999\nend"), 2);

    // Strings.
    EXPECT_EQ(ErrorLine("object A: T\n  S = #256\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  S = #$100\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  S = #\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  S = #65x\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  S = 'a' +\n\n  B = 1\nend"), 4);

    // Binary.
    EXPECT_EQ(ErrorLine("object A: T\n  B = {\n  012\n  }\nend"), 4);
    EXPECT_EQ(ErrorLine("object A: T\n  B = {\n  0G}\nend"), 3);

    // Structure.
    EXPECT_EQ(ErrorLine(""), 1);
    EXPECT_EQ(ErrorLine("\n\n  Left = 1\n"), 3);
    EXPECT_EQ(ErrorLine("object\n"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  Left 1\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  Left = 1\n  object B: T end\n  Top = 2\nend"), 4);
    EXPECT_EQ(ErrorLine("object A: T\n  X = <\n    thing end>\nend"), 3);
    // Block keywords cannot name item properties: the writer could not tell them apart.
    EXPECT_EQ(ErrorLine("object A: T\n  X = <item\n    Inline = 1 end>\nend"), 3);
    EXPECT_EQ(ErrorLine("object A: T\n  X = [a,]\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  X = [a b]\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  Font. = 1\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\n  X = ;\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: T\nend\n\nx"), 4);
    EXPECT_EQ(ErrorLine("object A: T\nend\nobject B: T\nend\n"), 3);
    EXPECT_EQ(ErrorLine("object A: T\nend\n  \r\n\t"), 0);
}

TEST(FormDataParse, NestingIsLimitedTo64Levels)
{
    auto objects = [](int depth) { return Wrapped("object T\n", "", "end\n", depth); };
    EXPECT_EQ(ErrorLine(objects(64)), 0);
    EXPECT_EQ(ErrorLine(objects(65)), 65);

    // The root object is one level; lists and collections count too.
    auto lists = [](int depth) { return "object A: T\n  X = " + Wrapped("(", "", ")", depth) + "\nend"; };
    EXPECT_EQ(ErrorLine(lists(63)), 0);
    EXPECT_EQ(ErrorLine(lists(64)), 2);
    auto collections = [](int depth) {
        return "object A: T\n  X = " + Wrapped("<item X =\n", " 1", " end>", depth) + "\nend";
    };
    EXPECT_EQ(ErrorLine(collections(63)), 0);
    EXPECT_EQ(ErrorLine(collections(64)), 65);
    // Far beyond the limit must still be a clean error, not a stack overflow.
    EXPECT_EQ(ErrorLine("object A: T\n  X = " + std::string(100000, '(')), 2);
}

TEST(FormDataWrite, CanonicalText)
{
    TFormObject root;
    root.Name = "Main";
    root.ClassName = "TMain";
    root.Properties = {
        {"Left", TFormValue::Integer(-5)},
        {"Caption", TFormValue::String("It's\r\n\xE9")},
        {"Empty", TFormValue::String("")},
        {"Style", TFormValue::Set({"fsBold", "fsItalic"})},
        {"NoStyle", TFormValue::Set({})},
        {"Ratio", TFormValue::Float(2.0)},
        {"Lines", TFormValue::List({TFormValue::String("a"), TFormValue::List({TFormValue::Identifier("B.C")})})},
        {"Data", TFormValue::Binary({0x00, 0xAB})},
        {"Items", TFormValue::Collection({{{"Width", TFormValue::Integer(50)}}, {}})},
    };
    TFormObject child;
    child.ClassName = "TTimer";
    child.Filer = TFormObject::TFiler::Inherited;
    root.Children.push_back(child);

    EXPECT_EQ(WriteFormData(root),
              "object Main: TMain\r\n"
              "  Left = -5\r\n"
              "  Caption = 'It''s'#13#10#233\r\n"
              "  Empty = ''\r\n"
              "  Style = [fsBold, fsItalic]\r\n"
              "  NoStyle = []\r\n"
              "  Ratio = 2.0\r\n"
              "  Lines = (\r\n"
              "    'a'\r\n"
              "    (\r\n"
              "      B.C))\r\n"
              "  Data = {\r\n"
              "    00AB}\r\n"
              "  Items = <\r\n"
              "    item\r\n"
              "      Width = 50\r\n"
              "    end\r\n"
              "    item\r\n"
              "    end>\r\n"
              "  inherited TTimer\r\n"
              "  end\r\n"
              "end\r\n");
}

TEST(FormDataWrite, LongBinaryBreaksEvery64Digits)
{
    TFormObject root;
    root.ClassName = "T";
    root.Properties = {{"Data", TFormValue::Binary(std::vector<uint8_t>(70, 0x5A))}};
    std::string text = WriteFormData(root);
    std::string full;
    for (int i = 0; i < 32; ++i) full += "5A";
    EXPECT_NE(text.find("{\r\n    " + full + "\r\n    " + full + "\r\n    5A5A5A5A5A5A}\r\n"), std::string::npos)
        << text;
    EXPECT_EQ(ParseFormData(text), root);
}

TEST(FormDataWrite, RichTreeRoundTrips)
{
    TFormObject root = ParseFormData(SampleForm);
    std::string allBytes;
    for (int c = 0; c < 256; ++c) allBytes += static_cast<char>(c);
    root.Properties.push_back({"AllBytes", TFormValue::String(allBytes)});
    root.Properties.push_back({"Deep", TFormValue::List({TFormValue::Collection({{{"Inner", TFormValue::List({})}}}),
                                                          TFormValue::Binary({}), TFormValue::Collection({})})});
    root.Children[0].Children.push_back(ParseFormData("inline TFrame\nend"));

    std::string written = WriteFormData(root);
    TFormObject reread = ParseFormData(written);
    EXPECT_EQ(reread, root);
    EXPECT_EQ(WriteFormData(reread), written);
    EXPECT_EQ(reread.Children[0].Children.at(0).Filer, TFormObject::TFiler::Inline);
    EXPECT_NE(reread, ParseFormData("object MainForm: TMainForm\nend"));
}

TEST(FormDataWrite, FloatsRoundTripExactly)
{
    const double values[] = {0.1, 1.0 / 3, -2500.0, 2.0, 1e20, 1e300, -1.7976931348623157e308,
                             5e-324, 2.2250738585072014e-308, 123456789.125, -0.0};
    for (double value : values) {
        TFormObject root;
        root.ClassName = "T";
        root.Properties = {{"F", TFormValue::Float(value)}};
        TFormValue reread = ParseFormData(WriteFormData(root)).Properties.at(0).Value;
        ASSERT_EQ(reread.Kind(), TKind::Float) << value;
        EXPECT_EQ(std::bit_cast<uint64_t>(reread.AsFloat()), std::bit_cast<uint64_t>(value)) << value;
    }
}

TEST(FormDataWrite, RejectsTreesWithNoTextForm)
{
    auto withProperty = [](std::string name, TFormValue value) {
        TFormObject root;
        root.ClassName = "T";
        root.Properties = {{std::move(name), std::move(value)}};
        return root;
    };
    EXPECT_NO_THROW(WriteFormData(withProperty("Font.Size", TFormValue::Integer(1))));
    EXPECT_THROW(WriteFormData(withProperty("Font.", TFormValue::Integer(1))), std::invalid_argument);
    EXPECT_THROW(WriteFormData(withProperty("2x", TFormValue::Integer(1))), std::invalid_argument);
    EXPECT_THROW(WriteFormData(withProperty("End", TFormValue::Integer(1))), std::invalid_argument);
    EXPECT_THROW(WriteFormData(withProperty("inline", TFormValue::Integer(1))), std::invalid_argument);
    EXPECT_THROW(WriteFormData(withProperty("F", TFormValue::Float(NAN))), std::invalid_argument);
    EXPECT_THROW(WriteFormData(withProperty("F", TFormValue::Float(INFINITY))), std::invalid_argument);
    EXPECT_THROW(WriteFormData(withProperty("F", TFormValue::Identifier("a b"))), std::invalid_argument);
    EXPECT_THROW(WriteFormData(withProperty("F", TFormValue::Set({"a.b"}))), std::invalid_argument);
    EXPECT_THROW(WriteFormData(withProperty("F", TFormValue::Collection({{{"end", TFormValue()}}}))),
                 std::invalid_argument);

    TFormObject unnamedClass;
    EXPECT_THROW(WriteFormData(unnamedClass), std::invalid_argument);

    TFormValue deep = TFormValue::Integer(0);
    for (int i = 0; i < 63; ++i) deep = TFormValue::List({deep});
    EXPECT_NO_THROW(WriteFormData(withProperty("X", deep)));
    EXPECT_THROW(WriteFormData(withProperty("X", TFormValue::List({deep}))), std::invalid_argument);
}

TEST(FormDataValue, AccessorsCheckTheKind)
{
    TFormValue value = TFormValue::Identifier("clRed");
    EXPECT_TRUE(value.Is(TKind::Identifier));
    EXPECT_THROW(value.AsString(), std::bad_variant_access);
    EXPECT_THROW(value.AsInteger(), std::bad_variant_access);
    EXPECT_EQ(TFormValue().AsInteger(), 0);
    EXPECT_NE(TFormValue::Integer(1), TFormValue::Float(1.0));
}
