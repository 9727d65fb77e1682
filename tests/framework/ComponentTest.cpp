// Ownership, notifications, property access by name and text lists.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Classes.h"

namespace velloran {
namespace {

const TEnumInfo ShapeEnum{{"stCircle", "stSquare", "stTriangle"}};
const TEnumInfo SideEnum{{"sdLeft", "sdTop", "sdRight", "sdBottom"}};

// A component that logs its destruction and holds a reference it keeps valid.
class TProbe : public TComponent {
    VELLORAN_CLASS(TProbe)
public:
    enum TShape { stCircle, stSquare, stTriangle };

    TProbe(TComponent* owner, std::vector<std::string>* log = nullptr) : TComponent(owner), log_(log) {}
    ~TProbe() override {
        if (log_) log_->push_back(Name() + (HasState(csDestroying) ? " destroying" : " alive"));
    }

    int32_t Count() const { return count_; }
    void SetCount(int32_t value) { count_ = value; }
    int32_t Version() const { return 7; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    TShape Shape() const { return shape_; }
    void SetShape(TShape value) { shape_ = value; }
    uint32_t Sides() const { return sides_; }
    void SetSides(uint32_t value) { sides_ = value; }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value) { caption_ = value; }
    std::vector<std::string> Items() const { return items_; }
    void SetItems(const std::vector<std::string>& value) { items_ = value; }
    TProbe* Buddy() const { return buddy_; }
    void SetBuddy(TProbe* value) {
        if (buddy_) RemoveFreeNotification(buddy_);
        buddy_ = value;
        if (buddy_) buddy_->FreeNotification(this);
    }
    int Notifications() const { return notifications_; }

    std::function<void(TObject*)> OnChange;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation != TOperation::Remove) return;
        ++notifications_;
        if (component == buddy_) buddy_ = nullptr;
    }

private:
    std::vector<std::string>* log_;
    int32_t count_ = 0;
    bool enabled_ = false;
    TShape shape_ = stCircle;
    uint32_t sides_ = 0;
    std::string caption_;
    std::vector<std::string> items_;
    TProbe* buddy_ = nullptr;
    int notifications_ = 0;
};

const TClassInfo& TProbe::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TProbe>(
        "TProbe", &TComponent::StaticClassInfo(),
        {props::Int("Count", &TProbe::Count, &TProbe::SetCount),
         props::Int("Version", &TProbe::Version, nullptr),
         props::Bool("Enabled", &TProbe::Enabled, &TProbe::SetEnabled),
         props::Enum("Shape", ShapeEnum, &TProbe::Shape, &TProbe::SetShape),
         props::Set("Sides", SideEnum, &TProbe::Sides, &TProbe::SetSides),
         props::String("Caption", &TProbe::Caption, &TProbe::SetCaption),
         props::Lines("Items", &TProbe::Items, &TProbe::SetItems),
         props::Reference("Buddy", &TProbe::Buddy, &TProbe::SetBuddy),
         props::Event("OnChange", &TProbe::OnChange)});
    return info;
}

TEST(ComponentOwnership, OwnerListsChildrenInCreationOrder) {
    TComponent owner(nullptr);
    auto* a = new TProbe(&owner);
    auto* b = new TProbe(&owner);
    EXPECT_EQ(owner.ComponentCount(), 2);
    EXPECT_EQ(owner.Components(0), a);
    EXPECT_EQ(owner.Components(1), b);
    EXPECT_EQ(b->Owner(), &owner);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(owner.ComponentIndex(), -1);

    delete a;  // leaves the owner's list on its own
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(b->ComponentIndex(), 0);
}

TEST(ComponentOwnership, InsertComponentMovesBetweenOwners) {
    TComponent first(nullptr), second(nullptr);
    auto* probe = new TProbe(&first);
    second.InsertComponent(probe);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(second.ComponentCount(), 1);
    EXPECT_EQ(probe->Owner(), &second);
}

TEST(ComponentOwnership, DestroyComponentsFreesLastCreatedFirst) {
    std::vector<std::string> log;
    TComponent owner(nullptr);
    for (const char* name : {"A", "B", "C"}) (new TProbe(&owner, &log))->SetName(name);
    owner.DestroyComponents();
    EXPECT_EQ(log, (std::vector<std::string>{"C alive", "B alive", "A alive"}));
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(ComponentOwnership, DestroyingOwnerMarksAllOwnedComponentsFirst) {
    std::vector<std::string> log;
    auto* owner = new TComponent(nullptr);
    auto* a = new TProbe(owner, &log);
    a->SetName("A");
    (new TProbe(a, &log))->SetName("A1");
    (new TProbe(owner, &log))->SetName("B");
    delete owner;
    // A's own destructor body runs before it frees what it owns.
    EXPECT_EQ(log, (std::vector<std::string>{"B destroying", "A destroying", "A1 destroying"}));
}

TEST(ComponentOwnership, FindComponentIgnoresCase) {
    TComponent owner(nullptr);
    auto* probe = new TProbe(&owner);
    probe->SetName("OkButton");
    EXPECT_EQ(owner.FindComponent("okbutton"), probe);
    EXPECT_EQ(owner.FindComponent("OKBUTTON"), probe);
    EXPECT_EQ(owner.FindComponent("OkButton2"), nullptr);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
    (new TProbe(&owner))->SetName("");  // unnamed components are never found
    EXPECT_EQ(owner.FindComponent(""), nullptr);
}

TEST(ComponentNotification, ReferenceInAnotherOwnerIsClearedWhenTargetGoes) {
    TComponent holderOwner(nullptr), targetOwner(nullptr);
    auto* holder = new TProbe(&holderOwner);
    auto* target = new TProbe(&targetOwner);
    holder->SetBuddy(target);
    delete target;
    EXPECT_EQ(holder->Buddy(), nullptr);
    EXPECT_EQ(holder->Notifications(), 1);
}

TEST(ComponentNotification, HolderGoingFirstLeavesNoDanglingRegistration) {
    TComponent owner(nullptr);
    auto* holder = new TProbe(nullptr);
    auto* target = new TProbe(&owner);
    holder->SetBuddy(target);
    delete holder;
    delete target;  // must not notify the deleted holder (the sanitizer build sees it)
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(ComponentNotification, RemovedRegistrationIsNotNotified) {
    auto* target = new TProbe(nullptr);
    TProbe holder(nullptr);
    holder.SetBuddy(target);
    holder.SetBuddy(nullptr);
    delete target;
    EXPECT_EQ(holder.Notifications(), 0);
}

TEST(ComponentNotification, SiblingsHearOfRemovalWithoutRegistering) {
    TComponent owner(nullptr);
    auto* watcher = new TProbe(&owner);
    auto* other = new TProbe(&owner);
    delete other;
    EXPECT_EQ(watcher->Notifications(), 1);
}

TEST(ComponentState, LoadedClearsOnlyLoading) {
    TComponent c(nullptr);
    c.SetState(csLoading, true);
    c.SetState(csReading, true);
    c.Loaded();
    EXPECT_FALSE(c.HasState(csLoading));
    EXPECT_TRUE(c.HasState(csReading));
}

TEST(ClassInfo, LooksUpInheritedPropertiesIgnoringCase) {
    const TClassInfo& info = TProbe::StaticClassInfo();
    EXPECT_TRUE(info.InheritsFrom(TComponent::StaticClassInfo()));
    EXPECT_FALSE(TComponent::StaticClassInfo().InheritsFrom(info));
    ASSERT_NE(info.FindProp("tag"), nullptr);
    EXPECT_EQ(info.FindProp("tag")->Name, "Tag");
    EXPECT_EQ(info.FindProp("Missing"), nullptr);
    std::vector<const TPropInfo*> all = info.AllProps();
    ASSERT_GE(all.size(), 3u);
    EXPECT_EQ(all[0]->Name, "Name");
    EXPECT_EQ(all[1]->Name, "Tag");
    EXPECT_EQ(all[2]->Name, "Count");
}

TEST(ClassInfo, RegistryCreatesRegisteredClassesByName) {
    RegisterComponentClass(TProbe::StaticClassInfo());
    const TClassInfo* found = FindClass("tprobe");
    ASSERT_NE(found, nullptr);
    ASSERT_TRUE(found->Create);
    TComponent owner(nullptr);
    TComponent* made = found->Create(&owner);
    EXPECT_EQ(made->ClassName(), "TProbe");
    EXPECT_EQ(made->Owner(), &owner);
    EXPECT_FALSE(TStrings::StaticClassInfo().Create);
    EXPECT_EQ(FindClass("TNoSuchClass"), nullptr);
    try {
        GetClass("TNoSuchClass");
        FAIL() << "GetClass accepted an unknown class";
    } catch (const EPropertyError& e) {
        EXPECT_STREQ(e.what(), "Class TNoSuchClass not found");
    }
}

class PropertyAccess : public ::testing::Test {
protected:
    TComponent owner{nullptr};
    TProbe& probe = *new TProbe(&owner);
};

TEST_F(PropertyAccess, TextRoundTripsForEveryTextualKind) {
    SetPropText(probe, "Count", "-42");
    EXPECT_EQ(probe.Count(), -42);
    EXPECT_EQ(GetPropText(probe, "count"), "-42");
    SetPropText(probe, "Count", "$1F");
    EXPECT_EQ(probe.Count(), 31);
    SetPropText(probe, "Enabled", "true");
    EXPECT_TRUE(probe.Enabled());
    EXPECT_EQ(GetPropText(probe, "Enabled"), "True");
    SetPropText(probe, "Shape", "stTriangle");
    EXPECT_EQ(probe.Shape(), TProbe::stTriangle);
    EXPECT_EQ(GetPropText(probe, "Shape"), "stTriangle");
    SetPropText(probe, "Sides", "[sdTop, sdBottom]");
    EXPECT_EQ(probe.Sides(), 0b1010u);
    EXPECT_EQ(GetPropText(probe, "Sides"), "[sdTop,sdBottom]");
    SetPropText(probe, "Caption", "Hello");
    EXPECT_EQ(GetPropText(probe, "Caption"), "Hello");
    SetPropText(probe, "Items", "one\ntwo");
    EXPECT_EQ(probe.Items(), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(GetPropText(probe, "Items"), "one\r\ntwo\r\n");
    EXPECT_EQ(GetPropText(probe, "Missing"), "");
}

TEST_F(PropertyAccess, IntegerTextMayNameAConstant) {
    RegisterIntegerConstant("clProbeTeal", 0x808000);
    SetPropText(probe, "Count", "CLPROBETEAL");
    EXPECT_EQ(probe.Count(), 0x808000);
}

TEST_F(PropertyAccess, BadTextIsRejectedWithAReason) {
    auto message = [&](std::string_view prop, std::string_view text) {
        try {
            SetPropText(probe, prop, text);
        } catch (const EPropertyError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(message("Missing", "1"), "Property Missing does not exist");
    EXPECT_EQ(message("Version", "1"), "Property Version is read-only");
    EXPECT_EQ(message("Count", "12x"), "'12x' is not a valid integer value");
    EXPECT_EQ(message("Count", ""), "'' is not a valid integer value");
    EXPECT_EQ(message("Shape", "stHexagon"), "Invalid property value");
    EXPECT_EQ(message("Sides", "[sdLeft,sdMiddle]"), "Invalid property value");
    EXPECT_EQ(message("Sides", "sdLeft"), "Invalid property value");
    EXPECT_EQ(message("Buddy", "Other"), "Invalid property type: Buddy");
    EXPECT_EQ(probe.Count(), 0);
}

TEST_F(PropertyAccess, OrdinalsAndEnumText) {
    probe.SetCount(5);
    probe.SetShape(TProbe::stSquare);
    probe.SetSides(0b0101);
    EXPECT_EQ(GetPropOrd(probe, "Count"), 5);
    EXPECT_EQ(GetPropOrd(probe, "Shape"), 1);
    EXPECT_EQ(GetPropOrd(probe, "Sides"), 0b0101);
    EXPECT_EQ(GetPropOrd(probe, "Caption"), -1);
    EXPECT_EQ(GetPropOrd(probe, "Missing"), -1);
    EXPECT_EQ(GetPropEnumText(probe, "Shape"), "stSquare");
    EXPECT_EQ(GetPropEnumText(probe, "Count"), "");
    SetPropOrd(probe, "Shape", 2);
    EXPECT_EQ(probe.Shape(), TProbe::stTriangle);
    EXPECT_THROW(SetPropOrd(probe, "Caption", 1), EPropertyError);
}

TEST_F(PropertyAccess, ObjectsAreFilteredByClass) {
    auto* other = new TProbe(&owner);
    other->SetName("Other");
    probe.SetBuddy(other);
    EXPECT_EQ(GetPropObject(probe, "Buddy"), other);
    EXPECT_EQ(GetPropObject(probe, "Buddy", &TComponent::StaticClassInfo()), other);
    EXPECT_EQ(GetPropObject(probe, "Buddy", &TStrings::StaticClassInfo()), nullptr);
    EXPECT_EQ(GetPropObject(probe, "Caption"), nullptr);
    EXPECT_EQ(GetPropText(probe, "Buddy"), "Other");
}

TEST_F(PropertyAccess, EventsMustHaveTheEventsSignature) {
    int calls = 0;
    SetPropEvent(probe, "OnChange", std::function<void(TObject*)>([&](TObject*) { ++calls; }));
    ASSERT_TRUE(probe.OnChange);
    probe.OnChange(&probe);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(GetPropEvent(probe, "OnChange").has_value());
    EXPECT_THROW(SetPropEvent(probe, "OnChange", std::function<void()>([] {})), EPropertyError);
    EXPECT_THROW(SetPropEvent(probe, "Caption", std::function<void(TObject*)>()), EPropertyError);
    SetPropEvent(probe, "OnChange", std::any());
    EXPECT_FALSE(probe.OnChange);
}

TEST(SetText, RoundTripsAndRejectsUnknownNames) {
    EXPECT_EQ(SetToText(SideEnum, 0), "[]");
    EXPECT_EQ(SetToText(SideEnum, 0b1001), "[sdLeft,sdBottom]");
    for (int64_t mask = 0; mask < 16; ++mask) EXPECT_EQ(TextToSet(SideEnum, SetToText(SideEnum, mask)), mask);
    EXPECT_EQ(TextToSet(SideEnum, "[ SDRIGHT , sdleft ]"), 0b0101);
    EXPECT_EQ(TextToSet(SideEnum, "[]"), 0);
    EXPECT_THROW(TextToSet(SideEnum, "[sdLeft,sdUp]"), EPropertyError);
    EXPECT_THROW(TextToSet(SideEnum, "sdLeft"), EPropertyError);
    EXPECT_THROW(TextToSet(SideEnum, ""), EPropertyError);
}

TEST(TextLists, EditingAndBounds) {
    TStringList list;
    list.Add("alpha");
    list.Add("gamma");
    list.Insert(1, "beta");
    list.Put(2, "delta");
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"alpha", "beta", "delta"}));
    EXPECT_EQ(list.IndexOf("BETA"), 1);
    EXPECT_EQ(list.IndexOf("omega"), -1);
    list.Delete(0);
    EXPECT_EQ(list[0], "beta");
    EXPECT_THROW(list.Get(2), std::out_of_range);
    EXPECT_THROW(list.Insert(3, "x"), std::out_of_range);
    EXPECT_THROW(list.Delete(-1), std::out_of_range);
    list.Insert(2, "end");  // one past the last is a valid insertion point
    EXPECT_EQ(list.Count(), 3);

    TStringList copy;
    copy.Add("old");
    copy.Assign(list);
    EXPECT_EQ(copy.ToVector(), list.ToVector());
}

TEST(TextLists, TextEndsEveryLineWithCrLf) {
    TStringList list;
    EXPECT_EQ(list.Text(), "");
    list.Add("a");
    list.Add("");
    list.Add("b");
    EXPECT_EQ(list.Text(), "a\r\n\r\nb\r\n");
    list.SetText("x\r\ny");
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"x", "y"}));
    TStringList copy;
    copy.SetText(list.Text());
    EXPECT_EQ(copy.ToVector(), list.ToVector());
}

TEST(TextLists, SplitLinesBreaks) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(SplitLines(""), Lines{});
    EXPECT_EQ(SplitLines("a\r\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("a\rb"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("a\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\r\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(SplitLines("a\r"), (Lines{"a"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(SplitLines("\n"), (Lines{""}));
}

TEST(TextHelpers, SameTextIsAsciiCaseInsensitive) {
    EXPECT_TRUE(SameText("Form1", "FORM1"));
    EXPECT_FALSE(SameText("Form1", "Form"));
    EXPECT_FALSE(SameText("a[", "A{"));  // only letters fold
    EXPECT_EQ(LowerCase("MiXeD_1"), "mixed_1");
}

}  // namespace
}  // namespace velloran
