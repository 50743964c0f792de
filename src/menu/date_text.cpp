#include "menu/date_text.h"

#include <array>
#include <charconv>
#include <optional>

namespace norva::menu {
namespace {

constexpr int kOutNow = 0;
constexpr int kUnknown = 99;
constexpr int kFirstSeason = 51;
constexpr int kLastSeason = 54;
// A season code with a first character outside 1..4: no month or season name, only the year.
constexpr int kYearOnly = -1;

// The names of one language: months 1..12, seasons spring..winter, out now, unknown (Windows-1250).
struct DateNames {
  std::array<const char*, 12> months;
  std::array<const char*, 4> seasons;
  const char* out_now;
  const char* unknown;
};

constexpr DateNames kEnglish = {{"January", "February", "March", "April", "May", "June", "July", "August",
                                 "Sept.", "October", "November", "December"},
                                {"Spring", "Summer", "Autumn", "Winter"},
                                "Out now",
                                "Unknown"};

constexpr DateNames kCzech = {{"LEDEN", "\xDANOR",
                               "B\xD8"
                               "EZEN",
                               "DUBEN", "KV\xCCTEN",
                               "\xC8"
                               "ERVEN",
                               "\xC8"
                               "ERVENEC",
                               "SRPEN", "Z\xC1\xD8\xCD", "\xD8\xCDJEN", "LISTOPAD", "PROSINEC"},
                              {"JARO", "L\xC9TO", "PODZIM", "ZIMA"},
                              "JI\x8E VY\x8ALO",
                              "NEOZN\xC1MENO"};

constexpr DateNames kRomanian = {{"Ianuarie", "Februarie", "Martie", "Aprilie", "Mai", "Iunie", "Iulie",
                                  "August", "Septembrie", "Octombrie", "Noiembrie", "Decembrie"},
                                 {"Prim\xE3var\xE3", "Var\xE3", "Toamn\xE3", "Iarn\xE3"},
                                 "A fost lansat",
                                 "Necunoscut\xE3"};

constexpr DateNames kSlovak = {
    {"Janu\xE1r", "Febru\xE1r", "Marec", "Apr\xEDl", "M\xE1j", "J\xFAn", "J\xFAl", "August", "September",
     "Okt\xF3"
     "ber",
     "November", "December"},
    {"Jar", "Leto", "Jese\xF2", "Zima"},
    "U\x9E vy\x9Alo",
    "Nezn\xE1me"};

constexpr DateNames kGerman = {{"Januar", "Februar", "M\xE4rz", "April", "Mai", "Juni", "Juli", "August",
                                "September", "Oktober", "November", "Dezember"},
                               {"Fr\xFChling", "Sommer", "Herbst", "Winter"},
                               "Schon erschienen",
                               "Unbekannt"};

const DateNames* BuiltInNames(int language) {
  switch (language) {
    case 0:
      return &kEnglish;
    case 1:
      return &kCzech;
    case 3:
      return &kRomanian;
    case 4:
      return &kSlovak;
    case 5:
      return &kGerman;
    default:
      return nullptr;
  }
}

// A whole decimal number with an optional sign, as the window system's integer conversion reads it.
std::optional<int> ToInt(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (status != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::string NotANumber(std::string_view text) {
  return "'" + std::string(text) + "' is not a valid integer value";
}

// The text of month value m (1..12, 51..54, 0 out now, 99 unknown) in the language, "" for any other value.
std::string NameOf(int m, int language, const strings::Messages& messages) {
  if (language == 2) {
    const int base = language * 100;
    if (m >= 1 && m <= 12) return messages.LoadString(base + 100 + m);
    if (m >= kFirstSeason && m <= kLastSeason) return messages.LoadString(base + 112 + (m - 50));
    if (m == kOutNow) return messages.LoadString(base + 117);
    if (m == kUnknown) return messages.LoadString(base + 118);
    return {};
  }
  const DateNames* names = BuiltInNames(language);
  if (names == nullptr) return {};
  if (m >= 1 && m <= 12) return names->months[static_cast<std::size_t>(m - 1)];
  if (m >= kFirstSeason && m <= kLastSeason)
    return names->seasons[static_cast<std::size_t>(m - kFirstSeason)];
  if (m == kOutNow) return names->out_now;
  if (m == kUnknown) return names->unknown;
  return {};
}

std::string UpperAsciiOnly(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

}  // namespace

DateText CreateDate(std::string_view code, int language, const strings::Messages& messages) {
  DateText result;
  if (code.empty()) return result;

  std::string year(code.size() > 2 ? code.substr(2, 4) : std::string_view());
  if (year.size() == 2) {
    const auto number = ToInt(year);
    if (!number) {
      result.error = NotANumber(year);
      return result;
    }
    if (*number < 37) year = "20" + year;
  }

  int m;
  if (code.size() >= 2 && code[1] == 'Q') {
    m = code[0] >= '1' && code[0] <= '4' ? kFirstSeason + (code[0] - '1') : kYearOnly;
  } else if (code[0] == '?') {
    m = kUnknown;
  } else {
    const std::string_view month = code.substr(0, 2);
    const auto number = ToInt(month);
    if (!number) {
      result.error = NotANumber(month);
      return result;
    }
    m = *number;
  }

  if (language != 2 && BuiltInNames(language) == nullptr) return result;
  std::string text;
  if (m == kYearOnly) {
    text = year;
  } else if (m == kOutNow || m == kUnknown) {
    text = NameOf(m, language, messages);
  } else if ((m >= 1 && m <= 12) || (m >= kFirstSeason && m <= kLastSeason)) {
    text = NameOf(m, language, messages) + " " + year;
  } else {
    text = " " + year;
  }
  result.text = UpperAsciiOnly(std::move(text));
  return result;
}

}  // namespace norva::menu
