// The play level saves its two machines after the level's own record.
#include "game/MyGame_BaseLevelClass.h"
#include "tests/framework/Framework_RoundTrip.h"

namespace
{
TEST(PlayLevelSaveTest, TheMachinesStatesComeBackWithTheLevel)
{
    auto* level = new BaseLevelClass();
    level->SetName("BaseLevel");
    level->GetTutorialMachine()->Update(0.5f);
    level->GetTutorialMachine()->Update(0.5f);
    level->GetFadeInMachine()->Update(0.1f);
    const u32 tutorialState = level->GetTutorialMachine()->GetCurrentIndex();
    const Core::RefPtr<BaseLevelClass> loaded = FrameworkTest::RoundTrip(level);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetName(), "BaseLevel");
    EXPECT_EQ(loaded->GetTutorialMachine()->GetCurrentIndex(), tutorialState);
    EXPECT_EQ(loaded->GetFadeInMachine()->GetCurrentIndex(), 1u);
}
}  // namespace
