// Scenario scripts through the runner: raw script text (a malformed line is reported, never run),
// or commands made from the runner's verbs with awkward arguments (blanks, quotes, backslashes,
// line feeds, tabs) and block bodies. A script runs as velmora-scenario runs it, and its printed
// transcript must read back as the same commands with what they printed as expected lines.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/scenario/engine.h"
#include "tools/scenario/script.h"

namespace {

constexpr const char* kVerbs[] = {
    "os",         "reg",         "reg-import", "dump",   "advance",  "time",       "answer",
    "msgboxes",   "beeps",       "tray",       "start",  "programs", "counts",     "close-message",
    "tray-click", "cursor",      "print",      "click",  "type",     "clear",      "key",
    "choose",     "dropdown",    "page",       "show",   "close",    "driver",     "card",
    "applet",     "device-page", "ok",         "cancel", "apply",    "sheet-page", "windows",
    "end",        "#",           ">",          "repeat", "radio",    "records"};

// Words the verbs know, so that made scripts get past the argument checks.
constexpr const char* kWords[] = {"../fixtures/zn6200-installed.reg",
                                  "drop",
                                  "return",
                                  "install",
                                  "pull",
                                  "insert",
                                  "pull-after",
                                  "fail-oid",
                                  "none",
                                  "medium",
                                  "left",
                                  "right",
                                  "fails",
                                  "nt",
                                  "95",
                                  "5",
                                  "1",
                                  "0",
                                  "-1",
                                  "#1",
                                  "#8",
                                  "100",
                                  "1000",
                                  "Form1",
                                  "PageControl1",
                                  "TabSheet2",
                                  "cbSSID",
                                  "cbProFile",
                                  "Button4",
                                  "btReScan",
                                  "btOK",
                                  "Apply",
                                  "PopupMenu1",
                                  "Open1",
                                  "About1",
                                  "visible",
                                  "caption",
                                  "text",
                                  "SYSTEM\\CurrentControlSet\\Control\\Class",
                                  "a b",
                                  "\"",
                                  "\\",
                                  "\n",
                                  "\t",
                                  "",
                                  "x\ty",
                                  "\\n",
                                  "#x",
                                  ">y",
                                  "\r",
                                  "end"};

constexpr const char* kBodyLines[] = {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]",
                                      "\"Value\"=\"text\"",
                                      "\"N\"=dword:00000001",
                                      "REGEDIT4",
                                      "Windows Registry Editor Version 5.00",
                                      "",
                                      "@=hex:00,01"};

std::string AnyWord(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return in.ConsumeRandomLengthString(24);
        case 1:
            return std::string(in.PickValueInArray(kWords)) + in.PickValueInArray(kWords);
        default:
            return in.PickValueInArray(kWords);
    }
}

// A body line a transcript can hold: one line, not the "end" that closes it.
std::string AnyBodyLine(FuzzedDataProvider& in) {
    std::string l =
        in.ConsumeBool() ? in.PickValueInArray(kBodyLines) : in.ConsumeRandomLengthString(40);
    for (char& c : l)
        if (c == '\n') c = ' ';
    while (!l.empty() && l.back() == '\r') l.pop_back();
    if (l == "end") l += ' ';
    return l;
}

// A repeat's body is a script: each block opened in it is closed in it too.
void CloseInnerBlocks(std::vector<std::string>& body) {
    int open = 0;
    std::vector<std::string> words;
    std::string ignored;
    for (auto& line : body)
        if (line.rfind(">", 0) != 0 && scenario::SplitWords(line, words, ignored) &&
            !words.empty() && scenario::IsBlockVerb(words[0]))
            ++open;
    body.insert(body.end(), static_cast<std::size_t>(open), "end");
}

std::vector<scenario::Command> MadeCommands(FuzzedDataProvider& in) {
    std::vector<scenario::Command> commands;
    while (in.remaining_bytes() > 0 && commands.size() < 40) {
        scenario::Command c;
        c.words.push_back(in.ConsumeIntegralInRange(0, 15) ? in.PickValueInArray(kVerbs)
                                                           : AnyWord(in));
        const int args = in.ConsumeIntegralInRange(0, 3);
        for (int i = 0; i < args; ++i) c.words.push_back(AnyWord(in));
        if (scenario::IsBlockVerb(c.words[0])) {
            const int lines = in.ConsumeIntegralInRange(0, 4);
            for (int i = 0; i < lines; ++i) c.body.push_back(AnyBodyLine(in));
            if (c.words[0] == "repeat") CloseInnerBlocks(c.body);
        }
        commands.push_back(std::move(c));
    }
    return commands;
}

[[noreturn]] void Fail(const char* what, const std::string& transcript) {
    std::fprintf(stderr, "%s\n--- transcript\n", what);
    std::fwrite(transcript.data(), 1, transcript.size(), stderr);
    std::fprintf(stderr, "---\n");
    std::abort();
}

std::string Text(const std::vector<scenario::Command>& commands) {
    std::string t;
    for (auto& c : commands) t += scenario::Transcript(c, c.expected);
    return t;
}

// What makes one run slow: long stretches of virtual time (every timer fires) and many
// programs or commands, counted through repeat blocks as often as they run.
struct Cost {
    long long commands = 0, advanced = 0, starts = 0;
    bool Affordable() const { return commands <= 60 && advanced <= 60000 && starts <= 3; }
};

bool AddCost(const std::vector<scenario::Command>& commands, long long times, Cost& cost,
             int depth = 0) {
    for (auto& c : commands) {
        cost.commands += times;
        if (c.words[0] == "start") cost.starts += times;
        if (c.words[0] == "repeat" && c.words.size() == 2) {
            const long long n = std::strtoll(c.words[1].c_str(), nullptr, 0);
            if (n <= 0) continue;
            if (n > 60 || depth > 3) return false;
            std::string body;
            for (auto& line : c.body) body += line + "\n";
            if (!AddCost(scenario::ParseScript(body).commands, times * n, cost, depth + 1))
                return false;
        }
        if (c.words[0] == "advance" && c.words.size() == 2) {
            const long long ms = std::strtoll(c.words[1].c_str(), nullptr, 0);
            if (ms > 60000) return false;
            if (ms > 0) cost.advanced += ms * times;
        }
        if (!cost.Affordable()) return false;
    }
    return true;
}

bool Affordable(const std::vector<scenario::Command>& commands) {
    Cost cost;
    return AddCost(commands, 1, cost);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    scenario::Script script;
    // The seeds are whole scripts: raw text unless the first byte says otherwise.
    if (size > 0 && data[0] == 0) {
        in.ConsumeIntegral<std::uint8_t>();
        auto made = MadeCommands(in);
        const std::string text = Text(made);
        script = scenario::ParseScript(text);
        if (!script.errors.empty()) Fail(script.errors[0].c_str(), text);
        if (script.commands.size() != made.size()) Fail("made commands read back otherwise", text);
        for (std::size_t i = 0; i < made.size(); ++i)
            if (script.commands[i].words != made[i].words ||
                script.commands[i].body != made[i].body)
                Fail("a made command reads back otherwise", text);
    } else {
        const std::string text(reinterpret_cast<const char*>(data), size);
        script = scenario::ParseScript(text);
        for (auto& e : script.errors)
            if (e.rfind("line ", 0) != 0) Fail(e.c_str(), text);
        // A malformed script is reported and not run.
        if (!script.errors.empty()) return 0;
    }
    if (!Affordable(script.commands)) return 0;

    scenario::Engine engine(VELMORA_FIXTURES_DIR "/../scenarios");
    std::vector<scenario::Command> ran;
    std::string transcript;
    engine.RunScript(script.commands, [&](const scenario::Command& c, const scenario::Output& out) {
        transcript += scenario::Transcript(c, out);
        ran.push_back(c);
        ran.back().expected = out;
    });
    if (ran.size() != script.commands.size()) Fail("a command was not reported once", transcript);
    auto back = scenario::ParseScript(transcript);
    if (!back.errors.empty()) Fail(back.errors[0].c_str(), transcript);
    if (back.commands.size() != ran.size()) Fail("the transcript reads back otherwise", transcript);
    for (std::size_t i = 0; i < ran.size(); ++i) {
        const auto& a = ran[i];
        const auto& b = back.commands[i];
        if (a.words != b.words || a.body != b.body || a.expected != b.expected)
            Fail(("command " + std::to_string(i + 1) + " reads back otherwise").c_str(),
                 transcript);
    }
    return 0;
}
