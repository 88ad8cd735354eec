// Registry editor (.reg) files: seeding a registry from a text fixture and dumping a key back.
// Works over any plat::Registry, so one fixture serves the simulated and the Windows registry.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace sim {

// "Windows Registry Editor Version 5.00" keeps string data of hex(1)/hex(2)/hex(7) values as
// UTF-16LE bytes; "REGEDIT4" keeps it in the ANSI code page (Latin-1 here), as stored.
enum class RegFormat { V5, Regedit4 };

struct RegFileResult {
    bool ok = true;
    int line = 0;  // 1-based line of the first problem; 0 when it has none (unreadable file)
    std::string message;
    explicit operator bool() const { return ok; }
};

// Only HKEY_LOCAL_MACHINE (or HKLM) sections. The text is ANSI unless it begins with a UTF-8
// or UTF-16LE byte order mark; characters outside Latin-1 become '?', as the ANSI calls do.
// The whole text is parsed before anything is written: a malformed file changes nothing. A
// write the registry refuses stops the import there; what came before it stays written.
RegFileResult ImportReg(plat::Registry& reg, std::string_view text);
RegFileResult ImportRegFile(plat::Registry& reg, const std::string& file);

// The key at `path` with its whole subtree, as the registry editor writes it (CRLF lines,
// subkeys and values in enumeration order, hex data wrapped at about 80 columns). Nullopt when
// the key does not exist, or when a key or value name in the tree holds a line break, which no
// line of the file can carry.
std::optional<std::string> ExportReg(plat::Registry& reg, std::string_view path,
                                     RegFormat format = RegFormat::V5);

}  // namespace sim
