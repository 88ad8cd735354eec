// Scenario scripts: commands with their expected transcript inline.
//
//   # comment
//   advance 1000            a command: a verb and its arguments ("quoted text" allowed)
//   > expected line         what the command just above it prints, line by line
//   reg                     a command with a body: lines up to "end" (.reg text here)
//   ...
//   end
//   repeat 10               a body that is a script of its own (blocks inside end in turn),
//   advance 1000            run ten times, its "> " lines checked on every round
//   > ...
//   end
#pragma once
#include <string>
#include <vector>

namespace scenario {

struct Command {
    int line = 0;  // where the command stands in the file
    std::vector<std::string> words;
    std::vector<std::string> body;      // lines of a block command
    std::vector<std::string> expected;  // its "> " lines
};

struct Script {
    std::vector<Command> commands;
    std::vector<std::string> errors;  // "line N: ..." for malformed lines
};

// firstLine: the number of the text's first line in its file.
Script ParseScript(const std::string& text, int firstLine = 1);
// Splits one command line into words; double quotes group, \" \\ \n \t and \r escape inside them.
bool SplitWords(const std::string& line, std::vector<std::string>& words, std::string& error);
// Whether a verb takes a body ended by "end".
bool IsBlockVerb(const std::string& verb);
// Quotes a text for a transcript when it holds blanks, quotes, line ends or nothing, or starts
// as a comment or an expected line does; line feeds, carriage returns and tabs are written as
// \n, \r and \t.
std::string Quote(const std::string& text);
// A command as a transcript shows it: its line, its body up to "end", then what it printed as
// "> " lines. Read back, it is the same command with the printed lines expected.
std::string Transcript(const Command& c, const std::vector<std::string>& printed);

}  // namespace scenario
