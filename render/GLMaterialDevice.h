// Sending a lighting material to a drawing device.
#pragma once

#include "core/display/GLMaterial.h"
#include "core/geometry/ColorRGBA.h"

class CDrawDevice;

// Sends the colours of face 0 or 1 (alpha = percent / 100) and its shininess.
void ApplyMaterial(const CGLMaterial& material, CDrawDevice* device, int face);
// Makes the material one opaque colour (components on the 0..255 scale), then applies face 0.
void SetMaterialColor(CGLMaterial& material, CDrawDevice* device, CColorRGBA color);
