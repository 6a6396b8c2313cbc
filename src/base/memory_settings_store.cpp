#include "base/memory_settings_store.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zentrava {
namespace {

// Text as the profile functions see it after their trip through UTF-16: one unit per character,
// holding the character's canonical CP932 code (a byte, or lead << 8 | trail). The functions only
// ever look at ASCII units, so the units' Unicode values are never needed.
using Units = std::u16string;

// What the code page turns bytes it cannot decode into (U+30FB, written back as 0x81 0x45).
constexpr char16_t kUndecodable = 0x8145;

bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

struct CodeRange {
    std::uint16_t first;
    std::uint16_t last;
};

// Double-byte codes the code page assigns; trail bytes below 0x40, 0x7F and above 0xFC inside
// these ranges are unassigned too. Anything else decodes to kUndecodable.
constexpr std::array<CodeRange, 24> kAssigned{{
    {0x8140, 0x81AC}, {0x81B8, 0x81BF}, {0x81C8, 0x81CE}, {0x81DA, 0x81E8}, {0x81F0, 0x81F7},
    {0x81FC, 0x81FC}, {0x824F, 0x8258}, {0x8260, 0x8279}, {0x8281, 0x829A}, {0x829F, 0x82F1},
    {0x8340, 0x8396}, {0x839F, 0x83B6}, {0x83BF, 0x83D6}, {0x8440, 0x8460}, {0x8470, 0x8491},
    {0x849F, 0x84BE}, {0x8740, 0x875D}, {0x875F, 0x8775}, {0x877E, 0x879C}, {0x889F, 0x9872},
    {0x989F, 0xEAA4}, {0xED40, 0xEEEC}, {0xEEEF, 0xEEFC}, {0xF040, 0xFC4B},
}};

// Characters with two codes come back from UTF-16 as one of them, so a file or an argument that
// uses the other code reads back changed.
constexpr std::array<std::pair<std::uint16_t, std::uint16_t>, 15> kDuplicateCodes{{
    {0x8790, 0x81E0},
    {0x8791, 0x81DF},
    {0x8792, 0x81E7},
    {0x8795, 0x81E3},
    {0x8796, 0x81DB},
    {0x8797, 0x81DA},
    {0x879A, 0x81E6},
    {0x879B, 0x81BF},
    {0x879C, 0x81BE},
    {0xEEF9, 0x81CA},
    {0xFA54, 0x81CA},
    {0xFA58, 0x878A},
    {0xFA59, 0x8782},
    {0xFA5A, 0x8784},
    {0xFA5B, 0x81E6},
}};

// Position of a double-byte code in the 188-trail-per-lead grid, to shift whole blocks.
int GridIndex(unsigned code) {
    const unsigned lead = code >> 8;
    const unsigned trail = code & 0xFF;
    const unsigned row = lead < 0xA0 ? lead - 0x81 : lead - 0xC1;
    const unsigned column = trail < 0x7F ? trail - 0x40 : trail - 0x41;
    return static_cast<int>(row * 188 + column);
}

char16_t FromGridIndex(int index) {
    const int row = index / 188;
    const int column = index % 188;
    const int lead = row < 31 ? row + 0x81 : row + 0xC1;
    const int trail = column < 63 ? column + 0x40 : column + 0x41;
    return static_cast<char16_t>(lead << 8 | trail);
}

char16_t CanonicalDoubleByte(unsigned code) {
    const unsigned trail = code & 0xFF;
    if (trail < 0x40 || trail == 0x7F || trail > 0xFC) {
        return kUndecodable;
    }
    const bool assigned = std::any_of(kAssigned.begin(), kAssigned.end(), [code](CodeRange r) {
        return code >= r.first && code <= r.last;
    });
    if (!assigned) {
        return kUndecodable;
    }
    for (const auto& [from, to] : kDuplicateCodes) {
        if (code == from) {
            return to;
        }
    }
    // The NEC-selected copy of the IBM extensions maps onto the IBM block.
    if (code >= 0xED40 && code <= 0xEEEC) {
        return FromGridIndex(GridIndex(code) + GridIndex(0xFA5C) - GridIndex(0xED40));
    }
    if (code >= 0xEEEF && code <= 0xEEF8) {
        return static_cast<char16_t>(code - 0xEEEF + 0xFA40);
    }
    if (code >= 0xEEFA && code <= 0xEEFC) {
        return static_cast<char16_t>(code - 0xEEFA + 0xFA55);
    }
    if (code >= 0xFA4A && code <= 0xFA53) {
        return static_cast<char16_t>(code - 0xFA4A + 0x8754);
    }
    return static_cast<char16_t>(code);
}

// A lead byte swallows whatever byte follows it except NUL, line breaks included, which is how
// a value ending in half a character can merge the next line into itself. A lead byte at the
// end of a file decodes on its own; at the end of an argument string it is dropped.
Units Decode(std::string_view bytes, bool isArgument) {
    if (isArgument) {
        bytes = bytes.substr(0, bytes.find('\0'));
    }
    // Never more units than bytes: filled by index, then cut, as a loader decodes hundreds of
    // names and values per file.
    Units units(bytes.size(), u'\0');
    std::size_t used = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (!IsLeadByte(b)) {
            units[used++] = b;
            ++i;
        } else if (i + 1 < bytes.size() && bytes[i + 1] != '\0') {
            units[used++] = CanonicalDoubleByte(b << 8 | static_cast<unsigned char>(bytes[i + 1]));
            i += 2;
        } else {
            if (!isArgument) {
                units[used++] = kUndecodable;
            }
            ++i;
        }
    }
    units.resize(used);
    return units;
}

Units DecodeArgument(std::string_view bytes) {
    return Decode(bytes, true);
}

std::size_t EncodedSize(char16_t unit) {
    return unit > 0xFF ? 2 : 1;
}

void AppendUnit(std::string& out, char16_t unit) {
    if (unit > 0xFF) {
        out.push_back(static_cast<char>(unit >> 8));
    }
    out.push_back(static_cast<char>(unit & 0xFF));
}

void AppendEncoded(std::string& out, const Units& units) {
    for (char16_t unit : units) {
        AppendUnit(out, unit);
    }
}

bool IsProfileSpace(char16_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20;
}

Units TrimLeading(Units s) {
    const auto first = std::find_if_not(s.begin(), s.end(), IsProfileSpace);
    return Units(first, s.end());
}

Units TrimTrailing(Units s) {
    while (!s.empty() && IsProfileSpace(s.back())) {
        s.pop_back();
    }
    return s;
}

Units UpToNul(Units s) {
    s.resize(std::min(s.size(), s.find(char16_t{0})));
    return s;
}

// Only ASCII letters fold; full-width, Greek and Cyrillic letters must match exactly.
char16_t FoldAscii(char16_t c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char16_t>(c + 32) : c;
}

bool NamesEqual(const Units& a, const Units& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return FoldAscii(x) == FoldAscii(y); });
}

struct Key {
    Units name;
    std::optional<Units> value; // none for a line without '='
};

struct Section {
    Units name; // empty for the keys above the first header
    std::vector<Key> keys;
};

struct Profile {
    bool utf8Marker = false;
    std::vector<Section> sections;
};

constexpr std::string_view kUtf8Marker = "\xEF\xBB\xBF";

Profile Parse(std::string_view text) {
    Profile profile;
    if (text.empty()) {
        return profile;
    }
    if (text.starts_with(kUtf8Marker)) {
        profile.utf8Marker = true;
        text.remove_prefix(kUtf8Marker.size());
    }
    const Units units = Decode(text, false);
    profile.sections.emplace_back();
    const auto isBreak = [](char16_t c) { return c == '\n' || c == '\r'; };
    std::size_t next = 0;
    while (next < units.size()) {
        std::size_t start = next;
        while (next < units.size() && !isBreak(units[next])) {
            ++next;
        }
        std::size_t end = next;
        while (next < units.size() && isBreak(units[next])) {
            ++next;
        }
        while (start < end && IsProfileSpace(units[start])) {
            ++start;
        }
        while (end > start && IsProfileSpace(units[end - 1])) {
            --end;
        }
        if (start >= end) {
            continue;
        }
        if (units[start] == '[') {
            std::size_t close = end;
            while (close > start && units[close - 1] != ']') {
                --close;
            }
            if (close > start) {
                Units name = units.substr(start + 1, close - 1 - (start + 1));
                profile.sections.push_back({UpToNul(TrimTrailing(TrimLeading(name))), {}});
                continue;
            }
        }
        std::vector<Key>& keys = profile.sections.back().keys;
        const auto lineBegin = units.begin() + static_cast<std::ptrdiff_t>(start);
        const auto lineEnd = units.begin() + static_cast<std::ptrdiff_t>(end);
        const auto equals = std::find(lineBegin, lineEnd, u'=');
        Key key;
        if (equals != lineEnd) {
            key.name = TrimTrailing(Units(lineBegin, equals));
            key.value = UpToNul(TrimLeading(Units(equals + 1, lineEnd)));
        } else {
            key.name = Units(lineBegin, lineEnd);
        }
        // Runs of nameless lines ("=x") keep only their first.
        const bool keep = !key.name.empty() || keys.empty() || !keys.back().name.empty();
        key.name = UpToNul(std::move(key.name));
        if (keep) {
            keys.push_back(std::move(key));
        }
    }
    return profile;
}

// The whole file is rewritten on every change: headers and "name=value" lines only, CRLF,
// blank lines and spacing around '=' gone.
std::string Serialize(const Profile& profile) {
    std::string out;
    if (profile.utf8Marker) {
        out += kUtf8Marker;
    }
    for (const Section& section : profile.sections) {
        if (!section.name.empty()) {
            out += '[';
            AppendEncoded(out, section.name);
            out += "]\r\n";
        }
        for (const Key& key : section.keys) {
            AppendEncoded(out, key.name);
            if (key.value) {
                out += '=';
                AppendEncoded(out, *key.value);
            }
            out += "\r\n";
        }
    }
    return out;
}

Units Folded(Units name) {
    for (char16_t& c : name) {
        c = FoldAscii(c);
    }
    return name;
}

// A name asked for loses the blanks around it; a name in the file is matched as it stands, so
// one cut at a NUL that left a blank before it is never found.
Units LookupName(Units name) {
    return Folded(TrimTrailing(TrimLeading(std::move(name))));
}

// The first section of each name and, within it, the first key of each name decide: a key only
// in a later duplicate section is not found.
struct SectionIndex {
    std::size_t section = 0;
    std::unordered_map<Units, std::size_t> keys;
};
using ProfileIndex = std::unordered_map<Units, SectionIndex>;

ProfileIndex IndexOf(const Profile& profile) {
    ProfileIndex index;
    for (std::size_t s = 0; s < profile.sections.size(); ++s) {
        const auto [entry, first] =
            index.try_emplace(Folded(profile.sections[s].name), SectionIndex{s, {}});
        if (!first) {
            continue;
        }
        const std::vector<Key>& keys = profile.sections[s].keys;
        for (std::size_t k = 0; k < keys.size(); ++k) {
            entry->second.keys.try_emplace(Folded(keys[k].name), k);
        }
    }
    return index;
}

// Quotes come off only when the closing one survives the cut, and a value that exactly fills
// the buffer loses its last character instead of the quote.
Units CopyEntry(std::u16string_view value, std::size_t bufferSize) {
    bool quoted = false;
    if (value.size() > 1 && (value[0] == '\'' || value[0] == '"') && value.back() == value[0]) {
        quoted = true;
        value.remove_prefix(1);
    }
    Units copy(value.substr(0, std::min(value.size(), bufferSize - 1)));
    if (quoted && bufferSize >= value.size() && !copy.empty()) {
        copy.pop_back();
    }
    return copy;
}

// Defaults lose trailing blanks (spaces only), but never their first character.
Units StripDefault(Units def) {
    while (def.size() > 1 && def.back() == ' ') {
        def.pop_back();
    }
    return def;
}

// The cut to bufferSize - 1 characters happens in UTF-16; the conversion back then drops every
// character that no longer fits in bufferSize - 1 bytes, never splitting one.
std::string EncodeWithin(const Units& units, std::size_t byteLimit) {
    std::string out;
    std::size_t used = 0;
    for (char16_t unit : units) {
        used += EncodedSize(unit);
        if (used > byteLimit) {
            break;
        }
        AppendUnit(out, unit);
    }
    return out;
}

int DigitValue(char16_t c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'Z') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 10;
    }
    return -1;
}

// Leading control characters and blanks, one sign, then "0x", "0o" or "0b" (lower case only),
// digits until the first that does not fit the base; the total wraps modulo 2^32.
int ParseProfileInt(const Units& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] <= u' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (text.size() - i >= 2 && text[i] == '0') {
        const char16_t prefix = text[i + 1];
        base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
        if (base != 10) {
            i += 2;
        }
    }
    std::uint32_t total = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i]);
        if (digit < 0 || digit >= base) {
            break;
        }
        total = total * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
    }
    return static_cast<int>(negative ? 0u - total : total);
}

} // namespace

struct MemorySettingsStore::Parsed {
    Profile profile;
    ProfileIndex index;
};

MemorySettingsStore::MemorySettingsStore(std::string text, IniFileAccess fileAccess)
    : fileText(std::move(text)), access(fileAccess) {
    Reparse();
}

void MemorySettingsStore::Reparse() {
    Profile profile = Parse(fileText);
    ProfileIndex index = IndexOf(profile);
    parsed = std::make_shared<const Parsed>(Parsed{std::move(profile), std::move(index)});
}

namespace {

const Key* FindKey(const Profile& profile, const ProfileIndex& index, std::string_view section,
                   std::string_view key) {
    const auto s = index.find(LookupName(DecodeArgument(section)));
    if (s == index.end()) {
        return nullptr;
    }
    const auto k = s->second.keys.find(LookupName(DecodeArgument(key)));
    return k == s->second.keys.end() ? nullptr
                                     : &profile.sections[s->second.section].keys[k->second];
}

Units ReadUnits(const Profile& profile, const ProfileIndex& index, IniFileAccess access,
                std::string_view section, std::string_view key, std::string_view def,
                std::size_t bufferSize) {
    const Units defUnits = StripDefault(DecodeArgument(def));
    if (access == IniFileAccess::DirectoryMissing) {
        // The file could not be opened at all, so the default is copied without unquoting.
        return defUnits.substr(0, bufferSize - 1);
    }
    const Key* found = FindKey(profile, index, section, key);
    return CopyEntry(found && found->value ? *found->value : defUnits, bufferSize);
}

} // namespace

int MemorySettingsStore::GetInt(std::string_view section, std::string_view key, int def) const {
    // The integer is read through a 30-character buffer; an empty read means the default.
    const Units text = ReadUnits(parsed->profile, parsed->index, access, section, key, "", 30);
    return text.empty() ? def : ParseProfileInt(text);
}

std::string MemorySettingsStore::GetText(std::string_view section, std::string_view key,
                                         std::string_view def, std::size_t bufferSize) const {
    if (bufferSize == 0) {
        return {};
    }
    return EncodeWithin(
        ReadUnits(parsed->profile, parsed->index, access, section, key, def, bufferSize),
        bufferSize - 1);
}

bool MemorySettingsStore::PutText(std::string_view section, std::string_view key,
                                  std::string_view value) {
    if (access != IniFileAccess::ReadWrite) {
        return false;
    }
    Profile profile = parsed->profile;
    // New names keep their trailing blanks; lookups ignore them.
    const Units newSection = TrimLeading(DecodeArgument(section));
    const Units newKey = TrimLeading(DecodeArgument(key));
    const Units sectionName = TrimTrailing(newSection);
    const Units keyName = TrimTrailing(newKey);
    Units newValue = TrimLeading(DecodeArgument(value));

    const auto sectionIt =
        std::find_if(profile.sections.begin(), profile.sections.end(),
                     [&](const Section& s) { return NamesEqual(s.name, sectionName); });
    if (sectionIt == profile.sections.end()) {
        profile.sections.push_back({newSection, {{newKey, std::move(newValue)}}});
    } else {
        auto keyIt = std::find_if(sectionIt->keys.begin(), sectionIt->keys.end(),
                                  [&](const Key& k) { return NamesEqual(k.name, keyName); });
        if (keyIt == sectionIt->keys.end()) {
            sectionIt->keys.push_back({newKey, std::move(newValue)});
        } else if (keyIt->value == newValue) {
            return true; // an unchanged value leaves the file untouched, formatting and all
        } else {
            keyIt->value = std::move(newValue);
        }
    }
    fileText = Serialize(profile);
    // Read back as the file now reads, which need not be the profile just written out.
    Reparse();
    return true;
}

bool MemorySettingsStore::FileExists(std::string_view path) const {
    return existingFiles.contains(path);
}

void MemorySettingsStore::AddExistingFile(std::string path) {
    existingFiles.insert(std::move(path));
}

} // namespace zentrava
