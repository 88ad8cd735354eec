#include "sim/uuids.h"

namespace sim {

plat::Uuid Uuids::Create() {
    plat::Uuid id = plat::RandomUuid(state_);
    created_.push_back(id);
    return id;
}

std::optional<std::string> Uuids::Render(const plat::Uuid& id) {
    rendered_.push_back(id);
    if (renderFails_) return std::nullopt;
    return plat::FormatUuid(id);
}

}  // namespace sim
