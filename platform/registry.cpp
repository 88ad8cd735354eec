#include "platform/registry.h"

#include <algorithm>
#include <cstring>

namespace plat {

std::optional<std::string> ReadString(const RegKey& key, std::string_view name) {
    auto v = key.Get(name);
    if (!v || (v->type != RegType::Sz && v->type != RegType::ExpandSz)) return std::nullopt;
    // Data need not be terminated: stop at the first zero or at the end.
    auto end = std::find(v->data.begin(), v->data.end(), std::uint8_t{0});
    return std::string(v->data.begin(), end);
}

std::optional<std::uint32_t> ReadDword(const RegKey& key, std::string_view name) {
    auto v = key.Get(name);
    if (!v || v->type != RegType::Dword || v->data.size() != 4) return std::nullopt;
    return std::uint32_t(v->data[0]) | std::uint32_t(v->data[1]) << 8 |
           std::uint32_t(v->data[2]) << 16 | std::uint32_t(v->data[3]) << 24;
}

RegValue StringValue(std::string_view text, RegType type) {
    RegValue v{type, std::vector<std::uint8_t>(text.begin(), text.end())};
    v.data.push_back(0);
    return v;
}

RegValue DwordValue(std::uint32_t value) {
    return {RegType::Dword,
            {std::uint8_t(value), std::uint8_t(value >> 8), std::uint8_t(value >> 16),
             std::uint8_t(value >> 24)}};
}

bool WriteString(RegKey& key, std::string_view name, std::string_view text, RegType type) {
    auto v = StringValue(text, type);
    return key.Set(name, v.type, v.data);
}

bool WriteDword(RegKey& key, std::string_view name, std::uint32_t value) {
    auto v = DwordValue(value);
    return key.Set(name, v.type, v.data);
}

bool ValueExists(const RegKey& key, std::string_view name) {
    return key.Get(name).has_value();
}

bool KeyExists(Registry& reg, std::string_view path) {
    return reg.Open(path) != nullptr;
}

bool SubKeyExists(Registry& reg, std::string_view path, std::string_view sub) {
    return KeyExists(reg, JoinPath(path, sub));
}

std::string JoinPath(std::string_view parent, std::string_view child) {
    std::string p(parent);
    if (!p.empty() && !child.empty()) p += '\\';
    p += child;
    return p;
}

std::optional<std::vector<std::string_view>> SplitKeyPath(std::string_view path) {
    if (path.empty()) return std::nullopt;
    std::vector<std::string_view> names;
    for (;;) {
        auto cut = path.find('\\');
        auto name = path.substr(0, cut);
        if (name.empty() || name.size() > kMaxKeyNameLength ||
            name.find('\0') != std::string_view::npos)
            return std::nullopt;
        names.push_back(name);
        if (cut == std::string_view::npos) return names;
        path.remove_prefix(cut + 1);
    }
}

bool IsValidValueName(std::string_view name) {
    return name.size() <= kMaxValueNameLength && name.find('\0') == std::string_view::npos;
}

namespace {
// Latin-1 stands in for the ANSI code page; its letters fold as Unicode folds them.
char Upper(char c) {
    auto u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) u -= 0x20;
    return static_cast<char>(u);
}
}  // namespace

std::string UpperName(std::string_view name) {
    std::string s(name);
    std::transform(s.begin(), s.end(), s.begin(), Upper);
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Upper(x) == Upper(y); });
}

bool IsSameOrBelow(std::string_view path, std::string_view ancestor) {
    if (path.size() < ancestor.size() || !SameName(path.substr(0, ancestor.size()), ancestor))
        return false;
    return path.size() == ancestor.size() || path[ancestor.size()] == '\\';
}

}  // namespace plat
