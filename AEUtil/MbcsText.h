#pragma once
// Cutting 8-bit message text to fixed host buffers. Messages are in the user's ANSI
// code page and the fixed Japanese texts are Shift-JIS, so a cut must never leave the
// first byte of a double-byte character dangling at the end.

#include <cstddef>

namespace AEUtil {

// True for a Shift-JIS lead byte (the first byte of a double-byte character).
bool isShiftJisLeadByte(unsigned char byte);

// The largest length n <= maxBytes such that text[0..n) ends on a character boundary.
std::size_t boundedTextLength(const char* text, std::size_t maxBytes);

// Copies as much of text as fits into dest[destSize] with its terminator, cut on a
// character boundary. destSize 0 writes nothing.
void copyBoundedText(char* dest, std::size_t destSize, const char* text);

}  // namespace AEUtil
