#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "sim/radio.h"
#include "sim/regfile.h"
#include "tools/scenario/engine.h"

namespace scenario {
namespace {

// The process's resident memory as the kernel reports it ("VmRSS: 5768 kB"), or "".
std::string ResidentMemory() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return line;
    return "";
}

template <class R>
std::string Kept(const std::string& name, const R& record) {
    return name + " " + std::to_string(record.size()) + "/" + std::to_string(record.Limit());
}

}  // namespace

void AddSoakVerbs(Engine& e) {
    // repeat N: runs the body N times; a round whose command prints other than its "> " lines
    // stops the repeat and is reported with both.
    e.AddVerb("repeat", 1, [](Engine& en, const Command& c, Output& out) {
        char* end = nullptr;
        const long long rounds = std::strtoll(c.words[1].c_str(), &end, 10);
        if (c.words[1].empty() || *end != 0 || rounds < 0) {
            out.push_back("error: repeat ROUNDS");
            return;
        }
        std::string text;
        for (auto& l : c.body) text += l + "\n";
        const Script body = ParseScript(text, c.line + 1);
        for (auto& err : body.errors) out.push_back("error: " + err);
        if (!body.errors.empty()) return;
        for (long long round = 1; round <= rounds; ++round) {
            for (auto& cmd : body.commands) {
                Output got = en.Run(cmd);
                if (got == cmd.expected) continue;
                out.push_back("round " + std::to_string(round) + ", line " +
                              std::to_string(cmd.line) + ": " + cmd.words[0]);
                for (auto& l : cmd.expected) out.push_back("  expected: " + l);
                for (auto& l : got) out.push_back("  actual:   " + l);
                return;
            }
        }
        out.push_back(std::to_string(rounds) + " rounds");
    });

    // radio drop | return: every network in range goes away, and comes back as it was.
    auto saved = std::make_shared<std::optional<std::string>>();
    e.AddVerb("radio", 1, [saved](Engine& en, const Command& c, Output& out) {
        auto& reg = en.pc().registry();
        if (c.words[1] == "drop") {
            if (!saved->has_value()) *saved = sim::ExportReg(reg, sim::kRadioNetworksKey);
            sim::ClearRadioNetworks(reg);
            return;
        }
        if (c.words[1] == "return") {
            if (saved->has_value()) {
                const auto r = sim::ImportReg(reg, **saved);
                if (!r.ok) out.push_back("error: " + r.message);
            }
            saved->reset();
            return;
        }
        out.push_back("error: radio drop|return");
    });

    // rss LABEL: the resident memory, on stderr: it differs from run to run and build to
    // build, so it stays out of the transcript.
    e.AddVerb("rss", 1, [](Engine& en, const Command& c, Output&) {
        std::cerr << "rss " << c.words[1] << " at " << en.pc().loop().NowMs() / 1000
                  << " s: " << ResidentMemory() << std::endl;
    });

    // What the PC keeps of the calls made to it, kept/limit, and the running timers: none of
    // it may grow with the time the program runs.
    e.AddVerb("records", 0, [](Engine& en, const Command&, Output& out) {
        auto& pc = en.pc();
        out.push_back(Kept("tray calls", pc.shell().Calls()));
        out.push_back(Kept("service calls", pc.services().Calls()));
        out.push_back(Kept("setup requests", pc.setup().Requests()));
        out.push_back(Kept("sleeps", pc.loop().Sleeps()));
        out.push_back(Kept("message boxes", pc.dialogs().Boxes()));
        out.push_back(Kept("beeps", pc.dialogs().Beeps()));
        out.push_back(Kept("version queries", pc.files().VersionQueries()));
        out.push_back(Kept("time queries", pc.files().TimeQueries()));
        if (en.card()) out.push_back(Kept("driver requests", en.card()->Requests()));
        out.push_back("timers " + std::to_string(pc.loop().ActiveTimers()));
    });
}

}  // namespace scenario
