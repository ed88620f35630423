// Resource ids of the program: one header per area, each owned by the code that uses it.
#pragma once

#include "platform/win/platform_ids.h"
#include "resources/ids/app_ids.h"
#include "resources/ids/dialogs_ids.h"
#include "resources/ids/framework_ids.h"
#include "resources/ids/view_ids.h"
#include "resources/ids/widgets_ids.h"
