#include "tools/scenario/script.h"

#include <sstream>

namespace scenario {

bool IsBlockVerb(const std::string& verb) {
    return verb == "reg" || verb == "repeat";
}

bool SplitWords(const std::string& line, std::vector<std::string>& words, std::string& error) {
    words.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
            continue;
        }
        std::string w;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\' && i < line.size()) {
                    const char e = line[i];
                    if (e == '"' || e == '\\') c = line[i++];
                    if (e == 'n' || e == 't' || e == 'r') {
                        c = e == 'n' ? '\n' : e == 't' ? '\t' : '\r';
                        ++i;
                    }
                }
                w += c;
            }
            if (!closed) {
                error = "unterminated quote";
                return false;
            }
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t') w += line[i++];
        }
        words.push_back(std::move(w));
    }
    return true;
}

std::string Quote(const std::string& text) {
    // A bare word must not read back as a comment or an expected line, nor lose a carriage
    // return to the line end.
    if (!text.empty() && text[0] != '#' && text[0] != '>' &&
        text.find_first_of(" \t\n\r\"\\") == std::string::npos)
        return text;
    std::string q = "\"";
    for (char c : text) {
        // A transcript line stays one line.
        if (c == '\n' || c == '\t' || c == '\r') {
            q += c == '\n' ? "\\n" : c == '\t' ? "\\t" : "\\r";
            continue;
        }
        if (c == '"' || c == '\\') q += '\\';
        q += c;
    }
    return q + "\"";
}

std::string Transcript(const Command& c, const std::vector<std::string>& printed) {
    std::string line;
    for (auto& w : c.words) line += (line.empty() ? "" : " ") + Quote(w);
    std::string t = line + "\n";
    for (auto& b : c.body) t += b + "\n";
    if (!c.body.empty() || IsBlockVerb(c.words[0])) t += "end\n";
    for (auto& o : printed) t += "> " + o + "\n";
    return t;
}

Script ParseScript(const std::string& text, int firstLine) {
    Script s;
    std::istringstream in(text);
    std::string line;
    int n = firstLine - 1;
    Command* block = nullptr;
    int depth = 0;  // blocks open inside a repeat's body
    while (std::getline(in, line)) {
        ++n;
        // Carriage returns at a line's end are line-end noise, however many.
        while (!line.empty() && line.back() == '\r') line.pop_back();
        if (block) {
            if (line == "end" && depth == 0) {
                block = nullptr;
                continue;
            }
            // A repeat's body is a script of its own, blocks and all; a .reg text holds none.
            if (block->words[0] == "repeat") {
                std::vector<std::string> words;
                std::string ignored;
                if (line == "end") {
                    --depth;
                } else if (line.rfind(">", 0) != 0 && SplitWords(line, words, ignored) &&
                           !words.empty() && IsBlockVerb(words[0])) {
                    ++depth;
                }
            }
            block->body.push_back(line);
            continue;
        }
        if (line.rfind(">", 0) == 0) {
            if (s.commands.empty()) {
                s.errors.push_back("line " + std::to_string(n) + ": output before any command");
                continue;
            }
            s.commands.back().expected.push_back(line.size() > 2 ? line.substr(2) : "");
            continue;
        }
        auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        Command c;
        c.line = n;
        std::string error;
        if (!SplitWords(line, c.words, error)) {
            s.errors.push_back("line " + std::to_string(n) + ": " + error);
            continue;
        }
        s.commands.push_back(std::move(c));
        if (IsBlockVerb(s.commands.back().words[0])) block = &s.commands.back();
    }
    if (block) s.errors.push_back("line " + std::to_string(block->line) + ": no \"end\"");
    return s;
}

}  // namespace scenario
