// Reading form data into live components.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/FormReader.h"

namespace velloran {
namespace {

using TNotifyEvent = std::function<void(TObject*)>;

const TEnumInfo AlignEnum{{"alNone", "alTop", "alClient"}};
const TEnumInfo AnchorEnum{{"akLeft", "akTop", "akRight", "akBottom"}};
const TEnumInfo FontStyleEnum{{"fsBold", "fsItalic", "fsUnderline"}};

// What Loaded saw, in call order: whether anything of the form was still being read, and
// whether the component itself was still loading.
std::vector<std::string>& LoadedLog() {
    static std::vector<std::string> log;
    return log;
}

void LogLoaded(const TComponent& c) {
    const TComponent& root = c.Owner() ? *c.Owner() : c;
    bool reading = root.HasState(csReading);
    for (TComponent* other : root.ComponentList()) reading = reading || other->HasState(csReading);
    LoadedLog().push_back((c.Name().empty() ? c.ClassName() : c.Name()) + (reading ? " reading" : "") +
                          (c.HasState(csLoading) ? " loading" : ""));
}

class TFakeFont : public TPersistent {
    VELLORAN_CLASS(TFakeFont)
public:
    std::string Name() const { return name_; }
    void SetName(const std::string& value) { name_ = value; }
    int32_t Color() const { return color_; }
    void SetColor(int32_t value) { color_ = value; }
    uint32_t Style() const { return style_; }
    void SetStyle(uint32_t value) { style_ = value; }

private:
    std::string name_;
    int32_t color_ = 0;
    uint32_t style_ = 0;
};

const TClassInfo& TFakeFont::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TFakeFont>(
        "TFakeFont", &TPersistent::StaticClassInfo(),
        {props::String("Name", &TFakeFont::Name, &TFakeFont::SetName),
         props::Int("Color", &TFakeFont::Color, &TFakeFont::SetColor),
         props::Set("Style", FontStyleEnum, &TFakeFont::Style, &TFakeFont::SetStyle)});
    return info;
}

class TFakeControl : public TComponent {
    VELLORAN_CLASS(TFakeControl)
public:
    enum TAlign { alNone, alTop, alClient };
    using TComponent::TComponent;

    int32_t Left() const { return left_; }
    void SetLeft(int32_t value) { left_ = value; }
    int32_t Handle() const { return 0; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign value) { align_ = value; }
    uint32_t Anchors() const { return anchors_; }
    void SetAnchors(uint32_t value) { anchors_ = value; }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value) {
        caption_ = value;
        captionSetWhileReading_ = HasState(csReading) && HasState(csLoading);
    }
    std::vector<std::string> Items() const { return items_; }
    void SetItems(const std::vector<std::string>& value) { items_ = value; }
    std::vector<uint8_t> Data() const { return data_; }
    void SetData(const std::vector<uint8_t>& value) { data_ = value; }
    TFakeFont* Font() const { return font_.get(); }
    TStringList* Lines() const { return lines_.get(); }
    TFakeControl* Buddy() const { return buddy_; }
    void SetBuddy(TFakeControl* value) { buddy_ = value; }
    TComponent* Target() const { return target_; }
    void SetTarget(TComponent* value) { target_ = value; }

    TNotifyEvent OnClick;

    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override { return parent_; }
    void Loaded() override {
        LogLoaded(*this);
        buddyAtLoaded_ = buddy_;
        TComponent::Loaded();
    }

    bool CaptionSetWhileReading() const { return captionSetWhileReading_; }
    TFakeControl* BuddyAtLoaded() const { return buddyAtLoaded_; }
    std::string NameAtParent() const { return nameAtParent_; }
    std::string CaptionAtParent() const { return captionAtParent_; }
    bool FieldSetAtParent() const { return fieldSetAtParent_; }

private:
    int32_t left_ = 0;
    bool visible_ = true;
    TAlign align_ = alNone;
    uint32_t anchors_ = 0;
    std::string caption_;
    std::vector<std::string> items_;
    std::vector<uint8_t> data_;
    std::unique_ptr<TFakeFont> font_ = std::make_unique<TFakeFont>();
    std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
    TFakeControl* buddy_ = nullptr;
    TComponent* target_ = nullptr;
    TComponent* parent_ = nullptr;
    bool captionSetWhileReading_ = false;
    TFakeControl* buddyAtLoaded_ = nullptr;
    std::string nameAtParent_;
    std::string captionAtParent_;
    bool fieldSetAtParent_ = false;
};

const TClassInfo& TFakeControl::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TFakeControl>(
        "TFakeControl", &TComponent::StaticClassInfo(),
        {props::Int("Left", &TFakeControl::Left, &TFakeControl::SetLeft),
         props::Int("Handle", &TFakeControl::Handle, nullptr),
         props::Bool("Visible", &TFakeControl::Visible, &TFakeControl::SetVisible),
         props::Enum("Align", AlignEnum, &TFakeControl::Align, &TFakeControl::SetAlign),
         props::Set("Anchors", AnchorEnum, &TFakeControl::Anchors, &TFakeControl::SetAnchors),
         props::String("Caption", &TFakeControl::Caption, &TFakeControl::SetCaption),
         props::Lines("Items", &TFakeControl::Items, &TFakeControl::SetItems),
         props::Binary("Data", &TFakeControl::Data, &TFakeControl::SetData),
         props::SubObject("Font", &TFakeControl::Font),
         props::SubObject("Lines", &TFakeControl::Lines),
         props::Reference("Buddy", &TFakeControl::Buddy, &TFakeControl::SetBuddy),
         props::Reference("Target", &TFakeControl::Target, &TFakeControl::SetTarget),
         props::Event("OnClick", &TFakeControl::OnClick)});
    return info;
}

class TFakePanel : public TFakeControl {
    VELLORAN_CLASS(TFakePanel)
public:
    using TFakeControl::TFakeControl;
};

const TClassInfo& TFakePanel::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TFakePanel>("TFakePanel", &TFakeControl::StaticClassInfo());
    return info;
}

class TFakeForm : public TComponent {
    VELLORAN_CLASS(TFakeForm)
public:
    explicit TFakeForm(TComponent* owner = nullptr) : TComponent(owner) {}

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value) { caption_ = value; }
    int32_t Color() const { return color_; }
    void SetColor(int32_t value) { color_ = value; }
    TFakeControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TFakeControl* value) { activeControl_ = value; }

    void ButtonClick(TObject* sender) {
        ++clicks;
        lastSender = sender;
    }
    void FormShow() {}

    void Loaded() override {
        LogLoaded(*this);
        TComponent::Loaded();
    }

    TFakeControl* Button1 = nullptr;
    TFakePanel* Panel1 = nullptr;
    int clicks = 0;
    TObject* lastSender = nullptr;

private:
    std::string caption_;
    int32_t color_ = 0;
    TFakeControl* activeControl_ = nullptr;
};

const TClassInfo& TFakeForm::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TFakeForm>(
        "TFakeForm", &TComponent::StaticClassInfo(),
        {props::String("Caption", &TFakeForm::Caption, &TFakeForm::SetCaption),
         props::Int("Color", &TFakeForm::Color, &TFakeForm::SetColor),
         props::Reference("ActiveControl", &TFakeForm::ActiveControl, &TFakeForm::SetActiveControl)},
        {props::Method("ButtonClick", &TFakeForm::ButtonClick), props::Method("FormShow", &TFakeForm::FormShow)},
        {props::Field("Button1", &TFakeForm::Button1), props::Field("Panel1", &TFakeForm::Panel1)});
    return info;
}

void TFakeControl::SetParentComponent(TComponent* parent) {
    parent_ = parent;
    nameAtParent_ = Name();
    captionAtParent_ = caption_;
    auto* form = dynamic_cast<TFakeForm*>(Owner());
    fieldSetAtParent_ = form && (form->Button1 == this || form->Panel1 == this);
}

constexpr int32_t FakeRed = 0x0000FF;

const char* const MainFormText =
    "object MainForm: TFakeForm\n"
    "  Caption = 'Main'\n"
    "  Color = clFakeRed\n"
    "  ActiveControl = Button2\n"
    "  object Button1: TFakeControl\n"
    "    Left = 8\n"
    "    Visible = False\n"
    "    Align = alTop\n"
    "    Anchors = [akLeft, akBottom]\n"
    "    Caption = 'OK'\n"
    "    Font.Name = 'Tahoma'\n"
    "    Font.Style = [fsBold, fsUnderline]\n"
    "    Font.Color = clFakeRed\n"
    "    Items = (\n"
    "      'one'\n"
    "      'two')\n"
    "    Lines.Strings = (\n"
    "      'first')\n"
    "    Data = {0A0B0C}\n"
    "    OnClick = ButtonClick\n"
    "    Buddy = Button2\n"
    "    Target = mainform\n"
    "  end\n"
    "  object Panel1: TFakePanel\n"
    "    Align = alClient\n"
    "    object Button2: TFakeControl\n"
    "      Caption = 'Inner'\n"
    "      Buddy = Button1\n"
    "    end\n"
    "  end\n"
    "  object TFakeControl\n"
    "    Left = 3\n"
    "  end\n"
    "end\n";

class FormReader : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterComponentClass(TFakeControl::StaticClassInfo());
        RegisterComponentClass(TFakePanel::StaticClassInfo());
        RegisterComponentClass(TStringList::StaticClassInfo());  // registered but not creatable
        RegisterIntegerConstant("clFakeRed", FakeRed);
    }
    void SetUp() override { LoadedLog().clear(); }

    TFakeControl& Control(std::string_view name) {
        auto* c = dynamic_cast<TFakeControl*>(form.FindComponent(name));
        if (!c) throw std::runtime_error("no control " + std::string(name));
        return *c;
    }

    // The message of the read error, or "read" when the text was accepted.
    static std::string ReadError(const std::string& text) {
        TFakeForm form;
        try {
            ReadRootComponentFromText(form, text);
        } catch (const EReadError& e) {
            return e.what();
        }
        return "read";
    }

    // Form data whose first property of Button1 is on line 3.
    static std::string ButtonForm(const std::string& buttonProperties) {
        return "object F: TFakeForm\n  object Button1: TFakeControl\n" + buttonProperties + "  end\nend\n";
    }

    TFakeForm form;
};

TEST_F(FormReader, EveryComponentIsOwnedByTheRootAndParentedByItsEnclosingObject) {
    ReadRootComponentFromText(form, MainFormText);
    EXPECT_EQ(form.Name(), "MainForm");
    ASSERT_EQ(form.ComponentCount(), 4);
    std::vector<std::string> names;
    for (TComponent* c : form.ComponentList()) {
        names.push_back(c->Name());
        EXPECT_EQ(c->Owner(), &form);
        EXPECT_EQ(c->ComponentCount(), 0);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Button1", "Panel1", "Button2", ""}));
    EXPECT_EQ(Control("Button1").GetParentComponent(), &form);
    EXPECT_EQ(Control("Panel1").GetParentComponent(), &form);
    EXPECT_EQ(Control("Button2").GetParentComponent(), &Control("Panel1"));
    EXPECT_EQ(form.Components(3)->GetParentComponent(), &form);
    EXPECT_EQ(form.Components(3)->ClassName(), "TFakeControl");
    EXPECT_EQ(Control("Panel1").ClassName(), "TFakePanel");
}

TEST_F(FormReader, PublishedFieldsReceiveTheirComponents) {
    ReadRootComponentFromText(form, MainFormText);
    EXPECT_EQ(form.Button1, &Control("Button1"));
    EXPECT_EQ(form.Panel1, &Control("Panel1"));
}

TEST_F(FormReader, ChildIsNamedAndAssignedToItsFieldBeforeItGetsItsParentAndProperties) {
    ReadRootComponentFromText(form, MainFormText);
    TFakeControl& button = Control("Button1");
    EXPECT_EQ(button.NameAtParent(), "Button1");
    EXPECT_TRUE(button.FieldSetAtParent());
    EXPECT_EQ(button.CaptionAtParent(), "");
    EXPECT_TRUE(button.CaptionSetWhileReading());
}

TEST_F(FormReader, PropertiesOfEveryKindIncludingSubObjects) {
    ReadRootComponentFromText(form, MainFormText);
    EXPECT_EQ(form.Caption(), "Main");
    EXPECT_EQ(form.Color(), FakeRed);
    TFakeControl& b = Control("Button1");
    EXPECT_EQ(b.Left(), 8);
    EXPECT_FALSE(b.Visible());
    EXPECT_EQ(b.Align(), TFakeControl::alTop);
    EXPECT_EQ(b.Anchors(), 0b1001u);
    EXPECT_EQ(b.Caption(), "OK");
    EXPECT_EQ(b.Font()->Name(), "Tahoma");
    EXPECT_EQ(b.Font()->Style(), 0b101u);
    EXPECT_EQ(b.Font()->Color(), FakeRed);
    EXPECT_EQ(b.Items(), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(b.Lines()->ToVector(), std::vector<std::string>{"first"});
    EXPECT_EQ(b.Data(), (std::vector<uint8_t>{0x0A, 0x0B, 0x0C}));
    EXPECT_EQ(Control("Panel1").Align(), TFakeControl::alClient);
    EXPECT_EQ(static_cast<TFakeControl*>(form.Components(3))->Left(), 3);
}

TEST_F(FormReader, EventsAreBoundToTheRootThatReadThem) {
    TFakeForm other;
    ReadRootComponentFromText(form, MainFormText);
    ReadRootComponentFromText(other, MainFormText);
    TFakeControl& button = Control("Button1");
    ASSERT_TRUE(button.OnClick);
    button.OnClick(&button);
    EXPECT_EQ(form.clicks, 1);
    EXPECT_EQ(form.lastSender, &button);
    EXPECT_EQ(other.clicks, 0);
    EXPECT_FALSE(Control("Button2").OnClick);
}

TEST_F(FormReader, ReferencesResolveToComponentsDeclaredLaterAndToTheRoot) {
    ReadRootComponentFromText(form, MainFormText);
    EXPECT_EQ(Control("Button1").Buddy(), &Control("Button2"));
    EXPECT_EQ(Control("Button2").Buddy(), &Control("Button1"));
    EXPECT_EQ(Control("Button1").Target(), &form);
    EXPECT_EQ(form.ActiveControl(), &Control("Button2"));
}

TEST_F(FormReader, NilClearsAReference) {
    auto* existing = new TFakeControl(&form);
    form.SetActiveControl(existing);
    ReadRootComponentFromText(form, "object F: TFakeForm\n  ActiveControl = nil\nend\n");
    EXPECT_EQ(form.ActiveControl(), nullptr);
}

TEST_F(FormReader, LoadedRunsOnceEverythingIsReadRootFirstThenInCreationOrder) {
    ReadRootComponentFromText(form, MainFormText);
    EXPECT_EQ(LoadedLog(), (std::vector<std::string>{"MainForm loading", "Button1 loading", "Panel1 loading",
                                                     "Button2 loading", "TFakeControl loading"}));
    EXPECT_EQ(Control("Button1").BuddyAtLoaded(), &Control("Button2"));
    EXPECT_EQ(form.ComponentState(), 0u);
    for (TComponent* c : form.ComponentList()) EXPECT_EQ(c->ComponentState(), 0u) << c->Name();
}

TEST_F(FormReader, TreeBuiltInCodeReadsAndReportsErrorsWithoutLineNumbers) {
    TFormObject tree{"Built", "TFakeForm"};
    TFormObject button{"Button1", "TFakeControl"};
    button.Properties.push_back({"Caption", TFormValue::String("Made")});
    tree.Children.push_back(button);
    ReadRootComponent(form, tree);
    EXPECT_EQ(Control("Button1").Caption(), "Made");

    TFakeForm second;
    tree.Children[0].Properties.push_back({"Bogus", TFormValue::Integer(1)});
    try {
        ReadRootComponent(second, tree);
        FAIL() << "unknown property accepted";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Error reading Button1.Bogus: Property Bogus does not exist");
    }
}

TEST_F(FormReader, ComponentsCreatedBeforeAnErrorStayWithTheRoot) {
    const std::string text =
        "object F: TFakeForm\n"
        "  object Button1: TFakeControl\n"
        "  end\n"
        "  object Panel1: TFakePanel\n"
        "    Bogus = 1\n"
        "  end\n"
        "end\n";
    EXPECT_THROW(ReadRootComponentFromText(form, text), EReadError);
    ASSERT_EQ(form.ComponentCount(), 2);
    EXPECT_EQ(form.Components(1)->Owner(), &form);
    EXPECT_TRUE(LoadedLog().empty());
}

TEST_F(FormReader, ObjectErrorsNameTheObjectAndLine) {
    EXPECT_EQ(ReadError("object F: TOtherForm\nend\n"), "Error reading F: Form data is for TOtherForm, not TFakeForm (line 1)");
    EXPECT_EQ(ReadError("object F: tfakeform\nend\n"), "read");
    EXPECT_EQ(ReadError("object F: TFakeForm\n  object X1: TNope\n  end\nend\n"),
              "Error reading X1: Class TNope not found (line 2)");
    EXPECT_EQ(ReadError("object F: TFakeForm\n  object L1: TStringList\n  end\nend\n"),
              "Error reading L1: Class TStringList cannot be created (line 2)");
    EXPECT_EQ(ReadError("object F: TFakeForm\n  object Button1: TFakeControl\n  end\n  object BUTTON1: TFakePanel\n  end\nend\n"),
              "Error reading BUTTON1: A component named BUTTON1 already exists (line 4)");
    EXPECT_EQ(ReadError("object F: TFakeForm\n  object Panel1: TFakeControl\n  end\nend\n"),
              "Error reading Panel1: Field Panel1 of TFakeForm cannot hold a TFakeControl (line 2)");
    EXPECT_EQ(ReadError("object F: TFakeForm\n  inherited Button1: TFakeControl\n  end\nend\n"),
              "Error reading Button1: Inherited and inline objects are not supported (line 2)");
}

TEST_F(FormReader, PropertyErrorsNameComponentPropertyAndLine) {
    EXPECT_EQ(ReadError("object F: TFakeForm\n  Nope = 1\nend\n"), "Error reading F.Nope: Property Nope does not exist (line 2)");
    EXPECT_EQ(ReadError(ButtonForm("    Foo = 1\n")), "Error reading Button1.Foo: Property Foo does not exist (line 3)");
    EXPECT_EQ(ReadError(ButtonForm("    Font.Nope = 1\n")),
              "Error reading Button1.Font.Nope: Property Nope does not exist (line 3)");
    EXPECT_EQ(ReadError(ButtonForm("    Nope.Name = 'x'\n")),
              "Error reading Button1.Nope.Name: Property Nope does not exist (line 3)");
    EXPECT_EQ(ReadError(ButtonForm("    Left.Name = 'x'\n")),
              "Error reading Button1.Left.Name: Invalid property path (line 3)");
    EXPECT_EQ(ReadError(ButtonForm("    Buddy.Caption = 'x'\n")),
              "Error reading Button1.Buddy.Caption: Invalid property path (line 3)");
    EXPECT_EQ(ReadError(ButtonForm("    Handle = 5\n")), "Error reading Button1.Handle: Property Handle is read-only (line 3)");
    EXPECT_EQ(ReadError(ButtonForm("    Font = 'Arial'\n")), "Error reading Button1.Font: Property Font is read-only (line 3)");
    EXPECT_EQ(ReadError("object F: TFakeForm\n  object TFakeControl\n    Foo = 1\n  end\nend\n"),
              "Error reading TFakeControl.Foo: Property Foo does not exist (line 3)");
}

TEST_F(FormReader, ValuesOfTheWrongKindOrUnknownNamesAreInvalid) {
    const std::string invalid = "Invalid property value (line 3)";
    EXPECT_EQ(ReadError(ButtonForm("    Left = 'x'\n")), "Error reading Button1.Left: " + invalid);
    EXPECT_EQ(ReadError(ButtonForm("    Left = 1.5\n")), "Error reading Button1.Left: " + invalid);
    EXPECT_EQ(ReadError(ButtonForm("    Left = clNoSuchColour\n")), "Error reading Button1.Left: " + invalid);
    EXPECT_EQ(ReadError(ButtonForm("    Caption = 5\n")), "Error reading Button1.Caption: " + invalid);
    EXPECT_EQ(ReadError(ButtonForm("    Visible = 1\n")), "Error reading Button1.Visible: " + invalid);
    EXPECT_EQ(ReadError(ButtonForm("    Visible = Maybe\n")), "Error reading Button1.Visible: " + invalid);
    EXPECT_EQ(ReadError(ButtonForm("    Align = alBottom\n")), "Error reading Button1.Align: " + invalid);
    EXPECT_EQ(ReadError(ButtonForm("    Anchors = [akLeft, akNowhere]\n")), "Error reading Button1.Anchors: " + invalid);
    EXPECT_EQ(ReadError(ButtonForm("    Anchors = akLeft\n")), "Error reading Button1.Anchors: " + invalid);
    EXPECT_EQ(ReadError(ButtonForm("    Items = ('a' 1)\n")), "Error reading Button1.Items: " + invalid);
    EXPECT_EQ(ReadError(ButtonForm("    Items = 'a'\n")), "Error reading Button1.Items: " + invalid);
    EXPECT_EQ(ReadError(ButtonForm("    Data = 'a'\n")), "Error reading Button1.Data: " + invalid);
    EXPECT_EQ(ReadError(ButtonForm("    Buddy = 'Button1'\n")), "Error reading Button1.Buddy: " + invalid);
    EXPECT_EQ(ReadError(ButtonForm("    OnClick = 'ButtonClick'\n")), "Error reading Button1.OnClick: " + invalid);
}

TEST_F(FormReader, EventsNeedAnExistingMethodOfTheRightSignature) {
    EXPECT_EQ(ReadError(ButtonForm("    OnClick = NoSuchHandler\n")),
              "Error reading Button1.OnClick: Method NoSuchHandler does not exist in TFakeForm (line 3)");
    EXPECT_EQ(ReadError(ButtonForm("    OnClick = FormShow\n")),
              "Error reading Button1.OnClick: Invalid property value (line 3)");
    EXPECT_EQ(ReadError(ButtonForm("    OnClick = buttonclick\n")), "read");
}

TEST_F(FormReader, ReferencesMustNameAComponentOfTheRightClass) {
    EXPECT_EQ(ReadError(ButtonForm("    Buddy = Ghost\n")), "Error reading Button1.Buddy: Component Ghost not found (line 3)");
    EXPECT_EQ(ReadError(ButtonForm("    Buddy = F\n")), "Error reading Button1.Buddy: F is not a TFakeControl (line 3)");
    EXPECT_EQ(ReadError(ButtonForm("    Buddy = Other.Button1\n")),
              "Error reading Button1.Buddy: Component Other.Button1 not found (line 3)");
}

TEST_F(FormReader, MalformedTextIsAReadError) {
    std::string message = ReadError("object F: TFakeForm\n  Caption = 'unterminated\nend\n");
    EXPECT_EQ(message.rfind("Line 2: ", 0), 0u) << message;
}

}  // namespace
}  // namespace velloran
