// Simulated files: version resources and last-write times by path, time zone, Windows folder.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "sim/recent.h"

namespace sim {

// FILETIME of a UTC (or local) civil time; the date must be 1601 or later.
plat::FileTime FileTimeFromCivil(int year, unsigned month, unsigned day, unsigned hour = 0,
                                 unsigned minute = 0, unsigned second = 0);
// The packed FAT date and time, as FileTimeToDosDateTime makes it: seconds in units of two,
// years 1980 to 2107 only (nullopt outside them).
std::optional<plat::DosDateTime> DosFromFileTime(plat::FileTime t);

// Paths compare as Windows compares them: case-insensitive, '/' and '\' alike, repeated
// separators as one.
class Files final : public plat::Files {
  public:
    std::optional<plat::FileVersion> Version(std::string_view path) override;
    std::optional<plat::FileTime> LastWriteTime(std::string_view path) override;
    // Adds the time-zone offset; fails only where the result leaves the FILETIME range.
    std::optional<plat::FileTime> ToLocalTime(plat::FileTime utc) override;
    std::optional<plat::DosDateTime> ToDosDateTime(plat::FileTime t) override;
    std::string WindowsDirectory() override { return windowsDirectory_; }

    // A file without version gives no version resource; lastWrite is UTC.
    void AddFile(std::string_view path, std::optional<plat::FileVersion> version = std::nullopt,
                 plat::FileTime lastWrite = 0);
    void RemoveFile(std::string_view path);
    bool HasFile(std::string_view path) const;
    // A file that exists but cannot be opened for reading: its time cannot be read.
    void SetUnopenable(std::string_view path, bool unopenable = true);
    // Local time = UTC + minutes.
    void SetTimeZoneOffsetMinutes(int minutes) { offsetMinutes_ = minutes; }
    void SetWindowsDirectory(std::string dir) { windowsDirectory_ = std::move(dir); }

    // The latest paths asked for, as given, in order.
    const Recent<std::string>& VersionQueries() const { return versionQueries_; }
    const Recent<std::string>& TimeQueries() const { return timeQueries_; }

  private:
    struct Entry {
        std::optional<plat::FileVersion> version;
        plat::FileTime lastWrite = 0;
        bool unopenable = false;
    };
    const Entry* Find(std::string_view path) const;

    std::map<std::string, Entry> files_;  // by normalised path
    int offsetMinutes_ = 0;
    std::string windowsDirectory_ = "C:\\WINDOWS";
    Recent<std::string> versionQueries_;
    Recent<std::string> timeQueries_;
};

}  // namespace sim
