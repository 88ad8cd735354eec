// velmora-scenario: runs a scenario script on a simulated PC.
//   velmora-scenario FILE          prints the script with what each command printed
//   velmora-scenario --check FILE  compares with the expected lines; exit 1 on a difference
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "tools/scenario/engine.h"
#include "tools/scenario/script.h"

int main(int argc, char** argv) {
    bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::cerr << "usage: velmora-scenario [--check] FILE\n";
        return 2;
    }
    std::string file = argv[argc - 1];
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << file << ": cannot read\n";
        return 2;
    }
    std::stringstream text;
    text << in.rdbuf();
    auto script = scenario::ParseScript(text.str());
    for (auto& e : script.errors) std::cerr << file << ": " << e << "\n";
    if (!script.errors.empty()) return 2;

    auto slash = file.find_last_of('/');
    scenario::Engine engine(slash == std::string::npos ? "." : file.substr(0, slash));
    int differences = 0;
    engine.RunScript(script.commands, [&](const scenario::Command& c, const scenario::Output& out) {
        if (!check) {
            std::cout << scenario::Transcript(c, out);
            return;
        }
        if (out != c.expected) {
            ++differences;
            std::cout << file << ":" << c.line << ": " << c.words[0] << "\n";
            for (auto& l : c.expected) std::cout << "  expected: " << l << "\n";
            for (auto& l : out) std::cout << "  actual:   " << l << "\n";
        }
    });
    if (check) std::cout << script.commands.size() << " commands, " << differences << " differ\n";
    return differences ? 1 : 0;
}
