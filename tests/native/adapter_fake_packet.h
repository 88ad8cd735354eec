// A scripted packet-access library for the adapter tests: cards by open name, answers per
// OID, scripted open failures, and every call recorded.
#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "adapter/oids.h"
#include "adapter/overlapped.h"
#include "platform/packet.h"
#include "platform/system.h"

namespace adapter_test {

struct Answer {
    std::uint32_t result = 0;
    std::vector<std::uint8_t> data;
    std::optional<std::uint32_t> claimWritten;  // reported count, when it is not the copied one
};

struct Card {
    Answer medium{0, {0, 0, 0, 0}};
    Answer address{0, {0x00, 0x1D, 0x5A, 0x01, 0x02, 0x03}};
    std::map<std::uint32_t, Answer> answers;
    std::deque<std::uint32_t> openFailures;  // last errors of the next failed opens
    std::optional<std::uint32_t> failAlways;
};

struct SeenRequest {
    plat::AdapterHandle handle = nullptr;
    std::array<std::uint8_t, sizeof(plat::NdisRequestBlock)> bytes{};  // at entry
    plat::NdisRequestBlock block{};                                    // at entry
    void* overlapped = nullptr;
    void* event = nullptr;  // the completion record's event member at entry
    int wait = 0;
    std::vector<std::uint8_t> setData;  // what a set request's buffer held
};

class FakePacket final : public plat::PacketAccess {
  public:
    plat::OsVersion version{plat::OsFamily::NT, 5, 1};
    std::map<std::string, Card> cards;               // by the name passed to OpenAdapter
    std::map<std::string, std::string> deviceNames;  // subkey -> name at byte 520
    std::optional<std::array<std::uint8_t, plat::kAdapterRegistryRecordSize>> rawRecord;
    std::uint32_t closedHandleResult = 0xC0000001;  // NDIS_STATUS_FAILURE

    std::vector<std::string> registryInfoNames;
    std::vector<std::string> opens;
    std::vector<std::string> log;  // "cancel N", "close N", "bpf N" with N the handle number
    std::vector<SeenRequest> requests;
    std::vector<std::uint8_t> bpf;
    void* cancelRead = nullptr;

    bool IsWindowsNT() override { return version.family == plat::OsFamily::NT; }
    bool IsWindows95() override { return version.family == plat::OsFamily::Win95; }
    std::uint32_t OSGetPlatformVersion(std::uint32_t selector) override {
        return selector == 2 ? version.major : 0;
    }
    bool GetAdapterRegistryInfo(std::uint8_t* record, const char* subkeyName) override {
        registryInfoNames.emplace_back(subkeyName);
        if (rawRecord) {
            std::memcpy(record, rawRecord->data(), rawRecord->size());
            return true;
        }
        std::memset(record, 0, plat::kAdapterRegistryRecordSize);
        auto it = deviceNames.find(subkeyName);
        std::string name = it != deviceNames.end() ? it->second : "ZN" + std::string(subkeyName);
        std::memcpy(record + plat::kAdapterRegistryDeviceNameOffset, name.c_str(), name.size() + 1);
        return true;
    }
    plat::AdapterHandle OpenAdapter(const char* name) override {
        opens.emplace_back(name);
        auto it = cards.find(name);
        if (it == cards.end()) return Fail(2);
        Card& c = it->second;
        if (c.failAlways) return Fail(*c.failAlways);
        if (!c.openFailures.empty()) {
            auto e = c.openFailures.front();
            c.openFailures.pop_front();
            return Fail(e);
        }
        auto h = reinterpret_cast<plat::AdapterHandle>(std::uintptr_t(++handles_));
        open_[h] = name;
        return h;
    }
    std::uint32_t GetLastError() override { return lastError_; }
    std::uint32_t MakeNdisRequest(plat::AdapterHandle h, plat::NdisRequestBlock* request,
                                  void* overlapped, int wait) override {
        SeenRequest seen{h, {}, *request, overlapped, nullptr, wait};
        std::memcpy(seen.bytes.data(), request, sizeof *request);
        if (overlapped) seen.event = static_cast<adapter::OverlappedRecord*>(overlapped)->event;
        if (request->requestType == 1 && request->buffer) {
            auto p = static_cast<const std::uint8_t*>(request->buffer);
            seen.setData.assign(p, p + request->bufferLength);
        }
        requests.push_back(seen);
        auto it = open_.find(h);
        if (it == open_.end()) return closedHandleResult;
        Card& c = cards[it->second];
        const Answer* a = nullptr;
        if (request->oid == adapter::OID_GEN_MEDIA_IN_USE) a = &c.medium;
        if (request->oid == adapter::OID_802_3_CURRENT_ADDRESS) a = &c.address;
        if (auto f = c.answers.find(request->oid); f != c.answers.end()) a = &f->second;
        if (!a) return 0xC0010017;  // NDIS_STATUS_INVALID_OID
        auto n = std::min<std::size_t>(a->data.size(), request->bufferLength);
        if (n) std::memcpy(request->buffer, a->data.data(), n);
        request->bytesWritten = a->claimWritten.value_or(std::uint32_t(n));
        return a->result;
    }
    bool SetBPFProgram(plat::AdapterHandle h, const void* program, std::uint32_t length) override {
        log.push_back("bpf " + Number(h));
        auto p = static_cast<const std::uint8_t*>(program);
        bpf.assign(p, p + length);
        return true;
    }
    bool CancelPacketRead(plat::AdapterHandle h, void* read) override {
        log.push_back("cancel " + Number(h));
        cancelRead = read;
        return true;
    }
    bool CloseAdapter(plat::AdapterHandle h) override {
        log.push_back("close " + Number(h));
        return open_.erase(h) > 0;
    }

    std::size_t OpenCount() const { return open_.size(); }
    static std::string Number(plat::AdapterHandle h) {
        return h == plat::kNoAdapter ? "-1" : std::to_string(reinterpret_cast<std::uintptr_t>(h));
    }

  private:
    plat::AdapterHandle Fail(std::uint32_t error) {
        lastError_ = error;
        return plat::kNoAdapter;
    }
    std::uint32_t lastError_ = 0;
    std::uintptr_t handles_ = 0;
    std::map<plat::AdapterHandle, std::string> open_;
};

}  // namespace adapter_test
