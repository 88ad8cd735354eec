// The stored values of a profile subkey, tied to their ConfigurationRecord fields, in the order
// nicset01 writes them, with the rule that reads each one back.
#pragma once
#include <climits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "nicset/configuration_record.h"

namespace nicset {

struct RecordField {
    std::string_view name;  // as in the schema
    // Exactly one of the two is set.
    const std::string* (*text)(const ConfigurationRecord&) = nullptr;
    const int* (*number)(const ConfigurationRecord&) = nullptr;
    // A number read inside [lo, hi] is taken; one outside gives the record default.
    int lo = INT_MIN;
    int hi = INT_MAX;
    // What a missing (or mistyped) number gives; nullopt: the record default.
    std::optional<int> whenMissing = std::nullopt;
};

// Every profile value nicset01 writes, ConfigurationName first.
std::span<const RecordField> RecordFields();

// Non-const access to the field of a non-const record.
inline std::string& TextOf(const RecordField& f, ConfigurationRecord& r) {
    return const_cast<std::string&>(*f.text(r));
}
inline int& NumberOf(const RecordField& f, ConfigurationRecord& r) {
    return const_cast<int&>(*f.number(r));
}

}  // namespace nicset
