// Resource and command ids of the platform layer.
#pragma once
