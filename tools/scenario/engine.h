// Runs scenario commands against the system on a simulated PC and prints a transcript.
#pragma once
#include <deque>
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
    // Runs a script's commands in order and reports each with what it printed. A command is
    // reported when the next one starts (or at the end): a command that opens a modal window
    // runs the commands after it inside that window, until one closes it, and what the opener
    // prints once its window has closed stands under the command that closed it.
    using Report = std::function<void(const Command&, const Output&)>;
    void RunScript(const std::vector<Command>& commands, const Report& report);
    // Inside a modal window: runs the script's next command; false when none is left.
    bool RunNextCommand();

    sim::Pc& pc() { return *pc_; }
    plat::Platform& platform() { return *platform_; }
    sim::Zn6200* card() { return card_; }

    using Verb = std::function<void(Engine&, const Command&, Output&)>;
    // Verbs are grouped by what they drive; later features add their own groups.
    void AddVerb(const std::string& name, int argCount, Verb verb);

    // The running program's form, or nullptr (with an error line) when none was started.
    ui::Form* Form(Output& out);
    ui::Component* Find(const std::string& name, Output& out);
    // While one of its modal windows is open, control names are looked up in it and commands
    // run outside the program's error boundary (the window's owner has its own).
    class WindowHost {
      public:
        virtual ~WindowHost() = default;
        virtual bool WindowOpen() const = 0;
        // nullptr: nothing of that name in the window.
        virtual ui::Component* FindInWindow(const std::string& name) = 0;
    };
    void SetWindowHost(std::shared_ptr<WindowHost> host) { windowHost_ = std::move(host); }
    std::string FilePath(const std::string& name) const;

  private:
    struct VerbEntry {
        int argCount;  // -1: any number
        Verb run;
    };
    void AddSystemVerbs();
    void AddUserVerbs();
    void AddCardVerbs();
    void Run(const Command& c, Output& out);
    void ReportPending();

    std::string baseDir_;
    std::unique_ptr<sim::Pc> pc_;
    std::unique_ptr<plat::Platform> platform_;  // outlives the programs that hold it
    std::vector<std::unique_ptr<app::Velmora>> programs_;
    std::map<std::string, VerbEntry> verbs_;
    std::uint64_t boxesShown_ = 0;  // numbers of the next box and beep to print
    std::uint64_t beepsShown_ = 0;
    sim::Zn6200* card_ = nullptr;

    struct Step {
        const Command* command;
        Output out;
        bool reported = false;
        std::size_t shown = 0;  // lines of out already reported
    };
    const std::vector<Command>* script_ = nullptr;
    std::size_t next_ = 0;
    std::deque<Step> steps_;  // a deque: a running command's output stays where it is
    std::size_t reported_ = 0;
    const Report* report_ = nullptr;
    std::shared_ptr<WindowHost> windowHost_;
};

// The verbs that drive the configuration library through the PC's control panel and device
// manager (library_verbs.cpp).
void AddLibraryVerbs(Engine& e);
// The verbs of long runs: repeated blocks, the network coming and going, what the run holds
// (soak_verbs.cpp).
void AddSoakVerbs(Engine& e);

// Properties of a model as transcript lines ("name.prop = value"); one when prop is named.
Output Describe(ui::Component& c, const std::string& prop);

}  // namespace scenario
