#include "sheets/ascii_copy.h"

namespace {

// The ASCII form of each byte, sixteen a row (ASCII itself thirty-two); the CP437 characters they
// stand for are in the comments.
const char asciiForms[257] =
    // NUL ☺ ☻ ♥ ♦ ♣ ♠ • ◘ TAB LF ♂ ♀ ♪ (CR) ♫ ☼
    " oo*****# \noo??*"
    // ► ◄ ↕ ‼ ¶ § ▬ ↨ ↑ ↓ → ← ∟ ↔ ▲ ▼
    "><|!PS-|^v><L-^v"
    // ASCII itself, and ⌂
    " !\"#$%&'()*+,-./0123456789:;<=>?"
    "@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_"
    "`abcdefghijklmnopqrstuvwxyz{|}~^"
    // Ç ü é â ä à å ç ê ë è ï î ì Ä Å
    "CueaaaaceeeiiiAA"
    // É æ Æ ô ö ò û ù ÿ Ö Ü ¢ £ ¥ ₧ ƒ
    "EaAooouuyOUcLYPf"
    // á í ó ú ñ Ñ ª º ¿ ⌐ ¬ ½ ¼ ¡ « »
    "aiounNao?--?\?!<>"  // (\? keeps ??! from reading as a trigraph)
    // ░ ▒ ▓ │ ┤ ╡ ╢ ╖ ╕ ╣ ║ ╗ ╝ ╜ ╛ ┐
    ".:#|++++++|+++++"
    // └ ┴ ┬ ├ ─ ┼ ╞ ╟ ╚ ╔ ╩ ╦ ╠ ═ ╬ ╧
    "++++-++++++++=++"
    // ╨ ╤ ╥ ╙ ╘ ╒ ╓ ╫ ╪ ┘ ┌ █ ▄ ▌ ▐ ▀
    "+++++++++++#_||\""
    // α ß Γ π Σ σ µ τ Φ Θ Ω δ ∞ φ ε ∩
    "asGpSsutOOOd8oen"
    // ≡ ± ≥ ≤ ⌠ ⌡ ÷ ≈ ° ∙ · √ ⁿ ² ■ NBSP
    "=+><||/~o..vn2# ";

static_assert(sizeof asciiForms == 257, "one form a byte");

}  // namespace

char asciiForm(uint8_t byte) {
    return asciiForms[byte];
}

std::string asciiCopy(const std::string& text) {
    std::string copy(text.size(), ' ');
    for (size_t i = 0; i < text.size(); ++i) {
        const bool lineEnd = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        copy[i] = lineEnd ? '\r' : asciiForm(static_cast<uint8_t>(text[i]));
    }
    return copy;
}
