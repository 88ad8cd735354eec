// A library loaded at run time, for entries that a Windows of those we run on may lack.
#pragma once
#include <windows.h>

namespace win32 {

// Holds the library for the object's lifetime; a missing library leaves every entry missing.
class Module {
  public:
    explicit Module(const char* name) : h_(LoadLibraryA(name)) {}
    ~Module() {
        if (h_) FreeLibrary(h_);
    }
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    bool Loaded() const { return h_ != nullptr; }

    // False, with out null, when the library or the entry is missing.
    template <class F>
    bool Get(const char* name, F& out) const {
        out = h_ ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(h_, name)))
                 : nullptr;
        return out != nullptr;
    }

  private:
    HMODULE h_;
};

}  // namespace win32
