#include "GbkBook.h"

#include <random>

namespace tess::testing {

namespace {

constexpr const char* kIndent = "\xA1\xA1\xA1\xA1";  // two ideographic spaces, which stay
constexpr const char* kPunctuation[] = {"\xA3\xAC", "\xA1\xA3", "\xA3\xA1"};  // ，。！

// Writes one line at a time; minstd_rand gives the same numbers with every standard library.
class BookWriter {
public:
    GbkBook book;

    void writeLine(bool last)
    {
        const unsigned kind = pick(16);
        if (kind < 2) {
            endLine("", last);
        } else if (kind == 2) {
            endLine(std::string(1 + pick(4), ' '), last);
        } else {
            const std::string leading(pick(4), ' ');
            const std::string trailing(pick(4), ' ');
            const std::size_t before = chars_;
            std::string content = words();
            book.keptLines.push_back(content);
            book.characters.push_back(chars_ - before);
            endLine(leading + content + trailing, last);
        }
    }

private:
    unsigned pick(unsigned n) { return static_cast<unsigned>(random_() % n); }

    void endLine(const std::string& line, bool last) { book.bytes += last ? line : line + "\r\n"; }

    // Text that starts and ends with something other than a space; counts its characters.
    std::string words()
    {
        std::string text;
        if (pick(3) == 0) {
            text += kIndent;
            chars_ += 2;
        }
        const unsigned count = 2 + pick(10);
        for (unsigned i = 0; i < count; ++i) {
            if (i > 0 && pick(2) == 0) {
                text += ' ';
                ++chars_;
            }
            text += pick(3) == 0 ? asciiWord() : chineseRun();
        }
        text += kPunctuation[pick(3)];
        ++chars_;
        return text;
    }

    std::string asciiWord()
    {
        static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        std::string word(1 + pick(8), ' ');
        for (char& c : word)
            c = kLetters[pick(sizeof kLetters - 1)];
        chars_ += word.size();
        return word;
    }

    // GB2312 characters (lead B0-D6, trail A1-FE) and GBK extension ones, whose trail byte may
    // look like ASCII (lead 81-A0, trail 40-7E or 80-FE).
    std::string chineseRun()
    {
        std::string run;
        const unsigned count = 1 + pick(8);
        for (unsigned i = 0; i < count; ++i) {
            if (pick(4) == 0) {
                run += static_cast<char>(0x81 + pick(0x20));
                const unsigned trail = 0x40 + pick(0xBE);
                run += static_cast<char>(trail >= 0x7F ? trail + 1 : trail);
            } else {
                run += static_cast<char>(0xB0 + pick(0x27));
                run += static_cast<char>(0xA1 + pick(0x5E));
            }
        }
        chars_ += count;
        return run;
    }

    std::minstd_rand random_;
    std::size_t chars_ = 0;
};

}  // namespace

GbkBook MakeGbkBook(int lines)
{
    BookWriter writer;
    for (int i = 1; i <= lines; ++i)
        writer.writeLine(i == lines);
    return writer.book;
}

std::vector<std::string> PiecesBySize(const GbkBook& book, std::size_t threshold)
{
    std::vector<std::string> pieces;
    std::size_t fill = 0;
    for (std::size_t i = 0; i < book.keptLines.size(); ++i) {
        if (pieces.empty() || fill >= threshold) {
            pieces.emplace_back();
            fill = 0;
        }
        pieces.back() += book.keptLines[i] + "\r\n";
        fill += book.characters[i];
    }
    return pieces;
}

}  // namespace tess::testing
