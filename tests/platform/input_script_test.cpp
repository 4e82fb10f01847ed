#include "platform/input_script.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/internal.h"
#include "tests/temp_path.h"

namespace {

using platform::script::Event;
using platform::script::Kind;

std::vector<Event> parseOk(const std::string& text) {
    std::vector<Event> events;
    std::string error;
    EXPECT_TRUE(platform::script::parse(text, events, error)) << error;
    return events;
}

TEST(InputScriptTest, EveryKindOfLineIsRead) {
    auto events = parseOk(
        "# a comment line\n"
        "\n"
        "at 1000 key down Escape      # trailing comment\n"
        "at 1100 key up 27\r\n"
        "at 1500 type  Hello C# there   # a comment after a space; C# stays\n"
        "at 2000 mouse move 640.5 -3\n"
        "at 2000 mouse down right\n"
        "at 2100 mouse up middle\n"
        "at 0 joy attach Pad One\n"
        "at 4000 joy 1 axis Y -0.8\n"
        "at 4000 joy 1 hat 0.25\n"
        "at 4000 joy 1 button 3 down\n"
        "AT 9000 CLOSE\n");
    ASSERT_EQ(events.size(), 11u);
    EXPECT_EQ(events[0].kind, Kind::JoyAttach);
    EXPECT_EQ(events[0].text, "Pad One");
    EXPECT_EQ(events[1].kind, Kind::KeyDown);
    EXPECT_EQ(events[1].code, 27);
    EXPECT_EQ(events[1].line, 3);
    EXPECT_EQ(events[2].kind, Kind::KeyUp);
    EXPECT_EQ(events[2].code, 27);
    EXPECT_EQ(events[3].kind, Kind::Type);
    EXPECT_EQ(events[3].text, " Hello C# there");
    EXPECT_EQ(events[4].kind, Kind::MouseMove);
    EXPECT_FLOAT_EQ(events[4].x, 640.5f);
    EXPECT_FLOAT_EQ(events[4].y, -3.0f);
    EXPECT_EQ(events[5].kind, Kind::MouseDown);
    EXPECT_EQ(events[5].code, 2);
    EXPECT_EQ(events[6].kind, Kind::MouseUp);
    EXPECT_EQ(events[6].code, 3);
    EXPECT_EQ(events[7].kind, Kind::JoyAxis);
    EXPECT_EQ(events[7].code, 1);
    EXPECT_EQ(events[7].index, 1);
    EXPECT_FLOAT_EQ(events[7].x, -0.8f);
    EXPECT_EQ(events[8].kind, Kind::JoyHat);
    EXPECT_FLOAT_EQ(events[8].x, 0.25f);
    EXPECT_EQ(events[9].kind, Kind::JoyButton);
    EXPECT_EQ(events[9].index, 3);
    EXPECT_TRUE(events[9].down);
    EXPECT_EQ(events[10].kind, Kind::Close);
    EXPECT_EQ(events[10].timeMs, 9000);
}

TEST(InputScriptTest, EventsAreSortedByTimeKeepingFileOrderForTies) {
    auto events = parseOk(
        "at 500 key down A\n"
        "at 100 key down B\n"
        "at 500 key up A\n"
        "at 100 key up B\n"
        "at 300 close\n");
    std::vector<int> lines;
    for (const Event& e : events) lines.push_back(e.line);
    EXPECT_EQ(lines, (std::vector<int>{2, 4, 5, 1, 3}));
}

TEST(InputScriptTest, ErrorsNameTheirLine) {
    struct Case {
        const char* text;
        const char* error;  // start of the message
    };
    const Case cases[] = {
        {"at 100 jump\n", "line 1:"},
        {"# fine\nat 5 key down Esc\n", "line 2:"},
        {"\n\nafter 5 close\n", "line 3:"},
        {"at -5 close\n", "line 1:"},
        {"at 1.5 close\n", "line 1:"},
        {"at close\n", "line 1:"},
        {"at 5 key press A\n", "line 1:"},
        {"at 5 key down\n", "line 1:"},
        {"at 5 type\n", "line 1:"},
        {"at 5 type   # only a comment\n", "line 1:"},
        {"at 5 mouse move 10\n", "line 1:"},
        {"at 5 mouse move 10 ten\n", "line 1:"},
        {"at 5 mouse down thumb\n", "line 1:"},
        {"at 5 mouse click left\n", "line 1:"},
        {"at 5 close now\n", "line 1:"},
        {"at 5 joy attach\n", "line 1:"},
        {"at 0 joy attach P\nat 5 joy 1 axis W 0.5\n", "line 2:"},
        {"at 0 joy attach P\nat 5 joy 1 axis X 1.5\n", "line 2:"},
        {"at 0 joy attach P\nat 5 joy 1 hat 0.5 0\n", "line 2:"},
        {"at 0 joy attach P\nat 5 joy 1 hat -0.5\n", "line 2:"},
        {"at 0 joy attach P\nat 5 joy 1 button 20 down\n", "line 2:"},
        {"at 0 joy attach P\nat 5 joy 1 button -1 down\n", "line 2:"},
        {"at 0 joy attach P\nat 5 joy 1 button 2 pressed\n", "line 2:"},
        {"at 0 joy attach P\nat 5 joy 1 wiggle\n", "line 2:"},
        {"at 5 joy 1 axis X 0\n", "line 1:"},
        // Attached only later in time, though earlier in the file.
        {"at 0 joy attach P\nat 900 joy attach Q\nat 500 joy 2 hat 0\n", "line 3:"},
    };
    for (const Case& c : cases) {
        std::vector<Event> events;
        std::string error;
        EXPECT_FALSE(platform::script::parse(c.text, events, error)) << c.text;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.text << " gave: " << error;
    }
}

TEST(InputScriptTest, PlayerHandsOutDueEventsOnce) {
    platform::script::Player player;
    player.start(parseOk("at 10 key down A\nat 10 key up A\nat 20 close\n"));
    EXPECT_EQ(player.nextDue(9), nullptr);
    const Event* first = player.nextDue(10);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->kind, Kind::KeyDown);
    ASSERT_NE(player.nextDue(15), nullptr);
    EXPECT_EQ(player.nextDue(15), nullptr);
    EXPECT_FALSE(player.finished());
    ASSERT_NE(player.nextDue(1000), nullptr);
    EXPECT_TRUE(player.finished());
    EXPECT_EQ(player.nextDue(2000), nullptr);
}

TEST(InputScriptTest, InputStartReportsTheFileAndLine) {
    std::string path = testsupport::tempPath("input_script_test_bad.txt");
    std::ofstream(path) << "at 10 close\nat 20 key down Nope\n";
    std::string error;
    EXPECT_FALSE(platform::internal::inputStart(path, error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    platform::internal::inputStop();

    error.clear();
    EXPECT_FALSE(platform::internal::inputStart(path + ".missing", error));
    EXPECT_NE(error.find(".missing"), std::string::npos) << error;
    platform::internal::inputStop();
}

}  // namespace
