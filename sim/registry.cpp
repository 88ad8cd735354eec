#include "sim/registry.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace sim {

namespace {

struct Node {
    std::string name;
    // Keyed by the upper-case name, so the map's order is NT's enumeration order.
    std::map<std::string, std::shared_ptr<Node>> subkeys;
    std::vector<std::pair<std::string, plat::RegValue>> values;  // creation order

    auto FindValue(std::string_view n) {
        return std::find_if(values.begin(), values.end(),
                            [&](const auto& v) { return plat::SameName(v.first, n); });
    }
};

std::shared_ptr<Node> CopyTree(const Node& from, std::string_view name) {
    auto to = std::make_shared<Node>();
    to->name = name;
    to->values = from.values;
    for (const auto& [upper, sub] : from.subkeys)
        to->subkeys.emplace(upper, CopyTree(*sub, sub->name));
    return to;
}

// Length of `path` up to and including names[i].
std::size_t PrefixLength(std::string_view path, const std::vector<std::string_view>& names,
                         std::size_t i) {
    return static_cast<std::size_t>(names[i].data() - path.data()) + names[i].size();
}

}  // namespace

struct Registry::State {
    std::shared_ptr<Node> root = std::make_shared<Node>();
    std::vector<std::string> refused;  // upper-case paths
    std::vector<std::string> refusedValues;  // upper-case value names
    std::uint64_t writes = 0;
    std::uint64_t valueRefusals = 0;

    bool ValueRefused(std::string_view name) {
        const bool hit = std::find(refusedValues.begin(), refusedValues.end(),
                                   plat::UpperName(name)) != refusedValues.end();
        if (hit) ++valueRefusals;
        return hit;
    }

    // A write to the key at `upper` is refused at or below a refused key.
    bool Refused(std::string_view upper) const {
        return std::any_of(refused.begin(), refused.end(),
                           [&](const std::string& r) { return plat::IsSameOrBelow(upper, r); });
    }
    // Removing the tree at `upper` also removes any refused key inside it.
    bool TreeRefused(std::string_view upper) const {
        return Refused(upper) ||
               std::any_of(refused.begin(), refused.end(),
                           [&](const std::string& r) { return plat::IsSameOrBelow(r, upper); });
    }

    // The deepest existing key along `names`, and how many names it took to get there.
    std::pair<std::shared_ptr<Node>, std::size_t> Walk(const std::vector<std::string_view>& names) {
        auto node = root;
        std::size_t i = 0;
        for (; i < names.size(); ++i) {
            auto it = node->subkeys.find(plat::UpperName(names[i]));
            if (it == node->subkeys.end()) break;
            node = it->second;
        }
        return {node, i};
    }
    std::shared_ptr<Node> Find(const std::vector<std::string_view>& names) {
        auto [node, found] = Walk(names);
        return found == names.size() ? node : nullptr;
    }

    // Whether the keys along `names` from names[i] on, missing so far, may be made: never new
    // hives, and nothing in a refused tree.
    bool MayAdd(std::string_view path, const std::vector<std::string_view>& names,
                std::size_t i) const {
        return i > 0 && !Refused(plat::UpperName(path.substr(0, PrefixLength(path, names, i))));
    }
    std::shared_ptr<Node> Add(std::shared_ptr<Node> node,
                              const std::vector<std::string_view>& names, std::size_t i) {
        for (; i < names.size(); ++i) {
            auto sub = std::make_shared<Node>();
            sub->name = names[i];
            node = node->subkeys.emplace(plat::UpperName(names[i]), sub).first->second;
        }
        return node;
    }
};

namespace {

class Key final : public plat::RegKey {
  public:
    Key(std::weak_ptr<Registry::State> state, std::weak_ptr<Node> node, std::string upper)
        : state_(std::move(state)), node_(std::move(node)), upper_(std::move(upper)) {}

    std::optional<plat::RegValue> Get(std::string_view name) const override {
        auto node = node_.lock();
        if (!node || !plat::IsValidValueName(name)) return std::nullopt;
        auto it = node->FindValue(name);
        if (it == node->values.end()) return std::nullopt;
        return it->second;
    }

    bool Set(std::string_view name, plat::RegType type,
             std::span<const std::uint8_t> data) override {
        auto [state, node] = Writable();
        if (!node || !plat::IsValidValueName(name) || state->ValueRefused(name)) return false;
        plat::RegValue value{type, {data.begin(), data.end()}};
        auto it = node->FindValue(name);
        if (it == node->values.end())
            node->values.emplace_back(std::string(name), std::move(value));
        else
            it->second = std::move(value);  // keeps the name's case and place
        ++state->writes;
        return true;
    }

    bool DeleteValue(std::string_view name) override {
        auto [state, node] = Writable();
        if (!node) return false;
        auto it = node->FindValue(name);
        if (it == node->values.end()) return false;
        node->values.erase(it);
        ++state->writes;
        return true;
    }

    std::vector<std::string> SubKeyNames() const override {
        std::vector<std::string> names;
        if (auto node = node_.lock())
            for (const auto& [upper, sub] : node->subkeys) names.push_back(sub->name);
        return names;
    }

    std::vector<std::string> ValueNames() const override {
        std::vector<std::string> names;
        if (auto node = node_.lock())
            for (const auto& v : node->values) names.push_back(v.first);
        return names;
    }

  private:
    // Both null unless the key still exists and may be written.
    std::pair<std::shared_ptr<Registry::State>, std::shared_ptr<Node>> Writable() const {
        auto state = state_.lock();
        auto node = node_.lock();
        if (!state || !node || state->Refused(upper_)) return {};
        return {state, node};
    }

    std::weak_ptr<Registry::State> state_;
    std::weak_ptr<Node> node_;
    std::string upper_;
};

}  // namespace

Registry::Registry() : state_(std::make_shared<State>()) {
    for (const char* hive : {"HARDWARE", "SAM", "SECURITY", "SOFTWARE", "SYSTEM"}) {
        auto node = std::make_shared<Node>();
        node->name = hive;
        state_->root->subkeys.emplace(hive, node);
    }
}

Registry::~Registry() = default;

std::unique_ptr<plat::RegKey> Registry::Open(std::string_view path) {
    auto names = plat::SplitKeyPath(path);
    if (!names) return nullptr;
    auto node = state_->Find(*names);
    if (!node) return nullptr;
    return std::make_unique<Key>(state_, node, plat::UpperName(path));
}

std::unique_ptr<plat::RegKey> Registry::Create(std::string_view path) {
    auto names = plat::SplitKeyPath(path);
    if (!names) return nullptr;
    auto [node, found] = state_->Walk(*names);
    if (found < names->size()) {
        if (!state_->MayAdd(path, *names, found)) return nullptr;
        node = state_->Add(node, *names, found);
        ++state_->writes;
    }
    return std::make_unique<Key>(state_, node, plat::UpperName(path));
}

bool Registry::DeleteTree(std::string_view path) {
    auto names = plat::SplitKeyPath(path);
    if (!names || names->size() < 2) return false;
    auto leaf = plat::UpperName(names->back());
    names->pop_back();
    auto parent = state_->Find(*names);
    if (!parent || !parent->subkeys.contains(leaf) || state_->TreeRefused(plat::UpperName(path)))
        return false;
    parent->subkeys.erase(leaf);
    ++state_->writes;
    return true;
}

bool Registry::MoveKey(std::string_view from, std::string_view to) {
    auto src = plat::SplitKeyPath(from);
    auto dst = plat::SplitKeyPath(to);
    if (!src || !dst || src->size() < 2 || dst->size() < 2 || plat::IsSameOrBelow(to, from))
        return false;
    auto source = state_->Find(*src);
    if (!source || state_->TreeRefused(plat::UpperName(from))) return false;
    auto [node, found] = state_->Walk(*dst);
    if (found == dst->size() || !state_->MayAdd(to, *dst, found)) return false;

    // A fresh copy rather than the same node, so keys opened on the source die with it.
    auto copy = CopyTree(*source, dst->back());
    auto leaf = plat::UpperName(dst->back());
    dst->pop_back();
    state_->Add(node, *dst, found)->subkeys.emplace(leaf, std::move(copy));

    auto source_leaf = plat::UpperName(src->back());
    src->pop_back();
    state_->Find(*src)->subkeys.erase(source_leaf);
    ++state_->writes;
    return true;
}

void Registry::Refuse(std::string_view path) {
    auto upper = plat::UpperName(path);
    if (std::find(state_->refused.begin(), state_->refused.end(), upper) == state_->refused.end())
        state_->refused.push_back(std::move(upper));
}

void Registry::Allow(std::string_view path) {
    std::erase(state_->refused, plat::UpperName(path));
}

void Registry::RefuseValue(std::string_view name) {
    auto upper = plat::UpperName(name);
    auto& names = state_->refusedValues;
    if (std::find(names.begin(), names.end(), upper) == names.end())
        names.push_back(std::move(upper));
}

void Registry::AllowValue(std::string_view name) {
    std::erase(state_->refusedValues, plat::UpperName(name));
}

std::uint64_t Registry::ValueRefusals() const {
    return state_->valueRefusals;
}

std::uint64_t Registry::WriteCount() const {
    return state_->writes;
}

}  // namespace sim
