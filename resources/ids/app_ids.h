// Resource and command ids of the app layer.
#pragma once
