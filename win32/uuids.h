// RPC run-time UUIDs.
#pragma once
#include <windows.h>
// After windows.h, which it needs.
#include <rpc.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/uuids.h"

namespace win32 {

inline constexpr const char* kRpcLibrary = "rpcrt4.dll";

class Module;

// The RPC run-time is loaded at the first Create and kept while this object lives: it serves
// one UUID per installation, so the program does not carry it from the start. Without it (or
// its entry, or when it fails) a random version 4 UUID is made here instead.
class Uuids final : public plat::Uuids {
  public:
    // The library name is for tests that take it away.
    explicit Uuids(std::string rpcLibrary = kRpcLibrary);
    ~Uuids() override;
    Uuids(const Uuids&) = delete;
    Uuids& operator=(const Uuids&) = delete;

    // A UUID unique to this computer only (no network card) is still taken.
    plat::Uuid Create() override;
    // The RPC run-time's text form, made here: rendering needs no library.
    std::optional<std::string> Render(const plat::Uuid& id) override;

    // How many UUIDs were made without the RPC run-time.
    int FallbackCount() const { return fallbacks_; }

  private:
    plat::Uuid Fallback();

    std::string rpcName_;
    bool loadTried_ = false;
    std::unique_ptr<Module> rpc_;
    decltype(&UuidCreate) uuidCreate_ = nullptr;
    std::uint64_t state_ = 0;
    int fallbacks_ = 0;
};

}  // namespace win32
