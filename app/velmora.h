// The program: its error boundary, its one adapter context and its main window, in the order
// of their lives.
#pragma once
#include "adapter/context.h"
#include "app/form.h"
#include "platform/boundary.h"
#include "platform/platform.h"

namespace app {

class Velmora {
  public:
    explicit Velmora(plat::Platform& platform);
    ~Velmora();
    Velmora(const Velmora&) = delete;
    Velmora& operator=(const Velmora&) = delete;

    plat::Platform& platform;
    // Every entry from Windows runs through it: the timers here, the windows in the binding.
    plat::ErrorBoundary boundary;
    adapter::AdapterContext adapter;  // made before the window, gone after it
    TForm1 form;
};

}  // namespace app
