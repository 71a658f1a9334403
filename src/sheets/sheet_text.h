// The values of a release sheet as the form's controls hold them: CP437 text, CR LF line breaks.
#pragma once

#include <stdexcept>
#include <string>

// What is wrong with one value; the sheet reader adds the sheet's name, the line and the key.
class ValueProblem : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TextLines { Single, Multiple };

// Converts UTF-8 text to the CP437 bytes a form box holds. A multi-line text has its line breaks
// (LF or CR LF) turned into CR LF, after one final line break is dropped. Throws ValueProblem for
// a line break in single-line text, a lone CR, any other control character, a character CP437
// lacks, or a pictograph that CP437 draws for a control byte: the result never holds a byte below
// 0x20 other than the CR LF of a line break, nor 0x7F.
std::string formText(const std::string& utf8, TextLines lines);

// Throws ValueProblem unless text holds only the digits 0 to 9 (it may be empty).
void checkDigits(const std::string& text);

// Lower-cases the ASCII letters.
std::string lowerCaseAscii(std::string text);

// Lower-cases the UTF-8 text's capitals that code page 1252 has with their small letters, as the
// newsgroups box does with every letter typed in it: A-Z, À-Þ but ×, Š, Œ, Ž and Ÿ. Every other
// character, and any byte that is not UTF-8, stays as it is.
std::string lowerCaseCp1252(const std::string& utf8);

struct FormControl;

// Whether a multi-line text keeps its final line break: text typed into a box does, since a box
// holds what was typed; a sheet's value drops it, a TOML multi-line string ending in one.
enum class FinalBreak { Kept, Dropped };

// The CP437 bytes a text box of the form holds for text: lower-cased as the newsgroups box
// lower-cases, converted as formText converts for the box's number of lines, and only digits in a
// digits-only box. Throws ValueProblem as formText and checkDigits do.
std::string boxText(const FormControl& control, const std::string& text,
                    FinalBreak finalBreak = FinalBreak::Kept);

// text in double quotes, with quotes, backslashes and control characters escaped as in TOML.
std::string quoted(const std::string& text);
