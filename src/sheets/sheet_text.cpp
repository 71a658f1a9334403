#include "sheets/sheet_text.h"

#include <algorithm>
#include <cstdio>

#include "engine/form_table.h"
#include "sheets/cp437.h"
#include "sheets/utf8.h"

namespace {

std::string characterName(char32_t character) {
    std::string name = "\"";
    appendUtf8(name, character);
    return name + "\" (" + codePointName(character) + ")";
}

bool isControl(char32_t character) {
    return character < 0x20 || character == 0x7F;
}

// The CP437 bytes of the text's first end bytes, every line break kept (as CR LF).
std::string cp437Text(const std::string& text, size_t end, TextLines lines) {
    std::string bytes;
    bytes.reserve(end + static_cast<size_t>(std::count(text.begin(), text.begin() + end, '\n')));
    size_t position = 0;
    while (position < end) {
        char32_t character;
        if (!decodeUtf8(text, position, character))
            throw ValueProblem("text is not valid UTF-8");
        if (character == '\r') {
            if (position >= end || text[position] != '\n') {
                throw ValueProblem("a CR (U+000D) is allowed only before an LF, as a line break");
            }
            continue;  // the LF that follows makes the CR LF
        }
        if (character == '\n') {
            if (lines == TextLines::Single) {
                throw ValueProblem("a line break is not allowed in single-line text");
            }
            bytes += "\r\n";
            continue;
        }
        if (isControl(character)) {
            throw ValueProblem("control character " + codePointName(character) + " is not allowed");
        }
        uint8_t byte;
        if (!cp437Byte(character, byte)) {
            throw ValueProblem("character " + characterName(character) + " has no CP437 form");
        }
        if (isControl(byte)) {
            throw ValueProblem("character " + characterName(character) +
                               " stands for a CP437 control byte and is not allowed");
        }
        bytes += static_cast<char>(byte);
    }
    return bytes;
}

// Where the text ends: before its final line break when that one is dropped (LF or CR LF).
size_t textEnd(const std::string& utf8, bool dropFinalBreak) {
    size_t end = utf8.size();
    if (dropFinalBreak) {
        if (end >= 2 && utf8.compare(end - 2, 2, "\r\n") == 0) {
            end -= 2;
        } else if (end > 0 && utf8.back() == '\n') {
            --end;
        }
    }
    return end;
}

}  // namespace

std::string formText(const std::string& utf8, TextLines lines) {
    // A multi-line text's last line break ends its last line: it starts no further one.
    return cp437Text(utf8, textEnd(utf8, lines == TextLines::Multiple), lines);
}

std::string boxText(const FormControl& control, const std::string& text, FinalBreak finalBreak) {
    // The newsgroups are lower-cased before the conversion, as their box does: "È" becomes
    // CP437's "è".
    const TextLines lines =
        control.kind == ControlKind::MultiLine ? TextLines::Multiple : TextLines::Single;
    const std::string lower = control.lowercase ? lowerCaseCp1252(text) : std::string();
    const std::string& source = control.lowercase ? lower : text;
    const bool drop = finalBreak == FinalBreak::Dropped && lines == TextLines::Multiple;
    std::string bytes = cp437Text(source, textEnd(source, drop), lines);
    if (control.kind == ControlKind::Digits)
        checkDigits(bytes);
    return bytes;
}

void checkDigits(const std::string& text) {
    for (char c : text) {
        if (c < '0' || c > '9') {
            throw ValueProblem("only the digits 0-9 are allowed, found " + quoted(text));
        }
    }
}

std::string lowerCaseAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
    }
    return text;
}

std::string lowerCaseCp1252(const std::string& utf8) {
    std::string lower;
    size_t position = 0;
    while (position < utf8.size()) {
        char32_t character;
        if (!decodeUtf8(utf8, position, character)) {
            lower += utf8[position++];
            continue;
        }
        if ((character >= 'A' && character <= 'Z') ||
            (character >= U'\u00C0' && character <= U'\u00DE' && character != U'\u00D7')) {
            character += 0x20;
        } else if (character == U'\u0160' || character == U'\u0152' || character == U'\u017D') {
            character += 1;  // Š š, Œ œ, Ž ž
        } else if (character == U'\u0178') {
            character = U'\u00FF';  // Ÿ ÿ
        }
        appendUtf8(lower, character);
    }
    return lower;
}

std::string quoted(const std::string& text) {
    std::string result = "\"";
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            result += '\\';
            result += c;
        } else if (c == '\n') {
            result += "\\n";
        } else if (c == '\r') {
            result += "\\r";
        } else if (c == '\t') {
            result += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", byte);
            result += escape;
        } else {
            result += c;
        }
    }
    return result + "\"";
}
