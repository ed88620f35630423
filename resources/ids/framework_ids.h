// Resource and command ids of the framework layer.
#pragma once
