#include "sheets/template_editing.h"

#include "sheets/cp437.h"
#include "sheets/utf8.h"

std::string templateForEditing(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const uint8_t byte = static_cast<uint8_t>(bytes[i]);
        if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        if (byte == '\n' || byte == 0 || byte == '\t')
            text += byte == '\t' ? '\t' : '\n';
        else
            appendUtf8(text, cp437Character(byte));
    }
    return text;
}

std::string templateFromEditing(const std::string& utf8, std::vector<UnmappedCharacter>& unmapped) {
    std::string bytes;
    bytes.reserve(utf8.size() + utf8.size() / 16);
    uint32_t line = 1;
    uint32_t column = 1;
    size_t position = 0;
    while (position < utf8.size()) {
        char32_t character;
        if (!decodeUtf8(utf8, position, character)) {
            character = 0xFFFD;
            ++position;
        }
        if (character == '\r' && position < utf8.size() && utf8[position] == '\n')
            continue;
        if (character == '\n') {
            bytes += "\r\n";
            ++line;
            column = 1;
            continue;
        }
        uint8_t byte = 0;
        if (character == 0 || !cp437Byte(character, byte)) {
            unmapped.push_back({line, column, character});
            byte = '?';
        }
        bytes += static_cast<char>(byte);
        ++column;
    }
    return bytes;
}

const char* const starterTemplate =
    "#COMMENT A new template: every field placed once. Move them, draw around them.\n"
    "╔═════════════════════════════════════════════════════════════════════════════╗\n"
    "#TITLE 1 0 -1\n"
    "║                                                                             ║\n"
    "╚═════════════════════════════════════════════════════════════════════════════╝\n"
    "#SOFTWARE 1 0 17\n"
    "  Software     :\n"
    "#UPLOADBY 1 0 17\n"
    "  Uploader     :\n"
    "#PACKAGESIZE 1 0 17\n"
    "  Size         :\n"
    "#UPLOADEDAS 1 0 17\n"
    "  Format       :\n"
    "#SUPPORT 1 0 17\n"
    "  Support      :\n"
    "#POSTINFO 1 0 17\n"
    "  Posts        :\n"
    "#FULLREPOST 1 0 17\n"
    "  Repost       :\n"
    "#SECURITYINF 1 0 17\n"
    "  Protection   :\n"
    "#SERIALNUM 1 0 17\n"
    "  Serial       :\n"
    "#REGDTO 1 0 17\n"
    "  Registered to:\n"
    "#CRACKBY 1 0 17\n"
    "  Cracked by   :\n"
    "#KEYGENBY 1 0 17\n"
    "  Keygen by    :\n"
    "#POSTEDTO 1 0 17\n"
    "  Newsgroups   :\n"
    "#INSTALLINF 2 1 2\n"
    "░▒▓█ Install ███████████████████████████████████████████████████████████▓▒░\n"
    "\n"
    "#REMARKS 2 1 2\n"
    "░▒▓█ Comments ██████████████████████████████████████████████████████████▓▒░\n"
    "\n"
    "#THANKSTO 2 1 2\n"
    "░▒▓█ Thanks ████████████████████████████████████████████████████████████▓▒░\n"
    "\n"
    "#FILLWAIT 1\n"
    "  Please hold back fill requests until after the full repost.\n"
    "═══════════════════════════════════════════════════════════════════════════════\n";

namespace {
const char* const field = "LINES TARGET COLUMN";
}  // namespace

const DirectiveGuide directiveGuides[directiveKindCount] = {
    {"text", "#COMMENT ", "A note for the template's reader; gives no output."},
    {field, "#CRACKBY 1 0 20", "The \"Cracked By:\" name; only when that box is ticked."},
    {"LINES", "#FILLWAIT 1",
     "Keeps the next LINES lines only when fill requests should wait for the repost."},
    {field, "#FULLREPOST 1 0 20", "The \"Repost Information:\" text."},
    {"LINES", "#INSERTLINE 1",
     "Takes the next LINES lines (at most 8) as background of multi-line fields' extra lines."},
    {field, "#INSTALLINF 2 1 2",
     "The installation notes, a line each; only when their \"On\" box is ticked."},
    {field, "#KEYGENBY 1 0 20", "The \"Keygen By:\" name; only when that box is ticked."},
    {field, "#PACKAGESIZE 1 0 20",
     "The packed size with its unit, and the unpacked size if given."},
    {field, "#POSTEDTO 1 0 20", "The newsgroups posted to, a line each."},
    {field, "#POSTINFO 1 0 20",
     "File count, files per day and post number; only when \"Files:\" or \"Post Number:\" is "
     "ticked."},
    {field, "#REGDTO 1 0 20",
     "The \"Registered To:\" name; only when it and \"Serial Number:\" are ticked."},
    {field, "#REMARKS 2 1 2", "The comments, a line each; only when their \"On\" box is ticked."},
    {field, "#SECURITYINF 1 0 20",
     "How the protection was dealt with: serial number, crack, keygen; only when one is ticked."},
    {field, "#SERIALNUM 1 0 20", "The \"Serial Number:\" text; only when that box is ticked."},
    {field, "#SOFTWARE 1 0 20", "The full software name."},
    {field, "#SUPPORT 1 0 20", "The support files posted (SFV, CUE, manual) or the custom text."},
    {field, "#THANKSTO 2 1 2", "The thanks, a line each; only when their \"On\" box is ticked."},
    {field, "#TITLE 1 0 -1", "The NFO title."},
    {field, "#UPLOADBY 1 0 20", "The uploader."},
    {field, "#UPLOADEDAS 1 0 20", "The \"Uploaded As:\" format."},
};
