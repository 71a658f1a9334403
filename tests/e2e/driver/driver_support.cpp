#include "driver_support.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace driver {

namespace {
std::string theResult;
}

void fail(int code, const char* format, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    throw Failure{code, buffer};
}

Settings& settings() {
    static Settings theSettings;
    return theSettings;
}

static int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string decodeEscapes(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == text.size())
            fail(kExitUsage, "a text ends with a lone backslash");
        switch (text[i]) {
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case '0':
                out += '\0';
                break;
            case '\\':
                out += '\\';
                break;
            case '"':
                out += '"';
                break;
            case '\'':
                out += '\'';
                break;
            case 'x': {
                int high = i + 1 < text.size() ? hexDigit(text[i + 1]) : -1;
                int low = i + 2 < text.size() ? hexDigit(text[i + 2]) : -1;
                if (high < 0 || low < 0)
                    fail(kExitUsage, "\\x needs two hex digits");
                out += static_cast<char>(high * 16 + low);
                i += 2;
                break;
            }
            default:
                fail(kExitUsage, "unknown escape \\%c (use \\\\ for a backslash)", text[i]);
        }
    }
    return out;
}

std::string escapeBytes(const std::string& bytes) {
    std::string out;
    char hex[8];
    for (unsigned char c : bytes) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c >= 0x7F) {
            snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string toHex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::vector<std::string> splitWords(const std::string& line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i == line.size())
            break;
        std::string word;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') {
            char quote = line[i];
            if (quote != '"' && quote != '\'') {
                word += line[i++];
                continue;
            }
            ++i;
            while (i < line.size() && line[i] != quote) {
                if (quote == '"' && line[i] == '\\' && i + 1 < line.size())
                    word += line[i++];
                word += line[i++];
            }
            if (i == line.size())
                fail(kExitUsage, "unbalanced %c quote", quote);
            ++i;
        }
        words.push_back(word);
    }
    return words;
}

std::string hostPath(const std::string& path) {
    if (path.empty() || path[0] != '/')
        return path;
    std::string out = "Z:";
    for (char c : path)
        out += c == '/' ? '\\' : c;
    return out;
}

long parseNumber(const std::string& word, const char* what) {
    char* end = nullptr;
    long value = strtol(word.c_str(), &end, 0);
    if (word.empty() || *end != '\0')
        fail(kExitUsage, "%s must be a number, not \"%s\"", what, word.c_str());
    return value;
}

double parseSeconds(const std::string& word) {
    char* end = nullptr;
    double value = strtod(word.c_str(), &end);
    if (word.empty() || *end != '\0' || value < 0 || value > 3600) {
        fail(kExitUsage, "\"%s\" is not a number of seconds (0 to 3600)", word.c_str());
    }
    return value;
}

double secondsArgument(const std::vector<std::string>& arguments, size_t index) {
    return arguments.size() > index ? parseSeconds(arguments[index]) : settings().waitSeconds;
}

static void printLine(const std::string& bytes) {
    fwrite(bytes.data(), 1, bytes.size(), stdout);
    fputc('\n', stdout);
    fflush(stdout);
}

void emit(const std::string& bytes) {
    theResult = bytes;
    printLine(bytes);
}

void emitHex(const std::string& bytes) {
    theResult = bytes;
    printLine(toHex(bytes));
}

void setResult(const std::string& bytes) {
    theResult = bytes;
}

const std::string& lastResult() {
    return theResult;
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::string host = hostPath(path);
    FILE* file = fopen(host.c_str(), "wb");
    if (!file)
        fail(kExitFailed, "cannot create %s", path.c_str());
    bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (fclose(file) != 0 || !written)
        fail(kExitFailed, "cannot write %s", path.c_str());
}

std::string readFile(const std::string& path) {
    std::string host = hostPath(path);
    FILE* file = fopen(host.c_str(), "rb");
    if (!file)
        fail(kExitFailed, "cannot open %s", path.c_str());
    std::string bytes;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    bool failed = ferror(file) != 0;
    fclose(file);
    if (failed)
        fail(kExitFailed, "cannot read %s", path.c_str());
    return bytes;
}

}  // namespace driver
