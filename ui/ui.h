// Every control model.
#pragma once
#include "ui/component.h"
#include "ui/control.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/graph.h"
#include "ui/image.h"
#include "ui/lists.h"
#include "ui/menu.h"
#include "ui/pages.h"
#include "ui/timer.h"
