// File version resources, file times and the Windows directory.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plat {

// The four numbers of a file's fixed version information.
struct FileVersion {
    std::uint16_t major = 0, minor = 0, build = 0, revision = 0;
    bool operator==(const FileVersion&) const = default;
};

// 100-nanosecond intervals since 1601-01-01, as FILETIME counts them.
using FileTime = std::uint64_t;

// The packed FAT date and time (FileTimeToDosDateTime).
struct DosDateTime {
    std::uint16_t date = 0, time = 0;
    bool operator==(const DosDateTime&) const = default;
};

class Files {
  public:
    virtual ~Files() = default;
    virtual std::optional<FileVersion> Version(std::string_view path) = 0;
    virtual std::optional<FileTime> LastWriteTime(std::string_view path) = 0;
    virtual std::optional<FileTime> ToLocalTime(FileTime utc) = 0;
    virtual std::optional<DosDateTime> ToDosDateTime(FileTime t) = 0;
    virtual std::string WindowsDirectory() = 0;
};

}  // namespace plat
