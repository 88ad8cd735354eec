#include "sim/zn6200_install.h"

#include <memory>

#include "sim/regfile.h"

namespace sim {

namespace {

Zn6200* Install(Pc& pc, Zn6200Options options) {
    // The radio lives in the PC's registry: what has not been written need not be read again.
    auto writes = [&reg = pc.registry()] { return reg.WriteCount(); };
    if (!options.radioStamp) options.radioStamp = writes;
    if (!options.parameterStamp) options.parameterStamp = writes;
    if (!options.cardStamp) options.cardStamp = writes;
    auto card = std::make_unique<Zn6200>(
        pc.registry(), [&loop = pc.loop()] { return loop.NowMs(); }, pc.system(), options);
    Zn6200* raw = card.get();
    pc.setup().Subscribe(raw->DeviceObserver());
    card->OnPresenceChange([&setup = pc.setup(), raw](bool present) {
        auto id = raw->EnumInstanceId();
        if (!id.empty()) setup.SetPresent(id, present);
    });
    if (!raw->Present()) {
        auto id = raw->EnumInstanceId();
        if (!id.empty()) pc.setup().SetPresent(id, false);
    }
    pc.SetPacket(std::move(card));
    return raw;
}

}  // namespace

Zn6200* InstallZn6200(Pc& pc, std::string_view regText, Zn6200Options options) {
    if (!regText.empty() && !ImportReg(pc.registry(), regText)) return nullptr;
    return Install(pc, options);
}

Zn6200* InstallZn6200File(Pc& pc, const std::string& regFile, Zn6200Options options) {
    if (!ImportRegFile(pc.registry(), regFile)) return nullptr;
    return Install(pc, options);
}

}  // namespace sim
