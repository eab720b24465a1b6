#pragma once

// The picture table: decoded pictures kept under small numbers from start-up to shutdown.
// Usage at start-up and shutdown:
//
//   enable_jpeg_decoding();
//   const Picture* arrow = load_picture(arrow_picture, picture_jpeg(arrow_picture));
//   ...                                   // null: the control shows no picture
//   release_all_pictures();
//
// A handle stays valid until its number is loaded again or released. All functions are
// for the user-interface thread only.

#include "core/resources/picture.h"

#include <cstdint>
#include <span>

namespace tindrel {

// Lets load_picture take JPEG data; before the first call it takes none. A second call
// does nothing.
void enable_jpeg_decoding();

// Releases whatever picture `number` holds, then decodes `bytes` (see decode_jpeg) and keeps
// the result under `number`. Returns the picture, or null when JPEG decoding is not
// enabled or the data cannot be decoded; the number then stays empty. The length of
// `bytes` bounds every read, whatever the data's own markers say.
const Picture* load_picture(int number, std::span<const uint8_t> bytes);

// The picture held under `number`, or null.
const Picture* find_picture(int number);

// Releases the picture under `number`, if any; its handle becomes invalid.
void release_picture(int number);

// Releases every picture, as shutdown does.
void release_all_pictures();

} // namespace tindrel
