#include "engine/directive_parser.h"

#include "engine/block_directives.h"
#include "engine/field_directives.h"
#include "engine/template_reader.h"
#include "foundation/errors.h"
#include "foundation/memory.h"

namespace {

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the token [begin, end) as a decimal number: white space, an optional sign, digits, and
// whatever follows ignored. False when the token does not name a usable number: it reads as 0
// without being exactly "0", or its digits lie outside the signed 32-bit range.
bool readParameter(const char* begin, const char* end, int32_t& value) {
    const char* p = begin;
    while (p != end && isWhiteSpace(*p))
        ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    int64_t magnitude = 0;
    for (; p != end && isDigit(*p); ++p) {
        magnitude = magnitude * 10 + (*p - '0');
        if (magnitude > limit)
            return false;
    }
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return value != 0 || (end - begin == 1 && *begin == '0');
}

bool failWithKeyword(const char* reason, const String& keyword) {
    setLastError(CustomError, reason, keyword.chars());
    return false;
}

bool failOutOfMemory() {
    setLastError(OutOfMemory);
    return false;
}

}  // namespace

bool parseDirectiveLine(const char* line, Directive& directive) {
    const char* const keywordBegin = line + 1;
    const char* keywordEnd = keywordBegin;
    while (*keywordEnd != 0 && *keywordEnd != ' ')
        ++keywordEnd;

    // The reader's lines hold at most nfoLineWidth characters, and so does the keyword.
    char keywordChars[nfoLineWidth + 1];
    uint32_t keywordLength = static_cast<uint32_t>(keywordEnd - keywordBegin);
    if (keywordLength > nfoLineWidth)
        keywordLength = nfoLineWidth;
    memCopy(keywordChars, keywordBegin, keywordLength);
    keywordChars[keywordLength] = 0;
    String keyword(keywordChars);
    if (keyword.chars() == nullptr)
        return failOutOfMemory();
    keyword.toUpper();

    uint32_t kind = 0;
    while (kind < directiveKindCount && !directiveKeywords[kind].equals(keyword.chars()))
        ++kind;
    if (kind == directiveKindCount)
        return failWithKeyword("Unrecognised directive: ", keyword);

    const uint32_t expected = directiveParameterCounts[kind];
    directive.kind = static_cast<DirectiveKind>(kind);
    directive.parameterCount = expected;
    directive.line = templateReader.lineNumber;
    for (int32_t& parameter : directive.parameters)
        parameter = 0;

    // Each parameter follows a space; the first token not ending at a space is the last one read.
    uint32_t count = 0;
    const char* tokenEnd = keywordEnd;
    while (count < expected && count < maxDirectiveParameters && *tokenEnd == ' ') {
        const char* const tokenBegin = tokenEnd + 1;
        tokenEnd = tokenBegin;
        while (*tokenEnd != 0 && *tokenEnd != ' ')
            ++tokenEnd;
        if (!readParameter(tokenBegin, tokenEnd, directive.parameters[count])) {
            String reason;
            reason.format("Parameter %u is invalid in directive: ", count + 1);
            return failWithKeyword(reason.chars(), keyword);
        }
        ++count;
    }
    if (count < expected) {
        String reason;
        reason.format("Found only %u parameters (expected %u) in directive: ", count, expected);
        return failWithKeyword(reason.chars(), keyword);
    }

    const int32_t p1 = directive.parameters[0];
    const int32_t p2 = directive.parameters[1];
    const int32_t p3 = directive.parameters[2];
    if (expected >= 1 && p1 < 1) {
        return failWithKeyword("First parameter cannot be 0 in directive: ", keyword);
    }
    if (expected >= 2 && p2 < 0) {
        return failWithKeyword("Second parameter cannot be negative in directive: ", keyword);
    }
    if (expected >= 2 && p2 >= p1) {
        return failWithKeyword("Second parameter must be smaller than the first in directive: ",
                               keyword);
    }
    if (expected == 3 && (p3 < -1 || p3 > static_cast<int32_t>(nfoLineWidth) - 1)) {
        return failWithKeyword("Third parameter must be between -1 and 78 in directive: ", keyword);
    }
    return true;
}

bool dispatchDirective(const ReleaseForm& form, const Directive& directive) {
    const int32_t* p = directive.parameters;
    switch (directive.parameterCount) {
        case 0:
            return true;
        case 1:
            return handleBlockDirective(form, directive.kind, p[0]);
        case 3:
            return handleFieldDirective(form, directive.kind, p[0], p[1], p[2]);
        default:
            setLastError(CustomError,
                         "Directive not handled by 0-param, 1-param or 3-param routine!!!");
            return false;
    }
}

bool handleDirectiveLine(const ReleaseForm& form) {
    Directive directive;
    if (!parseDirectiveLine(templateReader.line, directive))
        return false;
    return dispatchDirective(form, directive);
}
