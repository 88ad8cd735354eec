#include "config/reg_key.h"

#include <utility>

namespace config {

namespace {

[[noreturn]] void Fail(const char* format, std::string_view name) {
    std::string text(format);
    const auto at = text.find("%s");
    text.replace(at, 2, name);
    throw RegistryError(text);
}

bool IsString(plat::RegType t) {
    return t == plat::RegType::Sz || t == plat::RegType::ExpandSz;
}

}  // namespace

Key::Key(plat::Registry& reg, std::string path, std::unique_ptr<plat::RegKey> key)
    : reg_(&reg), path_(std::move(path)), key_(std::move(key)) {}

std::optional<Key> Key::Open(plat::Registry& reg, std::string_view path) {
    if (path.empty()) return std::nullopt;
    auto key = reg.Open(path);
    if (!key) return std::nullopt;
    return Key(reg, std::string(path), std::move(key));
}

Key Key::Create(plat::Registry& reg, std::string_view path) {
    auto key = path.empty() ? nullptr : reg.Create(path);
    if (!key) Fail("Failed to create key %s", path);
    return Key(reg, std::string(path), std::move(key));
}

std::string Key::ReadString(std::string_view name) const {
    auto v = key_->Get(name);
    if (!v) return {};
    if (!IsString(v->type)) Fail("Invalid data type for '%s'", name);
    return plat::ReadString(*key_, name).value_or("");
}

std::uint32_t Key::ReadDword(std::string_view name) const {
    auto v = key_->Get(name);
    if (!v) Fail("Failed to get data for '%s'", name);
    auto n = plat::ReadDword(*key_, name);
    if (!n) Fail("Invalid data type for '%s'", name);
    return *n;
}

bool Key::ValueExists(std::string_view name) const {
    return plat::ValueExists(*key_, name);
}

bool Key::SubKeyExists(std::string_view name) const {
    return !name.empty() && reg_->Open(plat::JoinPath(path_, name)) != nullptr;
}

std::vector<std::string> Key::SubKeyNames() const {
    return key_->SubKeyNames();
}

void Key::WriteString(std::string_view name, std::string_view text) {
    if (!plat::WriteString(*key_, name, text)) Fail("Failed to set data for '%s'", name);
}

void Key::WriteDword(std::string_view name, std::uint32_t value) {
    if (!plat::WriteDword(*key_, name, value)) Fail("Failed to set data for '%s'", name);
}

bool Key::DeleteSubKey(std::string_view name) {
    return !name.empty() && reg_->DeleteTree(plat::JoinPath(path_, name));
}

bool Key::MoveSubKey(std::string_view from, std::string_view to) {
    if (from.empty() || to.empty()) return false;
    return reg_->MoveKey(plat::JoinPath(path_, from), plat::JoinPath(path_, to));
}

}  // namespace config
