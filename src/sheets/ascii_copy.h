// The NFO in plain ASCII, for sites and viewers that garble CP437: every byte outside the
// printable ASCII range replaced by the ASCII character that looks most like it, one byte for one
// byte, so that each line keeps its width and the art its shape.
#pragma once

#include <cstdint>
#include <string>

// The printable ASCII character (0x20-0x7E) standing for the byte: itself for 0x20-0x7E, frames by
// + - | =, shades and blocks by . : # (the half blocks by " _ |, so that block letters stay
// legible), accented letters by their base letter, other symbols by a close sign or ?. A tab is a
// space and LF gives itself; CR gives the form of the note drawn for it within a line.
char asciiForm(uint8_t byte);

// The text with each byte in its ASCII form but the CR of each CR LF, so the line ends stay.
std::string asciiCopy(const std::string& text);
