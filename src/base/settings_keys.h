#pragma once
// Key tables: a section's keys with the record fields they fill, walked in file order by one
// reader and one writer, so a feature lists its keys once. Integers are clamped on reading by
// the section's clamp table; missing keys read as the record's own default.

#include "base/settings_clamps.h"
#include "base/settings_store.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zentrava {

template <typename Record>
struct IntKey {
    std::string_view key;
    int Record::*field;
    // Set where the reader asks under another spelling than the writer uses; lookup ignores
    // case, so both reach the same line.
    std::string_view readKey = {};

    constexpr std::string_view ReadName() const { return readKey.empty() ? key : readKey; }
};

template <typename Record>
void ReadInts(const SettingsStore& store, std::string_view section,
              std::span<const IntKey<Record>> keys, Record& record,
              const Record& defaults = Record{}) {
    for (const IntKey<Record>& k : keys) {
        record.*k.field = GetClampedInt(store, section, k.ReadName(), defaults.*k.field);
    }
}

// True when every key reached the file.
template <typename Record>
bool WriteInts(SettingsStore& store, std::string_view section, std::span<const IntKey<Record>> keys,
               const Record& record) {
    bool ok = true;
    for (const IntKey<Record>& k : keys) {
        ok = store.PutInt(section, k.key, record.*k.field) && ok;
    }
    return ok;
}

// "ＭＳ Ｐゴシック" as CP932 bytes. Written out so that the native build (UTF-8 literals) and the
// Windows build (CP932 literals) hold the same bytes and read and write the same file.
inline constexpr std::string_view kDefaultFontFaceName =
    "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";

// The platform's LOGFONTA, field by field, without the platform header; the glue converts.
struct LogFontFields {
    int Height = 14;
    int Width = 0;
    int Escapement = 0;
    int Orientation = 0;
    int Weight = 700;
    std::uint8_t Italic = 0;
    std::uint8_t Underline = 0;
    std::uint8_t StrikeOut = 0;
    std::uint8_t CharSet = 128;
    std::uint8_t OutPrecision = 3;
    std::uint8_t ClipPrecision = 2;
    std::uint8_t Quality = 1;
    std::uint8_t PitchAndFamily = 49;
    std::string FontFaceName = std::string(kDefaultFontFaceName);

    friend bool operator==(const LogFontFields&, const LogFontFields&) = default;
};

// A font is kept as the platform record's fields in its order, each key the field's name
// followed by `suffix` ("Height", or "HeightAlarmDlg05" for an alarm's font), then the face
// name under "FontFaceName" plus the suffix. An empty face name reads as the default face: it
// would let the font mapper pick any face, often one without Japanese.
LogFontFields ReadLogFont(const SettingsStore& store, std::string_view section,
                          std::string_view suffix, const LogFontFields& defaults);
bool WriteLogFont(SettingsStore& store, std::string_view section, std::string_view suffix,
                  const LogFontFields& font);

} // namespace zentrava
