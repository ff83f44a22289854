// Event lists of member-function callbacks as GUI::Control::AddHandler fills them: one entry per
// (target, member function), called in the order of adding, owned and deleted through their base.
#include "gui/GUI_Control.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

namespace
{
struct Sender
{
    int id = 0;
};

struct MouseRecord
{
    int button = 0;
};

class Owner
{
public:
    Owner(std::vector<std::string>& log, const char* name) : log(log), name(name) {}

    void OnClick(Sender* sender) { log.push_back(name + "click" + std::to_string(sender->id)); }
    void OnOther(Sender* sender) { log.push_back(name + "other" + std::to_string(sender->id)); }
    void OnMouse(Sender* sender, const MouseRecord* record)
    {
        log.push_back(name + "mouse" + std::to_string(sender->id) + "/" + std::to_string(record->button));
    }

private:
    std::vector<std::string>& log;
    std::string name;
};

static_assert(std::has_virtual_destructor_v<GUI::MemberFunctionBase1Param<Sender*>>);
static_assert(std::has_virtual_destructor_v<GUI::MemberFunctionBase2Param<Sender*, const MouseRecord*>>);
} // namespace

TEST(MemberFunctionTest, ASecondAddOfTheSameBindingIsIgnoredAndEntriesRunInOrder)
{
    std::vector<std::string> log;
    Owner first(log, "a:");
    Owner second(log, "b:");
    GUI::EventList1Param<Sender*> clicks;
    EXPECT_TRUE(GUI::Control::AddHandler(clicks, &first, &Owner::OnClick));
    EXPECT_FALSE(GUI::Control::AddHandler(clicks, &first, &Owner::OnClick));
    EXPECT_TRUE(GUI::Control::AddHandler(clicks, &second, &Owner::OnClick));
    EXPECT_TRUE(GUI::Control::AddHandler(clicks, &first, &Owner::OnOther));
    EXPECT_FALSE(GUI::Control::AddHandler(clicks, static_cast<Owner*>(nullptr), &Owner::OnClick));
    EXPECT_EQ(clicks.GetCount(), 3u);

    Sender button{7};
    clicks.Raise(&button);
    EXPECT_EQ(log, (std::vector<std::string>{"a:click7", "b:click7", "a:other7"}));
}

TEST(MemberFunctionTest, MouseRecordCallbacksReceiveTheControlAndTheRecord)
{
    std::vector<std::string> log;
    Owner owner(log, "");
    GUI::EventList2Param<Sender*, const MouseRecord*> downs;
    EXPECT_TRUE(GUI::Control::AddHandler(downs, &owner, &Owner::OnMouse));
    EXPECT_FALSE(GUI::Control::AddHandler(downs, &owner, &Owner::OnMouse));
    Sender control{3};
    const MouseRecord record{2};
    downs.Raise(&control, &record);
    EXPECT_EQ(log, (std::vector<std::string>{"mouse3/2"}));
}

namespace
{
// Adds a further callback to its own list while the list is being raised.
class Grower
{
public:
    explicit Grower(GUI::EventList1Param<Sender*>& list) : list(list) {}
    void First(Sender*)
    {
        ++calls;
        GUI::Control::AddHandler(list, this, &Grower::Second);
    }
    void Second(Sender*) { ++calls; }

    GUI::EventList1Param<Sender*>& list;
    int calls = 0;
};
} // namespace

TEST(MemberFunctionTest, AnEntryAddedWhileRaisingRunsInTheSameRaise)
{
    GUI::EventList1Param<Sender*> list;
    Grower grower(list);
    GUI::Control::AddHandler(list, &grower, &Grower::First);
    Sender sender;
    list.Raise(&sender);
    EXPECT_EQ(grower.calls, 2);
    EXPECT_EQ(list.GetCount(), 2u);
}
