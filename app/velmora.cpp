#include "app/velmora.h"

namespace app {

Velmora::Velmora(plat::Platform& p)
    : platform(p),
      boundary(plat::ErrorBox(p.dialogs, kApplicationTitle, [this] { return form.Handle(); })),
      adapter(p),
      form(p, adapter) {
    // A second copy ends at once and must not take the running copy's loop.
    if (form.SecondCopy()) return;
    platform.loop.SetBoundary(&boundary);
    // Start-up can fail like any handler, and only once the window object exists.
    boundary.Run([this] { form.FormCreate(); });
}

Velmora::~Velmora() {
    if (platform.loop.Boundary() == &boundary) platform.loop.SetBoundary(nullptr);
}

}  // namespace app
