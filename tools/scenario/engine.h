// Runs scenario commands against the system on a simulated PC and prints a transcript.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sim/pc.h"
#include "sim/zn6200.h"
#include "tools/scenario/script.h"
#include "ui/form.h"

namespace app {
class Velmora;
}

namespace scenario {

// What a command printed; a failed command prints "error: ..." lines.
using Output = std::vector<std::string>;

class Engine {
  public:
    // baseDir: where file arguments (fixtures) are looked up.
    explicit Engine(std::string baseDir);
    ~Engine();

    Output Run(const Command& c);
    sim::Pc& pc() { return *pc_; }

    using Verb = std::function<void(Engine&, const Command&, Output&)>;
    // Verbs are grouped by what they drive; later features add their own groups.
    void AddVerb(const std::string& name, int argCount, Verb verb);

    // The running program's form, or nullptr (with an error line) when none was started.
    ui::Form* Form(Output& out);
    ui::Component* Find(const std::string& name, Output& out);
    std::string FilePath(const std::string& name) const;

  private:
    struct VerbEntry {
        int argCount;  // -1: any number
        Verb run;
    };
    void AddSystemVerbs();
    void AddUserVerbs();
    void AddCardVerbs();

    std::string baseDir_;
    std::unique_ptr<sim::Pc> pc_;
    std::unique_ptr<plat::Platform> platform_;  // outlives the programs that hold it
    std::vector<std::unique_ptr<app::Velmora>> programs_;
    std::map<std::string, VerbEntry> verbs_;
    std::size_t boxesShown_ = 0;
    std::size_t beepsShown_ = 0;
    sim::Zn6200* card_ = nullptr;
};

// Properties of a model as transcript lines ("name.prop = value"); one when prop is named.
Output Describe(ui::Component& c, const std::string& prop);

}  // namespace scenario
