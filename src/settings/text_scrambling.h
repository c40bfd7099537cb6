#pragma once
// The product texts of the core parameter file are stored with every character shifted by a
// fixed offset, so that they do not show up as plain text in the file.
#include <cstddef>

inline constexpr wchar_t kTextScrambleOffset = 0x1F3D;

// Unscrambles `slot` in place up to its end marker: a stored zero, or a character that
// unscrambles to zero. Returns false when the slot holds no end marker; the text is then
// unusable and must not be read past the slot.
bool UnscrambleText(wchar_t* slot, size_t slotLength);

// Scrambles the zero-terminated text in `slot` in place. Returns false, leaving the slot as
// it was, when the text is unterminated or holds the one character that would scramble to the
// end marker.
bool ScrambleText(wchar_t* slot, size_t slotLength);

template <size_t N>
bool UnscrambleText(wchar_t (&slot)[N]) { return UnscrambleText(slot, N); }
template <size_t N>
bool ScrambleText(wchar_t (&slot)[N]) { return ScrambleText(slot, N); }
