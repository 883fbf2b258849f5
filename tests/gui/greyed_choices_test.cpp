#include <QMenu>

#include "app/window/object_names.h"
#include "tests/gui/main_window_fixture.h"

namespace orvex::test {
namespace {

class GreyedChoices : public MainWindowTest {
protected:
    // Whether the choice tells on hover only what any action of its text does.
    bool TellsOnlyItsText(const char* name) const {
        QAction* action = Action(name);
        return action->toolTip() == QAction(action->text()).toolTip();
    }
};

TEST_F(GreyedChoices, SayWhyOnHoverWhileTheyAreGreyed) {
    for (const char* menu : {object_name::kFileMenu, object_name::kSettingsMenu}) {
        EXPECT_TRUE(Find<QMenu>(menu)->toolTipsVisible()) << menu;
    }
    EXPECT_FALSE(Action(object_name::kSavePngAction)->isEnabled());
    EXPECT_EQ(Action(object_name::kSavePngAction)->toolTip(),
              "Nothing is charted: open a log and choose a channel");
    EXPECT_EQ(Action(object_name::kSaveSvgAction)->toolTip(),
              Action(object_name::kSavePngAction)->toolTip());
    EXPECT_EQ(Action(object_name::kDisconnectAction)->toolTip(), "Not connected to a TNC");
    EXPECT_EQ(Action(object_name::kExportDataAction)->toolTip(),
              "Open a log first; not while one is read");
    EXPECT_TRUE(TellsOnlyItsText(object_name::kOpenAction));

    // Once it can be chosen, a choice tells nothing beside its text.
    OpenLog(TlmFrame(kDecemberAfternoon, 0) + TlmFrame(kDecemberAfternoon + 60, 1));
    ASSERT_TRUE(Action(object_name::kSavePngAction)->isEnabled());
    EXPECT_TRUE(TellsOnlyItsText(object_name::kSavePngAction));
    EXPECT_TRUE(TellsOnlyItsText(object_name::kExportDataAction));
    EXPECT_EQ(Action(object_name::kDisconnectAction)->toolTip(), "Not connected to a TNC");
}

}  // namespace
}  // namespace orvex::test
