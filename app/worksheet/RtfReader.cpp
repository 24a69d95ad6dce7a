#include "app/worksheet/RtfReader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/worksheet/Utf8.h"

namespace navora {
namespace {

// RTF's own defaults, used until the stream says otherwise.
constexpr int32_t kRtfDefaultHalfPoints = 24;
constexpr int32_t kRtfDefaultUnicodeSkip = 1;
constexpr int32_t kMaxUnicodeSkip = 16;
constexpr size_t kMaxControlWordLetters = 32;
constexpr int64_t kParameterLimit = 1'000'000'000;  // beyond any meaningful RTF value

// Code page 1252 at 0x80..0x9F; the rest of the page is Latin-1.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t FromCp1252(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

enum class Destination { kText, kFontTable, kColourTable, kSkip };

// Destinations whose content is not text of the document.
constexpr std::string_view kSkippedDestinations[] = {
    "stylesheet",        "info",      "pict",       "object",    "header",
    "headerl",           "headerr",   "headerf",    "footer",    "footerl",
    "footerr",           "footerf",   "footnote",   "fldinst",   "listtable",
    "listoverridetable", "revtbl",    "rsidtbl",    "themedata", "colorschememapping",
    "latentstyles",      "datastore", "xmlnstbl",   "generator", "filetbl",
    "nonshppict",        "userprops", "annotation", "atnid",     "atnauthor",
    "bkmkstart",         "bkmkend",   "xe",         "tc",        "txe",
    "private",           "pntext",    "pntxta",     "pntxtb",    "listtext",
    "template"};

// Control words that stand for one character.
struct CharacterWord {
  std::string_view name;
  char32_t character;
};
constexpr CharacterWord kCharacterWords[] = {
    {"par", '\n'},         {"line", '\n'},     {"row", '\n'},       {"sect", '\n'},
    {"page", '\n'},        {"tab", '\t'},      {"cell", '\t'},      {"emdash", 0x2014},
    {"endash", 0x2013},    {"lquote", 0x2018}, {"rquote", 0x2019},  {"ldblquote", 0x201C},
    {"rdblquote", 0x201D}, {"bullet", 0x2022}, {"emspace", 0x2003}, {"enspace", 0x2002},
    {"qmspace", 0x2005}};

constexpr std::string_view kUnderlineWords[] = {
    "ul", "uld", "uldb", "ulw", "ulth", "uldash", "ulwave", "uldashd", "uldashdd", "ulhwave"};

template <typename List>
bool Contains(const List& list, std::string_view name) {
  return std::find(std::begin(list), std::end(list), name) != std::end(list);
}

struct GroupState {
  CharFormat format;        // face resolved from fontNumber when text is stored
  int32_t fontNumber = -1;  // -1: the default font
  int32_t unicodeSkip = kRtfDefaultUnicodeSkip;
  Destination destination = Destination::kText;
};

struct ControlWord {
  std::string_view name;
  bool hasParameter = false;
  int32_t parameter = 0;
};

class RtfParser {
 public:
  RtfParser(std::string_view rtf, RichText& document) : in_(rtf), document_(document) {
    state_.format.halfPoints = kRtfDefaultHalfPoints;
  }

  RtfStatus Parse() {
    if (!in_.starts_with("{\\rtf")) return RtfStatus::kNotRtf;
    while (position_ < in_.size()) {
      const char c = in_[position_++];
      if (c == '{') {
        if (!OpenGroup()) return RtfStatus::kTooDeep;
      } else if (c == '}') {
        CloseGroup();
        if (stack_.empty()) return RtfStatus::kOk;  // what follows the document is not part of it
      } else if (c == '\\') {
        ReadControl();
      } else if (c != '\r' && c != '\n') {
        Character(FromCp1252(static_cast<unsigned char>(c)), true);
      }
    }
    Flush();
    return RtfStatus::kTruncated;
  }

 private:
  bool OpenGroup() {
    DropHighSurrogate();  // a pair does not span a group boundary
    Flush();
    pendingSkip_ = 0;
    if (stack_.size() >= static_cast<size_t>(kMaxRtfDepth)) return false;
    stack_.push_back(state_);
    return true;
  }

  void CloseGroup() {
    DropHighSurrogate();
    Flush();
    pendingSkip_ = 0;
    if (state_.destination == Destination::kFontTable) EndFontEntry();
    if (stack_.empty()) return;
    state_ = stack_.back();
    stack_.pop_back();
  }

  void ReadControl() {
    if (position_ >= in_.size()) return;
    const char c = in_[position_];
    if (IsLetter(c)) {
      ControlWordFound(ReadControlWord());
      return;
    }
    ++position_;
    switch (c) {
      case '\'':
        Character(FromCp1252(ReadHexByte()), false);
        break;
      case '*':
        state_.destination = Destination::kSkip;
        break;
      case '~':
        Character(0x00A0, false);
        break;
      case '_':
        Character(0x2011, false);
        break;
      case '\r':
      case '\n':
        Character('\n', false);
        break;
      case '\\':
      case '{':
      case '}':
        Character(static_cast<unsigned char>(c), false);
        break;
      default:  // "\-" (optional hyphen), "\|", "\:" and unknown symbols
        break;
    }
  }

  static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  ControlWord ReadControlWord() {
    ControlWord word;
    const size_t start = position_;
    while (position_ < in_.size() && IsLetter(in_[position_])) ++position_;
    word.name = in_.substr(start, std::min(position_ - start, kMaxControlWordLetters));
    bool negative = false;
    if (position_ + 1 < in_.size() && in_[position_] == '-' && IsDigit(in_[position_ + 1])) {
      negative = true;
      ++position_;
    }
    int64_t value = 0;
    while (position_ < in_.size() && IsDigit(in_[position_])) {
      word.hasParameter = true;
      value = std::min(value * 10 + (in_[position_] - '0'), kParameterLimit);
      ++position_;
    }
    word.parameter = static_cast<int32_t>(negative ? -value : value);
    if (position_ < in_.size() && in_[position_] == ' ') ++position_;
    return word;
  }

  unsigned char ReadHexByte() {
    int value = 0;
    for (int digit = 0; digit < 2 && position_ < in_.size(); ++digit, ++position_) {
      const char c = in_[position_];
      int nibble = 0;
      if (IsDigit(c)) {
        nibble = c - '0';
      } else if (c >= 'a' && c <= 'f') {
        nibble = c - 'a' + 10;
      } else if (c >= 'A' && c <= 'F') {
        nibble = c - 'A' + 10;
      } else {
        break;
      }
      value = value * 16 + nibble;
    }
    return static_cast<unsigned char>(value);
  }

  void ControlWordFound(const ControlWord& word) {
    if (word.name == "bin") {
      // Binary data: its bytes are not RTF and must not be parsed.
      const size_t length = word.hasParameter && word.parameter > 0 ? word.parameter : 0;
      position_ += std::min(length, in_.size() - position_);
      return;
    }
    if (pendingSkip_ > 0) {
      --pendingSkip_;  // a control word stands for one fallback character
      return;
    }
    if (word.name == "u") {
      UnicodeUnit(static_cast<char32_t>(static_cast<uint16_t>(word.parameter)));
      pendingSkip_ = state_.unicodeSkip;
      return;
    }
    if (word.name == "uc") {
      state_.unicodeSkip = std::clamp(word.parameter, 0, kMaxUnicodeSkip);
      return;
    }
    if (Contains(kSkippedDestinations, word.name)) {
      state_.destination = Destination::kSkip;
      return;
    }
    switch (state_.destination) {
      case Destination::kSkip:
        return;
      case Destination::kFontTable:
        FontTableWord(word);
        return;
      case Destination::kColourTable:
        ColourTableWord(word);
        return;
      case Destination::kText:
        TextWord(word);
        return;
    }
  }

  void TextWord(const ControlWord& word) {
    for (const CharacterWord& entry : kCharacterWords) {
      if (entry.name == word.name) {
        EmitCodePoint(entry.character);
        return;
      }
    }
    const bool on = !word.hasParameter || word.parameter != 0;
    const std::string_view name = word.name;
    if (name == "fonttbl") {
      state_.destination = Destination::kFontTable;
      fontEntry_ = 0;
      fontName_.clear();
      return;
    }
    if (name == "colortbl") {
      state_.destination = Destination::kColourTable;
      return;
    }
    if (name == "deff") {
      defaultFont_ = word.parameter;
      return;
    }
    Flush();
    CharFormat& format = state_.format;
    if (name == "plain") {
      const std::optional<RgbColour> none;
      format = CharFormat{"", kRtfDefaultHalfPoints, false, false, false, none};
      state_.fontNumber = -1;
    } else if (name == "f") {
      state_.fontNumber = word.parameter;
    } else if (name == "fs") {
      format.halfPoints = word.parameter > 0 ? word.parameter : kRtfDefaultHalfPoints;
    } else if (name == "b") {
      format.bold = on;
    } else if (name == "i") {
      format.italic = on;
    } else if (Contains(kUnderlineWords, name)) {
      format.underline = on;
    } else if (name == "ulnone") {
      format.underline = false;
    } else if (name == "cf") {
      const bool known =
          word.parameter >= 0 && static_cast<size_t>(word.parameter) < colours_.size();
      format.colour = known ? colours_[word.parameter] : std::nullopt;
    }
  }

  void FontTableWord(const ControlWord& word) {
    if (word.name == "f") {
      EndFontEntry();
      fontEntry_ = word.parameter;
    }
  }

  void EndFontEntry() {
    const size_t first = fontName_.find_first_not_of(' ');
    if (first != std::string::npos && fonts_.size() < static_cast<size_t>(kMaxRtfTableEntries)) {
      fonts_[fontEntry_] = fontName_.substr(first, fontName_.find_last_not_of(' ') - first + 1);
    }
    fontName_.clear();
  }

  void ColourTableWord(const ControlWord& word) {
    const auto channel = static_cast<uint8_t>(std::clamp(word.parameter, 0, 255));
    if (word.name == "red") {
      colour_.red = channel, colourGiven_ = true;
    } else if (word.name == "green") {
      colour_.green = channel, colourGiven_ = true;
    } else if (word.name == "blue") {
      colour_.blue = channel, colourGiven_ = true;
    }
  }

  // A character of the stream; raw ';' ends a font or colour table entry.
  void Character(char32_t c, bool raw) {
    if (pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    if (raw && c < 0x20) return;  // line structure of the file, not of the text
    if (raw && c == ';' && state_.destination == Destination::kColourTable) {
      if (colours_.size() < static_cast<size_t>(kMaxRtfTableEntries)) {
        colours_.push_back(colourGiven_ ? std::optional<RgbColour>(colour_) : std::nullopt);
      }
      colour_ = RgbColour{};
      colourGiven_ = false;
      return;
    }
    if (raw && c == ';' && state_.destination == Destination::kFontTable) {
      EndFontEntry();
      return;
    }
    EmitCodePoint(c);
  }

  void UnicodeUnit(char32_t unit) {
    if (unit >= 0xDC00 && unit <= 0xDFFF && highSurrogate_ != 0) {
      const char32_t c = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00);
      highSurrogate_ = 0;
      Store(c);
    } else if (unit >= 0xD800 && unit <= 0xDBFF) {
      DropHighSurrogate();
      highSurrogate_ = unit;
    } else {
      EmitCodePoint(unit);  // a lone low surrogate is stored as U+FFFD
    }
  }

  // A high surrogate not followed by its partner is a damaged character.
  void DropHighSurrogate() {
    if (highSurrogate_ == 0) return;
    highSurrogate_ = 0;
    Store(kReplacementCharacter);
  }

  void EmitCodePoint(char32_t c) {
    DropHighSurrogate();
    Store(c);
  }

  // Stores a character in the current destination.
  void Store(char32_t c) {
    switch (state_.destination) {
      case Destination::kText:
        AppendUtf8(pending_, c);
        break;
      case Destination::kFontTable:
        if (fontName_.size() < kMaxRtfFaceBytes) AppendUtf8(fontName_, c);
        break;
      case Destination::kColourTable:
      case Destination::kSkip:
        break;
    }
  }

  void Flush() {
    if (pending_.empty()) return;
    CharFormat format = state_.format;
    const int32_t font = state_.fontNumber >= 0 ? state_.fontNumber : defaultFont_;
    const auto face = fonts_.find(font);
    format.face = face != fonts_.end() ? face->second : std::string();
    AppendText(document_, pending_, format);
    pending_.clear();
  }

  std::string_view in_;
  size_t position_ = 0;
  RichText& document_;
  GroupState state_;
  std::vector<GroupState> stack_;
  std::string pending_;  // text in state_'s format, not yet in the document
  int32_t pendingSkip_ = 0;
  char32_t highSurrogate_ = 0;
  int32_t defaultFont_ = 0;
  std::map<int32_t, std::string> fonts_;
  int32_t fontEntry_ = 0;
  std::string fontName_;
  std::vector<std::optional<RgbColour>> colours_;
  RgbColour colour_;
  bool colourGiven_ = false;
};

}  // namespace

const char* DescribeRtfStatus(RtfStatus status) {
  switch (status) {
    case RtfStatus::kOk:
      return "read";
    case RtfStatus::kNotRtf:
      return "not an RTF stream";
    case RtfStatus::kTooLarge:
      return "the rich text is too large";
    case RtfStatus::kTooDeep:
      return "the rich text nests its groups too deeply";
    case RtfStatus::kTruncated:
      return "the rich text ends before its groups close";
  }
  return "unknown";
}

RtfStatus ReadRtf(std::string_view rtf, RichText& document) {
  document.runs.clear();
  if (rtf.size() > kMaxRtfBytes) return RtfStatus::kTooLarge;
  return RtfParser(rtf, document).Parse();
}

}  // namespace navora
