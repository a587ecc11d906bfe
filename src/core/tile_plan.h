// Where the background painter lays its tiles over a dialog's client area.
//
// Tiles are laid from the device origin, each one step minus one pixel after
// the previous, so neighbours overlap by one pixel, and the loops run one step
// past the area's right and bottom edges.
#pragma once

#include <cstdint>
#include "core/function.h"
#include "core/array.h"

namespace brimel {

// Tile origins along one axis: from 0 while origin < area + step, advancing by
// step - 1.
//
// A step of 1 would not advance and a step below 1 would walk backwards, both
// for ever.  Such sources come only from a one-pixel or empty picture or
// source rectangle.  A one-pixel step advances by one pixel, so a one-pixel
// picture still covers the area, pixel by pixel.  A step of 0 or less has
// nothing to repeat: one tile at 0 is laid, which is all the painter ever drew
// of such a picture before it would have hung.
Array<int32_t> TileAxis(int32_t area, int32_t step);

// Every tile origin handed to a visitor, row by row (y outer, x inner), as
// the painter draws them.
void ForEachTile(int32_t areaWidth, int32_t areaHeight, int32_t stepX, int32_t stepY,
                 const Function<void(int32_t x, int32_t y)>& visit);

}  // namespace brimel
