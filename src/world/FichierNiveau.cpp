#include "world/FichierNiveau.h"

#include "platform/LevelName.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// Walks the whitespace-separated tokens of a text.
class Tokens {
public:
    explicit Tokens(const std::string& text) : p(text.data()), end(text.data() + text.size())
    {
        // A leading UTF-8 byte-order mark is not part of the first token.
        if (end - p >= 3 && static_cast<unsigned char>(p[0]) == 0xEF &&
            static_cast<unsigned char>(p[1]) == 0xBB && static_cast<unsigned char>(p[2]) == 0xBF)
            p += 3;
    }

    // The next token as [begin, finish); false at the end of the text.
    bool next(const char*& begin, const char*& finish)
    {
        while (p < end && isBlank(*p))
            ++p;
        if (p == end)
            return false;
        begin = p;
        while (p < end && !isBlank(*p))
            ++p;
        finish = p;
        return true;
    }

    // The text of the next integer as a stream's ">>" would read it: blanks
    // skipped, an optional sign, then the digits up to the first character
    // that is not one, which is left for the next read ("12abc" gives "12",
    // then nothing). False when no digit follows.
    bool nextInteger(const char*& begin, const char*& finish)
    {
        while (p < end && isBlank(*p))
            ++p;
        const char* q = p;
        if (q < end && (*q == '+' || *q == '-'))
            ++q;
        const char* digits = q;
        while (q < end && *q >= '0' && *q <= '9')
            ++q;
        if (q == digits)
            return false;
        begin = p;
        finish = q;
        p = q;
        return true;
    }

    bool nextWord(std::string& word)
    {
        const char* b;
        const char* f;
        if (!next(b, f))
            return false;
        word.assign(b, f);
        return true;
    }

private:
    static bool isBlank(char c)
    {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    }

    const char* p;
    const char* end;
};

// A whole token holding an integer that fits an int (optional sign, digits).
bool parseInt(const char* b, const char* f, int& value)
{
    bool negative = false;
    if (b < f && (*b == '+' || *b == '-')) {
        negative = (*b == '-');
        ++b;
    }
    if (b == f)
        return false;
    long long v = 0;
    for (; b < f; ++b) {
        if (*b < '0' || *b > '9')
            return false;
        v = v * 10 + (*b - '0');
        if (v > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(v);
    return true;
}

bool parseInt(const std::string& token, int& value)
{
    return parseInt(token.data(), token.data() + token.size(), value);
}

// A whole token holding a finite decimal number.
bool parseFloat(const std::string& token, float& value)
{
    if (token.empty())
        return false;
    char* stop = nullptr;
    errno = 0;
    double v = std::strtod(token.c_str(), &stop);
    if (stop != token.c_str() + token.size() || errno == ERANGE || !std::isfinite(v) ||
        std::fabs(v) > std::numeric_limits<float>::max())
        return false;
    value = static_cast<float>(v);
    return true;
}

bool refuse(std::string* error, const char* why)
{
    if (error)
        *error = why;
    return false;
}

void appendDecimal(std::string& text, int value)
{
    char digits[12];
    int n = 0;
    unsigned int u = value < 0 ? 0u - static_cast<unsigned int>(value) : static_cast<unsigned int>(value);
    do {
        digits[n++] = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0);
    if (value < 0)
        text += '-';
    while (n > 0)
        text += digits[--n];
}

// Whether an integer token is written exactly as its decimal form: no plus
// sign, no leading zero, no "-0".
// The token is a valid integer already (parseInt accepted it).
bool isCanonical(const char* b, const char* f)
{
    if (*b == '+')
        return false;
    const bool negative = (*b == '-');
    const char* digits = negative ? b + 1 : b;
    if (*digits != '0')
        return true;
    return !negative && f - digits == 1; // "0" itself
}

} // namespace

bool FichierNiveau::lire(const std::string& text, FichierNiveau& out, std::string* error)
{
    out = FichierNiveau();
    Tokens tokens(text);

    std::string first;
    if (!tokens.nextWord(first))
        return refuse(error, "empty file");

    std::string timeToken;
    if (first == "KZ2") {
        out.generation = 2;
        if (!tokens.nextWord(timeToken))
            return refuse(error, "missing time limit");
    } else {
        out.generation = 1;
        timeToken = first;
    }

    std::string rowsToken, colsToken;
    if (!tokens.nextWord(rowsToken) || !tokens.nextWord(colsToken))
        return refuse(error, "missing level size");
    if (!parseInt(timeToken, out.levelTime) || !parseInt(rowsToken, out.rows) || !parseInt(colsToken, out.cols))
        return refuse(error, "header is not numeric");
    if (out.levelTime < 1 || out.levelTime > maxTime)
        return refuse(error, "time limit out of range");
    if (out.rows < 2 || out.cols < 1 || out.rows > maxSize || out.cols > maxSize)
        return refuse(error, "level size out of range");

    if (out.generation == 2) {
        for (float& component : out.lightColor) {
            std::string token;
            if (!tokens.nextWord(token) || !parseFloat(token, component))
                return refuse(error, "light colour is not numeric");
        }
        if (!tokens.nextWord(out.backgroundName))
            return refuse(error, "missing background name");
    }

    appendDecimal(out.digestText, out.levelTime);
    appendDecimal(out.digestText, out.rows);
    appendDecimal(out.digestText, out.cols);

    const std::size_t cellCount = static_cast<std::size_t>(out.rows) * static_cast<std::size_t>(out.cols);
    // The last row is loaded but left out of the level's identity.
    const std::size_t digestCells = cellCount - static_cast<std::size_t>(out.cols);
    out.cells.reserve(std::min<std::size_t>(cellCount, text.size() / 2 + 1));
    // A number's decimal form is never longer than its token.
    out.digestText.reserve(out.digestText.size() + std::min<std::size_t>(text.size(), digestCells * 11));
    const char* b;
    const char* f;
    while (out.cells.size() < cellCount && tokens.nextInteger(b, f)) {
        int value;
        if (!parseInt(b, f, value))
            break; // beyond an int: the numbers end here, the remaining cells are holes
        if (out.cells.size() < digestCells) {
            if (isCanonical(b, f))
                out.digestText.append(b, f); // already the number's decimal form
            else
                appendDecimal(out.digestText, value);
        }
        out.cells.push_back(value);
    }
    return true;
}

bool FichierNiveau::isUsableBackgroundName(const std::string& name)
{
    // One path component, and not the step up to the parent folder.
    return platform::isPlainFileName(name) && name != "..";
}
