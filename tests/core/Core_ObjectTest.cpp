#include "core/Core_Object.h"

#include <gtest/gtest.h>

namespace
{
struct Tracked : Core::Object
{
    static int destroyed;
    ~Tracked() override { ++destroyed; }
};
int Tracked::destroyed = 0;

class Registered : public Core::Object
{
    CORE_CLASS(Registered)
};
CORE_REGISTER_CLASS(Registered, "Test::Registered")

Core::Object* CreateImpostor()
{
    return new Registered();
}
} // namespace

// Outside the unnamed namespace, as a class that is never instantiated would otherwise have its
// name function reported unused.
class RegisteredLater : public Core::Object
{
    CORE_CLASS(RegisteredLater)
};
CORE_REGISTER_CLASS_WITH_CREATE(RegisteredLater, "Test::RegisteredLater")
Core::Object* RegisteredLater::Create()
{
    return nullptr;
}

namespace
{
class RefPtrTest : public ::testing::Test
{
protected:
    void SetUp() override { Tracked::destroyed = 0; }
};

TEST_F(RefPtrTest, ReleasingTheOnlyReferenceDeletesOnce)
{
    {
        Core::RefPtr<Tracked> only(new Tracked());
        EXPECT_EQ(only->GetReferenceCount(), 1u);
    }
    EXPECT_EQ(Tracked::destroyed, 1);
}

TEST_F(RefPtrTest, CopiesShareOneObjectDeletedByTheLastRelease)
{
    Core::RefPtr<Tracked> first(new Tracked());
    Core::RefPtr<Tracked> second = first;
    Core::RefPtr<Core::Object> widened = second;
    EXPECT_EQ(first->GetReferenceCount(), 3u);
    first.Reset();
    second = nullptr;
    EXPECT_EQ(Tracked::destroyed, 0);
    widened.Reset();
    EXPECT_EQ(Tracked::destroyed, 1);
}

TEST_F(RefPtrTest, SelfAssignmentAndMovesKeepTheCount)
{
    Core::RefPtr<Tracked> held(new Tracked());
    Core::RefPtr<Tracked>& alias = held;
    held = alias;
    held = held.Get();
    EXPECT_EQ(held->GetReferenceCount(), 1u);
    Core::RefPtr<Tracked> moved = std::move(held);
    EXPECT_EQ(held.Get(), nullptr);
    EXPECT_EQ(moved->GetReferenceCount(), 1u);
    Core::RefPtr<Tracked>& movedAlias = moved;
    moved = std::move(movedAlias);
    EXPECT_EQ(Tracked::destroyed, 0);
}

TEST_F(RefPtrTest, CopyConstructedObjectStartsUnreferenced)
{
    Core::RefPtr<Tracked> source(new Tracked());
    Core::RefPtr<Tracked> another = source;
    Tracked copy(*source);
    EXPECT_EQ(copy.GetReferenceCount(), 0u);
    copy = *source;
    EXPECT_EQ(copy.GetReferenceCount(), 0u);
    EXPECT_EQ(source->GetReferenceCount(), 2u);
}

TEST(ObjectTest, BaseObjectOperations)
{
    Core::RefPtr<Core::Object> object(Core::Object::Create());
    EXPECT_STREQ(object->GetClassName(), "Object");
    EXPECT_EQ(object->GetSize(), sizeof(Core::Object));
    EXPECT_EQ(object->GetScript(), nullptr);
    object->PushToScript(nullptr); // no script glue: nothing happens
    Core::RefPtr<Core::Object> clone(object->Clone());
    EXPECT_NE(clone.Get(), object.Get());
    EXPECT_STREQ(clone->GetClassName(), "Object");
    EXPECT_EQ(clone->GetReferenceCount(), 1u);
}

TEST(ObjectTest, RegisteredClassNamesAndSizesItself)
{
    Core::RefPtr<Core::Object> object(Core::CreateObjectByName("Test::Registered"));
    ASSERT_NE(object.Get(), nullptr);
    EXPECT_NE(dynamic_cast<Registered*>(object.Get()), nullptr);
    EXPECT_STREQ(object->GetClassName(), "Test::Registered");
    EXPECT_EQ(object->GetSize(), sizeof(Registered));
}

TEST(ClassRegistryTest, UnknownNameGivesNullAndIsNotInserted)
{
    Core::ClassRegistry& registry = Core::ClassRegistry::Instance();
    EXPECT_EQ(registry.Lookup("Test::NeverRegistered"), nullptr);
    EXPECT_EQ(Core::CreateObjectByName("Test::NeverRegistered"), nullptr);
    EXPECT_EQ(registry.Lookup("Test::NeverRegistered"), nullptr);
    EXPECT_EQ(Core::CreateObjectByName(nullptr), nullptr);
    EXPECT_EQ(Core::CreateObjectByName(""), nullptr);
}

TEST(ClassRegistryTest, FirstRegistrationWins)
{
    Core::ClassRegistry& registry = Core::ClassRegistry::Instance();
    const Core::ClassRegistration& kept = registry.Register("Object", &CreateImpostor);
    EXPECT_EQ(kept.create, &Core::Object::Create);
    EXPECT_EQ(&Core::RegisterObjectClass(), &kept) << "the object class is registered before the program entry";
    Core::RefPtr<Core::Object> object(Core::CreateObjectByName("Object"));
    ASSERT_NE(object.Get(), nullptr);
    EXPECT_EQ(dynamic_cast<Registered*>(object.Get()), nullptr) << "still a plain Core::Object";
}

TEST(ClassRegistryTest, ClassWithoutCreationIsKnownButCreatesNothing)
{
    const Core::ClassRegistration* registration = Core::ClassRegistry::Instance().Lookup("Test::RegisteredLater");
    ASSERT_NE(registration, nullptr);
    EXPECT_STREQ(registration->name, "Test::RegisteredLater");
    EXPECT_EQ(Core::CreateObjectByName("Test::RegisteredLater"), nullptr);
}

TEST(ClassRegistryTest, NamesAreComparedByContentAndPrefixesAreDistinct)
{
    Core::ClassRegistry& registry = Core::ClassRegistry::Instance();
    const char prefix[] = "Test::Registe";
    const char copy[] = "Test::Registered";
    EXPECT_EQ(registry.Lookup(prefix), nullptr);
    const Core::ClassRegistration* found = registry.Lookup(copy);
    ASSERT_NE(found, nullptr);
    EXPECT_NE(found->name, copy) << "found by content, not by address";
    registry.Register("Test::\xC3\xA9", nullptr);
    registry.Register("Test::a", nullptr);
    EXPECT_NE(registry.Lookup("Test::\xC3\xA9"), nullptr);
    EXPECT_NE(registry.Lookup("Test::a"), nullptr);
}
} // namespace
