// velmora started on a simulated PC with nothing in it but what a test adds.
#pragma once
#include "app/velmora.h"
#include "sim/pc.h"

struct SimProgram {
    sim::Pc pc;
    plat::Platform platform = pc.platform();
    app::Velmora velmora{platform};
    app::TForm1& form = velmora.form;
};
