// The simulated PC's registry: HKEY_LOCAL_MACHINE in memory, with the NT family's behaviour.
#pragma once
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/registry.h"

namespace sim {

// Names match ignoring case and keep the case they were created with; subkeys enumerate sorted
// by their upper-case names and values in creation order, as on NT. The root holds only the
// hives (HARDWARE, SAM, SECURITY, SOFTWARE, SYSTEM): keys cannot be created, deleted or moved
// directly under it. Keys handed out hold no ownership: once their key is deleted, or the
// registry is gone, every operation on them fails.
class Registry final : public plat::Registry {
  public:
    Registry();
    ~Registry() override;
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    std::unique_ptr<plat::RegKey> Open(std::string_view path) override;
    std::unique_ptr<plat::RegKey> Create(std::string_view path) override;
    bool DeleteTree(std::string_view path) override;
    bool MoveKey(std::string_view from, std::string_view to) override;

    // Test hooks: every write at or below a refused key fails, as it does for a user without
    // rights there. Creating a refused key, or deleting a tree that holds one, fails too;
    // opening and reading still work. The path need not exist yet.
    void Refuse(std::string_view path);
    void Allow(std::string_view path);
    // Fault point: setting a value of this name fails in every key; ValueRefusals counts the
    // writes it turned away.
    void RefuseValue(std::string_view name);
    void AllowValue(std::string_view name);
    std::uint64_t ValueRefusals() const;
    // Successful changes so far: values set or deleted, Create calls that made keys, trees
    // deleted, keys moved.
    std::uint64_t WriteCount() const;

    struct State;

  private:
    std::shared_ptr<State> state_;
};

}  // namespace sim
