// The settings in force: read back from the registry after every load and Apply.
#pragma once
#include <string>

namespace app {

struct AppliedSettings {
    std::string profileName;
    int profileIndex = 0;
    std::string ssid;
    bool infrastructure = false;
    int band = 0;  // profile NetBand code: 0 2.4 GHz, 1 5 GHz, 2 Auto
    int turbo = 0;
    int powerSaving = 0;
    int adHocBand = 0;
    int txPower = 0;
    std::string channelToken;
    bool preambleAuto = false;
    bool wepEnabled = false;
    int defaultKey = 0;  // 1..4
    int keyBits[4] = {};
    std::string keyText[4];
    bool manualEntry = false;
    std::string passphrase;
    int passBits = 0;
};

}  // namespace app
