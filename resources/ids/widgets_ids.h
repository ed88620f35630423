// Resource and command ids of the widgets layer.
#pragma once
