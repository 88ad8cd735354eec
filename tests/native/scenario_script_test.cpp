// The scenario runner's script format: a printed transcript reads back as the commands that
// made it, with what they printed as their expected lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/scenario/engine.h"
#include "tools/scenario/script.h"

namespace {

using Words = std::vector<std::string>;

scenario::Command Made(Words words, Words body = {}) {
    scenario::Command c;
    c.words = std::move(words);
    c.body = std::move(body);
    return c;
}

TEST(ScenarioScript, AnyWordReadsBackFromItsTranscriptLine) {
    // Bare, a word starting like a comment or an expected line would make the line one, and a
    // carriage return at the end would be taken for the line end.
    const Words awkward = {"#x", ">y",  "#",  ">",  "x\r",  "\r",  "a\rb",
                           "",   "a b", "\"", "\\", "\n\t", "\\n", "plain"};
    for (const auto& w : awkward) {
        for (const auto& words : {Words{w}, Words{"print", w}}) {
            const auto back = scenario::ParseScript(scenario::Transcript(Made(words), {}));
            ASSERT_TRUE(back.errors.empty()) << scenario::Quote(w);
            ASSERT_EQ(back.commands.size(), 1u) << scenario::Quote(w);
            EXPECT_EQ(back.commands[0].words, words) << scenario::Quote(w);
        }
    }
}

TEST(ScenarioScript, EveryCarriageReturnAtALineEndIsLineEndNoise) {
    const auto s =
        scenario::ParseScript("reg\r\r\n[HKEY_LOCAL_MACHINE\\X]\r\r\nend\r\r\ntime\r\r\n");
    ASSERT_TRUE(s.errors.empty());
    ASSERT_EQ(s.commands.size(), 2u);
    EXPECT_EQ(s.commands[0].body, Words{"[HKEY_LOCAL_MACHINE\\X]"});
    EXPECT_EQ(s.commands[1].words, Words{"time"});
    // Printed again, the body reads back the same.
    const auto back = scenario::ParseScript(scenario::Transcript(s.commands[0], {}));
    ASSERT_EQ(back.commands.size(), 1u);
    EXPECT_EQ(back.commands[0].body, s.commands[0].body);
}

TEST(ScenarioScript, WhatACommandEchoesStaysOnePrintedLine) {
    // The error lines name the verb, the control and the file as written, line ends too.
    const std::vector<scenario::Command> commands = {Made({"a\nb"}),
                                                     Made({"reg-import", "no\nsuch\rfile"}),
                                                     Made({"start"}), Made({"print", "x\ny"})};
    scenario::Engine engine(".");
    std::string transcript;
    std::vector<scenario::Output> printed;
    engine.RunScript(commands, [&](const scenario::Command& c, const scenario::Output& out) {
        transcript += scenario::Transcript(c, out);
        printed.push_back(out);
    });
    const auto back = scenario::ParseScript(transcript);
    ASSERT_TRUE(back.errors.empty());
    ASSERT_EQ(back.commands.size(), commands.size()) << transcript;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        EXPECT_EQ(back.commands[i].words, commands[i].words) << transcript;
        EXPECT_EQ(back.commands[i].expected, printed[i]) << transcript;
    }
    EXPECT_EQ(printed[0], scenario::Output{"error: unknown command a\\nb"});
    ASSERT_EQ(printed[1].size(), 1u);
    EXPECT_NE(printed[1][0].find("no\\nsuch\\rfile"), std::string::npos) << printed[1][0];
    EXPECT_EQ(printed[3], scenario::Output{"error: no control x\\ny"});
}

}  // namespace
