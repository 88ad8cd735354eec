// Stand-ins for the applet's window: a three-page sheet, as the profile sheet is, and dialog 110.
#pragma once
#include "nicset/applet.h"

struct SheetWindow : nicset::AppletWindow {
    ui::PropertySheet sheet{"Sheet"};
    ui::PropertyPage a{"A", 106}, b{"B", 107}, c{"C", 111};
    SheetWindow() {
        for (ui::PropertyPage* p : {&a, &b, &c}) sheet.AddPage(*p);
    }
    ui::PropertySheet* AsSheet() override { return &sheet; }
};

struct DialogWindow : nicset::AppletWindow {
    ui::Dialog dialog{"CVNicCfgDlg", 110};
    ui::Dialog* AsDialog() override { return &dialog; }
};
