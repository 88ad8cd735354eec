#include "win32/registry.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace win32 {

namespace {

constexpr REGSAM kReadWrite = KEY_READ | KEY_WRITE;

class KeyHandle {
  public:
    explicit KeyHandle(HKEY h) : h_(h) {}
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    ~KeyHandle() { RegCloseKey(h_); }
    HKEY get() const { return h_; }

  private:
    HKEY h_;
};

class Key final : public plat::RegKey {
  public:
    explicit Key(HKEY h) : handle_(h) {}
    HKEY get() const { return handle_.get(); }

    std::optional<plat::RegValue> Get(std::string_view name) const override {
        if (!plat::IsValidValueName(name)) return std::nullopt;
        std::string n(name);
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(get(), n.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        // One spare byte: for an unterminated string Windows adds a zero it does not count.
        std::vector<std::uint8_t> data(size + 1);
        for (;;) {
            size = static_cast<DWORD>(data.size());
            LONG r = RegQueryValueExA(get(), n.c_str(), nullptr, &type, data.data(), &size);
            if (r == ERROR_MORE_DATA) {  // it grew since the first call
                data.resize(size + 1);
                continue;
            }
            if (r != ERROR_SUCCESS) return std::nullopt;
            data.resize(size);
            return plat::RegValue{static_cast<plat::RegType>(type), std::move(data)};
        }
    }

    bool Set(std::string_view name, plat::RegType type,
             std::span<const std::uint8_t> data) override {
        if (!plat::IsValidValueName(name) || data.size() >= MAXDWORD) return false;
        // Windows counts a string's terminator for the caller who left it out if the byte after
        // the data is zero; a nonzero byte there keeps the data exactly as given.
        std::vector<std::uint8_t> buf(data.begin(), data.end());
        buf.push_back(0xFF);
        return RegSetValueExA(get(), std::string(name).c_str(), 0, static_cast<DWORD>(type),
                              buf.data(), static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
    }

    bool DeleteValue(std::string_view name) override {
        if (!plat::IsValidValueName(name)) return false;
        return RegDeleteValueA(get(), std::string(name).c_str()) == ERROR_SUCCESS;
    }

    std::vector<std::string> SubKeyNames() const override {
        return Enumerate([this](DWORD i, char* buf, DWORD* len) {
            return RegEnumKeyExA(get(), i, buf, len, nullptr, nullptr, nullptr, nullptr);
        });
    }

    std::vector<std::string> ValueNames() const override {
        return Enumerate([this](DWORD i, char* buf, DWORD* len) {
            return RegEnumValueA(get(), i, buf, len, nullptr, nullptr, nullptr, nullptr);
        });
    }

  private:
    template <typename EnumFn>
    static std::vector<std::string> Enumerate(EnumFn enum_at) {
        std::vector<std::string> names;
        std::vector<char> buf(256);
        for (DWORD i = 0;;) {
            auto len = static_cast<DWORD>(buf.size());
            LONG r = enum_at(i, buf.data(), &len);
            if (r == ERROR_MORE_DATA && buf.size() <= plat::kMaxValueNameLength) {
                buf.resize(plat::kMaxValueNameLength + 1);
                continue;
            }
            if (r != ERROR_SUCCESS) return names;  // ERROR_NO_MORE_ITEMS, or the key is gone
            names.emplace_back(buf.data(), len);
            ++i;
        }
    }

    KeyHandle handle_;
};

// Wine's ANSI calls convert the path in a buffer of MAX_PATH characters, so a longer path
// goes a piece at a time, each piece as long as fits. Real paths never come near it.
constexpr std::size_t kMaxAnsiPath = MAX_PATH - 1;

using Step = LONG (*)(HKEY parent, const char* path, REGSAM access, HKEY* out, DWORD* disposition);

LONG OpenStep(HKEY parent, const char* path, REGSAM access, HKEY* out, DWORD*) {
    return RegOpenKeyExA(parent, path, 0, access, out);
}

LONG CreateStep(HKEY parent, const char* path, REGSAM access, HKEY* out, DWORD* disposition) {
    return RegCreateKeyExA(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, out,
                           disposition);
}

// `path` is valid (SplitKeyPath), so every piece ends at a backslash within the limit.
LONG Walk(Step step, HKEY parent, std::string_view path, REGSAM access, HKEY* out,
          DWORD* disposition) {
    std::unique_ptr<KeyHandle> piece;
    while (path.size() > kMaxAnsiPath) {
        auto cut = path.rfind('\\', kMaxAnsiPath);
        HKEY h = nullptr;
        LONG r = step(parent, std::string(path.substr(0, cut)).c_str(),
                      step == OpenStep ? KEY_READ : KEY_CREATE_SUB_KEY, &h, nullptr);
        if (r != ERROR_SUCCESS) return r;
        piece = std::make_unique<KeyHandle>(h);
        parent = h;
        path.remove_prefix(cut + 1);
    }
    return step(parent, std::string(path).c_str(), access, out, disposition);
}

std::unique_ptr<Key> OpenKey(HKEY parent, std::string_view path) {
    HKEY h = nullptr;
    LONG r = Walk(OpenStep, parent, path, kReadWrite, &h, nullptr);
    if (r == ERROR_ACCESS_DENIED) r = Walk(OpenStep, parent, path, KEY_READ, &h, nullptr);
    if (r != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Key>(h);
}

// Creates `path` and reports whether it was new.
std::unique_ptr<Key> CreateKey(HKEY parent, std::string_view path, bool* created = nullptr) {
    HKEY h = nullptr;
    DWORD disposition = 0;
    if (Walk(CreateStep, parent, path, kReadWrite, &h, &disposition) != ERROR_SUCCESS)
        return nullptr;
    if (created) *created = disposition == REG_CREATED_NEW_KEY;
    return std::make_unique<Key>(h);
}

// Windows before Vista deletes only keys without subkeys, so the tree goes leaves first.
bool DeleteSubtree(HKEY parent, const std::string& name) {
    {
        auto key = OpenKey(parent, name);
        if (!key) return false;
        for (const auto& sub : key->SubKeyNames())
            if (!DeleteSubtree(key->get(), sub)) return false;
    }
    return RegDeleteKeyA(parent, name.c_str()) == ERROR_SUCCESS;
}

bool CopyTree(const Key& from, Key& to) {
    for (const auto& name : from.ValueNames()) {
        auto v = from.Get(name);
        if (!v || !to.Set(name, v->type, v->data)) return false;
    }
    for (const auto& sub : from.SubKeyNames()) {
        auto src = OpenKey(from.get(), sub);
        auto dst = src ? CreateKey(to.get(), sub) : nullptr;
        if (!dst || !CopyTree(*src, *dst)) return false;
    }
    return true;
}

// Hives and keys directly under HKEY_LOCAL_MACHINE are never deleted or moved: a recursive
// delete there would take much of the system before Windows refused the hive itself.
bool BelowHive(std::string_view path) {
    auto names = plat::SplitKeyPath(path);
    return names && names->size() >= 2;
}

}  // namespace

std::unique_ptr<plat::RegKey> AdoptKey(HKEY key) { return std::make_unique<Key>(key); }

std::unique_ptr<plat::RegKey> Registry::Open(std::string_view path) {
    if (!plat::SplitKeyPath(path)) return nullptr;
    return OpenKey(HKEY_LOCAL_MACHINE, path);
}

std::unique_ptr<plat::RegKey> Registry::Create(std::string_view path) {
    if (!plat::SplitKeyPath(path)) return nullptr;
    return CreateKey(HKEY_LOCAL_MACHINE, path);
}

bool Registry::DeleteTree(std::string_view path) {
    if (!BelowHive(path)) return false;
    auto cut = path.rfind('\\');
    auto parent = OpenKey(HKEY_LOCAL_MACHINE, path.substr(0, cut));
    return parent && DeleteSubtree(parent->get(), std::string(path.substr(cut + 1)));
}

bool Registry::MoveKey(std::string_view from, std::string_view to) {
    if (!BelowHive(from) || !BelowHive(to) || plat::IsSameOrBelow(to, from)) return false;
    auto source = OpenKey(HKEY_LOCAL_MACHINE, from);
    if (!source) return false;
    bool created = false;
    auto target = CreateKey(HKEY_LOCAL_MACHINE, to, &created);
    if (!target || !created) return false;
    bool copied = CopyTree(*source, *target);
    source.reset();
    target.reset();
    // A failed copy leaves the source as it was. A source that will not go after a full copy
    // leaves both: the data is never lost, and the caller learns of it from false.
    if (!copied) {
        DeleteTree(to);
        return false;
    }
    return DeleteTree(from);
}

}  // namespace win32
