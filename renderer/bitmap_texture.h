// Turns a bitmap resource of the renderer executable into a mipmapped texture in a slot.
#pragma once

// True when bitmap resource `id` was loaded and uploaded into TextureSlots[slot]; false (slot left
// untouched) when the resource cannot be loaded. Needs a current rendering context.
bool LoadBitmapTexture(int id, int slot);
