// Resource and command ids of the widgets layer.
#pragma once

// Calendar popup button texts.
#define IDS_OXCAL_TODAY 26854
#define IDS_OXCAL_NONE  26855
