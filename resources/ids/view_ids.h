// Resource and command ids of the view layer.
#pragma once
