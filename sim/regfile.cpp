#include "sim/regfile.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <vector>

namespace sim {

namespace {

constexpr std::string_view kV5Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view kV4Header = "REGEDIT4";
constexpr std::size_t kWrapColumn = 77;

struct ParseError {
    int line;
    std::string message;
};

bool IsStringType(plat::RegType t) {
    return t == plat::RegType::Sz || t == plat::RegType::ExpandSz || t == plat::RegType::MultiSz;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// 1 to `max_digits` hex digits, the whole of `s`.
std::optional<std::uint32_t> ParseHex(std::string_view s, std::size_t max_digits) {
    if (s.empty() || s.size() > max_digits) return std::nullopt;
    std::uint32_t v = 0;
    for (char c : s) {
        int d = HexDigit(c);
        if (d < 0) return std::nullopt;
        v = v << 4 | static_cast<std::uint32_t>(d);
    }
    return v;
}

int LineAt(std::string_view text, std::size_t pos) {
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + pos, '\n'));
}

void PutLatin1(std::string& out, std::uint32_t code) {
    out += code <= 0xFF ? static_cast<char>(code) : '?';
}

// Text behind a byte order mark becomes ANSI; text without one already is.
std::string Decode(std::string_view text) {
    if (text.starts_with("\xFF\xFE")) {
        text.remove_prefix(2);
        if (text.size() % 2) throw ParseError{1, "UTF-16 text of odd length"};
        std::string out;
        for (std::size_t i = 0; i < text.size(); i += 2) {
            std::uint32_t unit = static_cast<std::uint8_t>(text[i]) |
                                 static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[i + 1]))
                                     << 8;
            if (unit >= 0xDC00 && unit <= 0xDFFF) continue;  // second half of a pair: one '?'
            PutLatin1(out, unit);
        }
        return out;
    }
    if (!text.starts_with("\xEF\xBB\xBF")) return std::string(text);
    text.remove_prefix(3);
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        auto lead = static_cast<std::uint8_t>(text[i]);
        std::size_t n = lead < 0x80             ? 0
                        : (lead & 0xE0) == 0xC0 ? 1
                        : (lead & 0xF0) == 0xE0 ? 2
                        : (lead & 0xF8) == 0xF0 ? 3
                                                : text.size();
        if (text.size() - i <= n) throw ParseError{LineAt(text, i), "invalid UTF-8"};
        std::uint32_t code = lead & (0x7F >> (n ? n + 1 : 0));
        for (std::size_t k = 1; k <= n; ++k) {
            auto c = static_cast<std::uint8_t>(text[i + k]);
            if ((c & 0xC0) != 0x80) throw ParseError{LineAt(text, i), "invalid UTF-8"};
            code = code << 6 | (c & 0x3F);
        }
        PutLatin1(out, code);
        i += n + 1;
    }
    return out;
}

enum class OpKind { CreateKey, DeleteTree, SetValue, DeleteValue };

struct Op {
    OpKind kind;
    int line;
    std::string path;  // for keys
    std::string name;  // for values
    plat::RegValue value;
};

class Parser {
  public:
    explicit Parser(std::string_view text) {
        for (std::size_t start = 0; start <= text.size();) {
            auto end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            auto line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            lines_.push_back(line);
            start = end + 1;
        }
    }

    std::vector<Op> Parse() {
        while (i_ + 1 < lines_.size() && Trim(lines_[i_]).empty()) ++i_;
        auto header = Trim(lines_[i_]);
        if (header == kV5Header)
            format_ = RegFormat::V5;
        else if (header == kV4Header)
            format_ = RegFormat::Regedit4;
        else
            Fail("not a registry file: the first line must be \"" + std::string(kV5Header) +
                 "\" or \"" + std::string(kV4Header) + "\"");
        for (++i_; i_ < lines_.size(); ++i_) {
            auto t = Trim(lines_[i_]);
            if (t.empty() || t.front() == ';') continue;
            if (t.front() == '[')
                Section(t);
            else if (t.front() == '"' || t.front() == '@')
                Value(t);
            else
                Fail("expected a [key] section, a value or a comment");
        }
        return std::move(ops_);
    }

  private:
    [[noreturn]] void Fail(std::string message) const {
        throw ParseError{static_cast<int>(i_) + 1, std::move(message)};
    }

    // Whatever follows a complete item: nothing, or a comment.
    void End(std::string_view rest) const {
        rest = Trim(rest);
        if (!rest.empty() && rest.front() != ';') Fail("unexpected text after the item");
    }

    void Section(std::string_view t) {
        auto close = t.rfind(']');
        if (close == std::string_view::npos) Fail("missing ']'");
        End(t.substr(close + 1));
        auto inner = t.substr(1, close - 1);
        Op op{OpKind::CreateKey, Line(), {}, {}, {}};
        if (inner.starts_with('-')) {
            op.kind = OpKind::DeleteTree;
            inner.remove_prefix(1);
        }
        auto cut = inner.find('\\');
        auto root = inner.substr(0, cut);
        if (!plat::SameName(root, "HKEY_LOCAL_MACHINE") && !plat::SameName(root, "HKLM"))
            Fail("only HKEY_LOCAL_MACHINE keys can be imported, not '" + std::string(root) + "'");
        if (cut == std::string_view::npos) Fail("the root key itself cannot be imported");
        op.path = inner.substr(cut + 1);
        if (!plat::SplitKeyPath(op.path)) Fail("invalid key path '" + op.path + "'");
        in_key_ = op.kind == OpKind::CreateKey;
        ops_.push_back(std::move(op));
    }

    // A quoted string with \\ and \" escapes, taken off the front of `s`.
    std::string Quoted(std::string_view& s) const {
        std::string out;
        for (std::size_t k = 1; k < s.size(); ++k) {
            char c = s[k];
            if (c == '"') {
                s.remove_prefix(k + 1);
                return out;
            }
            if (c == '\\') {
                if (++k == s.size() || (s[k] != '\\' && s[k] != '"'))
                    Fail("unknown escape in a quoted string (only \\\\ and \\\" are known)");
                c = s[k];
            }
            out += c;
        }
        Fail("unterminated quoted string");
    }

    void Value(std::string_view t) {
        if (!in_key_) Fail("value outside a key section");
        Op op{OpKind::SetValue, Line(), {}, {}, {}};
        if (t.front() == '@')
            t.remove_prefix(1);
        else
            op.name = Quoted(t);
        if (!plat::IsValidValueName(op.name)) Fail("value name too long");
        t = Trim(t);
        if (!t.starts_with('=')) Fail("expected '=' after the value name");
        t = Trim(t.substr(1));

        auto starts = [&](std::string_view word) {
            return t.size() >= word.size() && plat::SameName(t.substr(0, word.size()), word);
        };
        if (t.starts_with('"')) {
            op.value = plat::StringValue(Quoted(t));
            End(t);
        } else if (t.starts_with('-')) {
            op.kind = OpKind::DeleteValue;
            End(t.substr(1));
        } else if (starts("dword:")) {
            t.remove_prefix(6);
            auto semi = t.find(';');
            auto v = ParseHex(Trim(t.substr(0, semi)), 8);
            if (!v) Fail("dword data must be 1 to 8 hex digits");
            op.value = plat::DwordValue(*v);
        } else if (starts("hex")) {
            t.remove_prefix(3);
            auto type = plat::RegType::Binary;
            if (t.starts_with('(')) {
                auto close = t.find(')');
                auto n = close == std::string_view::npos ? std::nullopt
                                                         : ParseHex(t.substr(1, close - 1), 8);
                if (!n) Fail("hex(N) needs a type number of 1 to 8 hex digits");
                type = static_cast<plat::RegType>(*n);
                t.remove_prefix(close + 1);
            }
            if (!t.starts_with(':')) Fail("expected ':' after hex");
            op.value = {type, Bytes(t.substr(1))};
            if (format_ == RegFormat::V5 && IsStringType(type))
                op.value.data = FromUtf16(op.value.data);
        } else {
            Fail("unknown value data (expected \"text\", dword:, hex:, hex(N): or -)");
        }
        ops_.push_back(std::move(op));
    }

    // Comma separated bytes, continued over lines that end with a backslash.
    std::vector<std::uint8_t> Bytes(std::string_view first) {
        int line = Line();
        std::string text;
        auto part = Trim(first);
        while (part.ends_with('\\') && i_ + 1 < lines_.size()) {
            text.append(part.substr(0, part.size() - 1));
            part = Trim(lines_[++i_]);
        }
        text.append(part);
        std::string_view s = text;
        s = s.substr(0, s.find(';'));
        std::vector<std::uint8_t> out;
        while (!Trim(s).empty()) {
            auto comma = s.find(',');
            auto byte = ParseHex(Trim(s.substr(0, comma)), 2);
            if (!byte)
                throw ParseError{line,
                                 "hex data must be bytes of 1 or 2 hex digits, comma separated"};
            out.push_back(static_cast<std::uint8_t>(*byte));
            if (comma == std::string_view::npos) break;
            s.remove_prefix(comma + 1);
        }
        return out;
    }

    std::vector<std::uint8_t> FromUtf16(const std::vector<std::uint8_t>& utf16) const {
        if (utf16.size() % 2) Fail("UTF-16 string data of odd length");
        std::string text;
        for (std::size_t k = 0; k < utf16.size(); k += 2) {
            std::uint32_t unit = utf16[k] | static_cast<std::uint32_t>(utf16[k + 1]) << 8;
            if (unit < 0xDC00 || unit > 0xDFFF) PutLatin1(text, unit);
        }
        return {text.begin(), text.end()};
    }

    int Line() const { return static_cast<int>(i_) + 1; }

    std::vector<std::string_view> lines_;
    std::size_t i_ = 0;
    RegFormat format_ = RegFormat::V5;
    bool in_key_ = false;
    std::vector<Op> ops_;
};

RegFileResult Error(int line, std::string message) {
    return {false, line, std::move(message)};
}

RegFileResult Apply(plat::Registry& reg, const std::vector<Op>& ops) {
    std::unique_ptr<plat::RegKey> key;
    for (const auto& op : ops) {
        switch (op.kind) {
            case OpKind::CreateKey:
                key = reg.Create(op.path);
                if (!key) return Error(op.line, "cannot create key '" + op.path + "'");
                break;
            case OpKind::DeleteTree:
                key.reset();
                if (plat::KeyExists(reg, op.path) && !reg.DeleteTree(op.path))
                    return Error(op.line, "cannot delete key '" + op.path + "'");
                break;
            case OpKind::SetValue:
                if (!key->Set(op.name, op.value.type, op.value.data))
                    return Error(op.line, "cannot set value '" + op.name + "'");
                break;
            case OpKind::DeleteValue:
                if (plat::ValueExists(*key, op.name) && !key->DeleteValue(op.name))
                    return Error(op.line, "cannot delete value '" + op.name + "'");
                break;
        }
    }
    return {};
}

void AppendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
}

// REG_SZ data that reads back the same from "text": one terminating zero, nothing unprintable.
bool IsPlainText(const std::vector<std::uint8_t>& data) {
    return !data.empty() && data.back() == 0 &&
           std::all_of(data.begin(), data.end() - 1, [](std::uint8_t b) { return b >= 0x20; });
}

void AppendValue(std::string& out, const std::string& name, const plat::RegValue& v,
                 RegFormat format) {
    auto line_start = out.size();
    if (name.empty())
        out += '@';
    else
        AppendQuoted(out, name);
    out += '=';
    char buf[16];
    if (v.type == plat::RegType::Sz && IsPlainText(v.data)) {
        AppendQuoted(
            out, std::string_view(reinterpret_cast<const char*>(v.data.data()), v.data.size() - 1));
    } else if (v.type == plat::RegType::Dword && v.data.size() == 4) {
        std::uint32_t d = v.data[0] | v.data[1] << 8 | v.data[2] << 16 |
                          static_cast<std::uint32_t>(v.data[3]) << 24;
        std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<unsigned>(d));
        out += buf;
    } else {
        if (v.type == plat::RegType::Binary) {
            out += "hex:";
        } else {
            std::snprintf(buf, sizeof buf, "hex(%x):", static_cast<unsigned>(v.type));
            out += buf;
        }
        std::vector<std::uint8_t> bytes;
        if (format == RegFormat::V5 && IsStringType(v.type)) {
            for (auto b : v.data) bytes.insert(bytes.end(), {b, 0});
        } else {
            bytes = v.data;
        }
        for (std::size_t k = 0; k < bytes.size(); ++k) {
            std::snprintf(buf, sizeof buf, "%02x", bytes[k]);
            out += buf;
            if (k + 1 == bytes.size()) break;
            out += ',';
            if (out.size() - line_start >= kWrapColumn) {
                out += "\\\r\n  ";
                line_start = out.size() - 2;
            }
        }
    }
    out += "\r\n";
}

// A .reg line has no escape for a line break: a name holding one would split its line.
bool FitsOnALine(std::string_view name) {
    return name.find_first_of("\r\n") == std::string_view::npos;
}

bool AppendKey(plat::Registry& reg, const plat::RegKey& key, const std::string& path,
               RegFormat format, std::string& out) {
    if (!FitsOnALine(path)) return false;
    out += "[HKEY_LOCAL_MACHINE\\" + path + "]\r\n";
    for (const auto& name : key.ValueNames()) {
        if (!FitsOnALine(name)) return false;
        if (auto v = key.Get(name)) AppendValue(out, name, *v, format);
    }
    out += "\r\n";
    for (const auto& sub : key.SubKeyNames()) {
        auto sub_path = plat::JoinPath(path, sub);
        auto k = reg.Open(sub_path);
        if (k && !AppendKey(reg, *k, sub_path, format, out)) return false;
    }
    return true;
}

}  // namespace

RegFileResult ImportReg(plat::Registry& reg, std::string_view text) {
    std::vector<Op> ops;
    try {
        auto decoded = Decode(text);
        ops = Parser(decoded).Parse();
    } catch (const ParseError& e) {
        return Error(e.line, e.message);
    }
    return Apply(reg, ops);
}

RegFileResult ImportRegFile(plat::Registry& reg, const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    if (!in || !(text << in.rdbuf())) return Error(0, "cannot read '" + file + "'");
    auto result = ImportReg(reg, text.str());
    if (!result) result.message = file + ": " + result.message;
    return result;
}

std::optional<std::string> ExportReg(plat::Registry& reg, std::string_view path, RegFormat format) {
    auto key = reg.Open(path);
    if (!key) return std::nullopt;
    std::string out(format == RegFormat::V5 ? kV5Header : kV4Header);
    out += "\r\n\r\n";
    if (!AppendKey(reg, *key, std::string(path), format, out)) return std::nullopt;
    return out;
}

}  // namespace sim
