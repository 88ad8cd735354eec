#include "nicset/reg_key.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace nicset {

bool RegKey::Take(plat::Registry& registry, std::string path, std::unique_ptr<plat::RegKey> key) {
    if (!key) return false;
    registry_ = &registry;
    path_ = std::move(path);
    key_ = std::move(key);
    return true;
}

bool RegKey::Open(plat::Registry& registry, std::string_view path) {
    if (IsOpen() || path.empty()) return false;
    return Take(registry, std::string(path), registry.Open(path));
}

bool RegKey::Open(const RegKey& parent, std::string_view subkey) {
    if (!parent.IsOpen()) return false;
    return Open(*parent.registry_, plat::JoinPath(parent.path_, subkey));
}

bool RegKey::OpenChild(std::string_view subkey, RegKey& child) const {
    return child.Open(*this, subkey);
}

bool RegKey::Create(plat::Registry& registry, std::string_view path, bool* created) {
    if (IsOpen() || path.empty()) return false;
    const bool existed = plat::KeyExists(registry, path);
    if (!Take(registry, std::string(path), registry.Create(path))) return false;
    if (created) *created = !existed;
    return true;
}

bool RegKey::Create(const RegKey& parent, std::string_view subkey, bool* created) {
    // An empty name would only open the parent again, which is not a create.
    if (!parent.IsOpen() || subkey.empty()) return false;
    return Create(*parent.registry_, plat::JoinPath(parent.path_, subkey), created);
}

bool RegKey::CreateChild(std::string_view subkey, RegKey& child, bool* created) const {
    return child.Create(*this, subkey, created);
}

void RegKey::Close() {
    key_.reset();
    path_.clear();
    registry_ = nullptr;
}

std::optional<std::uint32_t> RegKey::ReadDword(std::string_view name) const {
    if (!IsOpen()) return std::nullopt;
    return plat::ReadDword(*key_, name);
}

std::optional<std::string> RegKey::ReadString(std::string_view name) const {
    if (!IsOpen()) return std::nullopt;
    auto v = key_->Get(name);
    if (!v || (v->type != plat::RegType::Sz && v->type != plat::RegType::ExpandSz))
        return std::nullopt;
    if (v->data.size() > kStringBufferBytes) return std::nullopt;
    auto end = std::find(v->data.begin(), v->data.end(), std::uint8_t{0});
    // A full buffer without a zero in it leaves no place for the terminator.
    if (end == v->data.end() && v->data.size() == kStringBufferBytes) return std::nullopt;
    return std::string(v->data.begin(), end);
}

bool RegKey::ValueExists(std::string_view name) const {
    return IsOpen() && plat::ValueExists(*key_, name);
}

std::optional<std::string> RegKey::EnumSubKey(std::size_t n) const {
    if (!IsOpen()) return std::nullopt;
    auto names = key_->SubKeyNames();
    if (n >= names.size() || names[n].size() >= kNameBufferBytes) return std::nullopt;
    return std::move(names[n]);
}

bool RegKey::WriteDword(std::string_view name, std::uint32_t value) {
    return IsOpen() && plat::WriteDword(*key_, name, value);
}

bool RegKey::WriteString(std::string_view name, std::string_view text) {
    return IsOpen() && plat::WriteString(*key_, name, text);
}

bool RegKey::DeleteValue(std::string_view name) {
    return IsOpen() && key_->DeleteValue(name);
}

bool RegKey::DeleteChildTree(std::string_view subkey) {
    if (!IsOpen() || subkey.empty()) return false;
    return registry_->DeleteTree(plat::JoinPath(path_, subkey));
}

bool RegKey::MoveChild(std::string_view from, std::string_view to) {
    if (!IsOpen() || from.empty() || to.empty()) return false;
    return registry_->MoveKey(plat::JoinPath(path_, from), plat::JoinPath(path_, to));
}

}  // namespace nicset
