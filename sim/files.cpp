#include "sim/files.h"

#include <cstdint>
#include <utility>

namespace sim {

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsPerDay = 86'400;
constexpr std::int64_t kDays1601To1970 = 134'774;

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct Civil {
    std::int64_t year;
    unsigned month, day;
};

Civil CivilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2), m, d};
}

std::string Normalise(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (char c : path) {
        if (c == '/') c = '\\';
        if (c == '\\' && !out.empty() && out.back() == '\\') continue;
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        out.push_back(c);
    }
    return out;
}

}  // namespace

plat::FileTime FileTimeFromCivil(int year, unsigned month, unsigned day, unsigned hour,
                                 unsigned minute, unsigned second) {
    const std::int64_t days = DaysFromCivil(year, month, day) + kDays1601To1970;
    const std::int64_t secs = days * kSecondsPerDay + hour * 3600 + minute * 60 + second;
    return secs < 0 ? 0 : static_cast<plat::FileTime>(secs * kTicksPerSecond);
}

std::optional<plat::DosDateTime> DosFromFileTime(plat::FileTime t) {
    const auto secs = static_cast<std::int64_t>(t / kTicksPerSecond);
    const Civil c = CivilFromDays(secs / kSecondsPerDay - kDays1601To1970);
    if (c.year < 1980 || c.year > 2107) return std::nullopt;
    const auto sod = static_cast<unsigned>(secs % kSecondsPerDay);
    const unsigned hour = sod / 3600, minute = sod / 60 % 60, second = sod % 60;
    plat::DosDateTime out;
    out.date = static_cast<std::uint16_t>(((c.year - 1980) << 9) | (c.month << 5) | c.day);
    out.time = static_cast<std::uint16_t>((hour << 11) | (minute << 5) | (second / 2));
    return out;
}

std::optional<plat::FileVersion> Files::Version(std::string_view path) {
    versionQueries_.push_back(std::string(path));
    const Entry* e = Find(path);
    if (!e) return std::nullopt;
    return e->version;
}

std::optional<plat::FileTime> Files::LastWriteTime(std::string_view path) {
    timeQueries_.push_back(std::string(path));
    const Entry* e = Find(path);
    if (!e || e->unopenable) return std::nullopt;
    return e->lastWrite;
}

std::optional<plat::FileTime> Files::ToLocalTime(plat::FileTime utc) {
    // FILETIME values are signed 64-bit quantities in the kernel.
    const auto shift = static_cast<std::int64_t>(offsetMinutes_) * 60 * kTicksPerSecond;
    const auto u = static_cast<std::int64_t>(utc);
    if (u < 0) return std::nullopt;
    if (shift > 0 && u > INT64_MAX - shift) return std::nullopt;
    if (u + shift < 0) return std::nullopt;
    return static_cast<plat::FileTime>(u + shift);
}

std::optional<plat::DosDateTime> Files::ToDosDateTime(plat::FileTime t) {
    return DosFromFileTime(t);
}

void Files::AddFile(std::string_view path, std::optional<plat::FileVersion> version,
                    plat::FileTime lastWrite) {
    files_[Normalise(path)] = Entry{version, lastWrite, false};
}

void Files::RemoveFile(std::string_view path) {
    files_.erase(Normalise(path));
}

bool Files::HasFile(std::string_view path) const {
    return Find(path) != nullptr;
}

void Files::SetUnopenable(std::string_view path, bool unopenable) {
    auto it = files_.find(Normalise(path));
    if (it != files_.end()) it->second.unopenable = unopenable;
}

const Files::Entry* Files::Find(std::string_view path) const {
    auto it = files_.find(Normalise(path));
    return it == files_.end() ? nullptr : &it->second;
}

}  // namespace sim
