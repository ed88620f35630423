// Resource and command ids of the dialogs layer.
#pragma once
