#include "app/CommandWords.h"

#include <algorithm>
#include <iterator>

namespace CommandLine {

namespace {

// The tables' names are ASCII, each character the same in UTF-16.
bool same(std::string_view name, std::u16string_view word)
{
    return std::equal(name.begin(), name.end(), word.begin(), word.end());
}

template <typename Table>
std::optional<std::size_t> rowOf(const Table &table, std::u16string_view name)
{
    const auto *row = std::find_if(std::begin(table), std::end(table), [&](const auto &entry) { return same(entry.name, name); });
    if (row == std::end(table))
        return std::nullopt;
    return static_cast<std::size_t>(row - std::begin(table));
}

// Windows' own spelling of a switch, "/h" or "/HELP": a slash, then name in any case.
bool isSlashSwitch(std::u16string_view word, std::string_view name)
{
    return word.size() == name.size() + 1 && word[0] == u'/'
        && std::equal(name.begin(), name.end(), word.begin() + 1, word.end(),
                      [](char n, char16_t w) { return n == w || (w >= u'A' && w <= u'Z' && n == w - u'A' + 'a'); });
}

} // namespace

std::vector<Word> readWords(const std::vector<std::u16string_view> &words)
{
    std::vector<Word> read;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::u16string_view arg = words[i];
        Word word;
        word.at = i;
        if (!optionsEnded && arg == u"--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && (arg == u"--help" || arg == u"-h" || arg == u"-?" || arg == u"/?" || isSlashSwitch(arg, "h")
                              || isSlashSwitch(arg, "help"))) {
            word.kind = Word::Kind::Help;
            read.push_back(word);
            break;
        }
        if (!optionsEnded && (arg == u"--version" || arg == u"-v" || isSlashSwitch(arg, "version"))) {
            word.kind = Word::Kind::Version;
            read.push_back(word);
            break;
        }
        if (optionsEnded || arg.size() < 2 || arg[0] != u'-') {
            read.push_back(word);
            continue;
        }
        const bool twoDashes = arg[1] == u'-';
        word.name = arg.substr(twoDashes ? 2 : 1);
        if (const std::size_t equals = word.name.find(u'='); equals != std::u16string_view::npos) {
            word.value = word.name.substr(equals + 1);
            word.name = word.name.substr(0, equals);
            word.joined = true;
        }
        bool takesNext = false;
        if (const std::optional<std::size_t> row = twoDashes ? rowOf(kReadingOptions, word.name) : std::nullopt) {
            word.kind = Word::Kind::Reading;
            word.option = *row;
            const bool takesValue = kReadingOptions[*row].value != Value::None;
            if (word.joined && !takesValue)
                word.fault = Word::Fault::ValueNotAllowed;
            takesNext = !word.joined && takesValue;
        } else if (const std::optional<std::size_t> row = rowOf(kQtOptions, word.name)) {
            word.kind = Word::Kind::Qt;
            word.option = *row;
            const Takes takes = kQtOptions[*row].takes;
            if (word.joined && takes != Takes::NextWordOrEquals)
                word.fault = Word::Fault::ValueNotAllowed;
            takesNext = !word.joined && takes != Takes::Nothing;
        } else {
            word.kind = Word::Kind::Unknown;
        }
        if (takesNext && word.fault == Word::Fault::None) {
            if (i + 1 < words.size())
                word.value = words[++i];
            else
                word.fault = Word::Fault::ValueMissing;
        }
        read.push_back(word);
        if (endsReading(word))
            break;
    }
    return read;
}

bool endsReading(const Word &word)
{
    return word.kind == Word::Kind::Help || word.kind == Word::Kind::Version || word.kind == Word::Kind::Unknown
        || word.fault != Word::Fault::None;
}

Start startOf(const std::vector<Word> &read)
{
    Start start;
    for (const Word &word : read) {
        if (endsReading(word))
            return {true, false};
        if (word.kind != Word::Kind::Reading)
            continue;
        start.answers = true;
        if (word.option == static_cast<std::size_t>(Option::Batch))
            start.readsInput = word.value == u"-";
    }
    return start;
}

} // namespace CommandLine
