// The modifier keys as every deliverable reads them: the asynchronous key state, non-zero counting as held.
#pragma once
#include <windows.h>

namespace kv {

inline bool KeyHeld(int key) { return GetAsyncKeyState(key) != 0; }

// The first sample reports presses from before the start; it is taken once at start and discarded, so a
// later sample also reports a key pressed in between.
inline void DiscardFirstKeySample() {
  KeyHeld(VK_CONTROL);
  KeyHeld(VK_SHIFT);
}

}  // namespace kv
