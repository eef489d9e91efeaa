// tests/native/image_window_input_test.cpp - keys, zoom steps and mouse coordinates of image windows.
#include "image/key_map.h"

#include <gtest/gtest.h>

namespace {
ImageKeyAction action(unsigned vk, bool ctrl, bool waiting = false, int *command = nullptr,
                      bool input_pending = false) {
    int ignored;
    return image_key_action(vk, ctrl, waiting, input_pending, command ? command : &ignored);
}
}  // namespace

TEST(ImageKeys, CtrlShortcutsPostTheirCommands) {
    const struct { unsigned vk; int command; } shortcuts[] = {
        {'X', 1011}, {'C', 1012}, {'V', 1014}, {'Q', 1005}, {'R', 1019}};
    for (auto s : shortcuts) {
        int command = 0;
        EXPECT_EQ(action(s.vk, true, false, &command), IMAGE_KEY_POST_COMMAND) << (char)s.vk;
        EXPECT_EQ(command, s.command) << (char)s.vk;
    }
    int command = 0;
    action('V', true, false, &command);
    EXPECT_NE(command, 1013) << "Ctrl+V pastes at the top-left corner, not at a clicked point";
}

TEST(ImageKeys, ZoomKeysAreOnTheNumericKeypadOnly) {
    EXPECT_EQ(action(0x6B, true), IMAGE_KEY_ZOOM_IN);
    EXPECT_EQ(action(0x6D, true), IMAGE_KEY_ZOOM_OUT);
    EXPECT_EQ(action(0x60, true), IMAGE_KEY_ZOOM_100);
    EXPECT_EQ(action('0', true), IMAGE_KEY_NOTHING) << "the main keyboard's 0 does nothing";
    EXPECT_EQ(action(0x6B, false), IMAGE_KEY_NOTHING);
}

TEST(ImageKeys, ExitStartAndStopKeysGoToTheMainWindowWithOrWithoutCtrl) {
    for (unsigned vk : {unsigned('X'), unsigned('S'), unsigned('C'), 0x1Bu}) {
        EXPECT_EQ(action(vk, false), IMAGE_KEY_FORWARD_MAIN) << vk;
    }
    EXPECT_EQ(action('S', true), IMAGE_KEY_FORWARD_MAIN) << "Ctrl+S is taken as S";
    EXPECT_EQ(action(0x09, false), IMAGE_KEY_TOGGLE_STRETCH);
    EXPECT_EQ(action('A', false), IMAGE_KEY_NOTHING);
}

TEST(ImageKeys, EveryKeyIsIgnoredWhileAPointToolWaits) {
    for (unsigned vk : {unsigned('X'), unsigned('S'), unsigned('V'), 0x09u, 0x6Bu, 0x1Bu}) {
        EXPECT_EQ(action(vk, false, true), IMAGE_KEY_NOTHING);
        EXPECT_EQ(action(vk, true, true), IMAGE_KEY_NOTHING);
    }
}

TEST(ImageKeys, WhileALineIsReadCtrlShortcutsPostNothingButZoomAndExitStillWork) {
    for (unsigned vk : {unsigned('X'), unsigned('C'), unsigned('V'), unsigned('Q'), unsigned('R')}) {
        int command = -1;
        EXPECT_EQ(action(vk, true, false, &command, true), IMAGE_KEY_NOTHING) << (char)vk;
        EXPECT_EQ(command, 0) << (char)vk;
    }
    EXPECT_EQ(action(0x6B, true, false, nullptr, true), IMAGE_KEY_ZOOM_IN);
    EXPECT_EQ(action(0x60, true, false, nullptr, true), IMAGE_KEY_ZOOM_100);
    EXPECT_EQ(action('X', false, false, nullptr, true), IMAGE_KEY_FORWARD_MAIN) << "Exit must stay reachable";
    EXPECT_EQ(action(0x1B, false, false, nullptr, true), IMAGE_KEY_FORWARD_MAIN);
    EXPECT_EQ(action(0x09, false, false, nullptr, true), IMAGE_KEY_TOGGLE_STRETCH);
}

TEST(ImageCommands, StartOnlyWhenNeitherAToolNorALineInputWaits) {
    EXPECT_TRUE(image_command_may_start(false, false));
    EXPECT_FALSE(image_command_may_start(true, false));
    EXPECT_FALSE(image_command_may_start(false, true));
    EXPECT_FALSE(image_command_may_start(true, true));
}

TEST(ImageWheel, CtrlWheelTowardsThePersonZoomsInAwayZoomsOut) {
    EXPECT_EQ(image_wheel_action(-120, true), IMAGE_KEY_ZOOM_IN);
    EXPECT_EQ(image_wheel_action(120, true), IMAGE_KEY_ZOOM_OUT);
    EXPECT_EQ(image_wheel_action(-1, true), IMAGE_KEY_ZOOM_IN);
    EXPECT_EQ(image_wheel_action(0, true), IMAGE_KEY_NOTHING);
    EXPECT_EQ(image_wheel_action(-120, false), IMAGE_KEY_NOTHING);
    EXPECT_EQ(image_wheel_action(120, false), IMAGE_KEY_NOTHING);
}

TEST(ZoomSteps, MoveByATenthRoundedAndAlwaysByAtLeastOne) {
    // The formulas (zoom * 10 + 4) / 9 and (zoom * 9 + 5) / 10 alone stand still at 1..4 and 1..5.
    struct Case { int zoom, in, out; } cases[] = {
        {100, 111, 90}, {111, 123, 100}, {9, 10, 8}, {6, 7, 5}, {5, 6, 4}, {4, 5, 3},
        {2, 3, 1}, {1, 2, 1}, {0x7FFFFFFF, 0x7FFFFFFF, 1932735282},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(zoom_step_in(c.zoom), c.in) << c.zoom;
        EXPECT_EQ(zoom_step_out(c.zoom), c.out) << c.zoom;
    }
}

TEST(MouseToImage, DividesByTheZoomAndTakesTheWordUnsigned) {
    EXPECT_EQ(mouse_to_image(50, 50), 100);
    EXPECT_EQ(mouse_to_image(99, 200), 49);    // truncated
    EXPECT_EQ(mouse_to_image(10, 33), 30);     // 1000 / 33
    EXPECT_EQ(mouse_to_image(0xFFFF, 100), 65535) << "a word left of the window reads as large";
    EXPECT_EQ(mouse_to_image(0x1FFFF, 100), 65535);
    EXPECT_EQ(mouse_to_image(5, 0), 0);
}
