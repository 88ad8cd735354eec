// The program: its one adapter context and its main window, in the order of their lives.
#pragma once
#include "adapter/context.h"
#include "app/form.h"
#include "platform/platform.h"

namespace app {

class Velmora {
  public:
    explicit Velmora(plat::Platform& platform) : adapter(platform), form(platform, adapter) {}

    adapter::AdapterContext adapter;  // made before the window, gone after it
    TForm1 form;
};

}  // namespace app
