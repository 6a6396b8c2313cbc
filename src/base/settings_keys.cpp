#include "base/settings_keys.h"

#include <array>

namespace zentrava {
namespace {

struct FontIntField {
    std::string_view name;
    int LogFontFields::*field;
};

struct FontByteField {
    std::string_view name;
    std::uint8_t LogFontFields::*field;
};

constexpr std::array<FontIntField, 5> kIntFields{{
    {"Height", &LogFontFields::Height},
    {"Width", &LogFontFields::Width},
    {"Escapement", &LogFontFields::Escapement},
    {"Orientation", &LogFontFields::Orientation},
    {"Weight", &LogFontFields::Weight},
}};

constexpr std::array<FontByteField, 8> kByteFields{{
    {"Italic", &LogFontFields::Italic},
    {"Underline", &LogFontFields::Underline},
    {"StrikeOut", &LogFontFields::StrikeOut},
    {"CharSet", &LogFontFields::CharSet},
    {"OutPrecision", &LogFontFields::OutPrecision},
    {"ClipPrecision", &LogFontFields::ClipPrecision},
    {"Quality", &LogFontFields::Quality},
    {"PitchAndFamily", &LogFontFields::PitchAndFamily},
}};

constexpr std::string_view kFaceName = "FontFaceName";

std::string Key(std::string_view name, std::string_view suffix) {
    std::string key(name);
    key += suffix;
    return key;
}

} // namespace

LogFontFields ReadLogFont(const SettingsStore& store, std::string_view section,
                          std::string_view suffix, const LogFontFields& defaults) {
    LogFontFields font;
    for (const FontIntField& f : kIntFields) {
        font.*f.field = GetClampedInt(store, section, Key(f.name, suffix), defaults.*f.field);
    }
    for (const FontByteField& f : kByteFields) {
        // The platform record holds a byte, so a larger number keeps its low byte as it would
        // in the platform's own record.
        font.*f.field = static_cast<std::uint8_t>(
            GetClampedInt(store, section, Key(f.name, suffix), defaults.*f.field));
    }
    font.FontFaceName = store.GetTrimmedText(section, Key(kFaceName, suffix), defaults.FontFaceName,
                                             kFaceNameBufferSize);
    if (font.FontFaceName.empty()) {
        font.FontFaceName = std::string(kDefaultFontFaceName);
    }
    return font;
}

bool WriteLogFont(SettingsStore& store, std::string_view section, std::string_view suffix,
                  const LogFontFields& font) {
    bool ok = true;
    for (const FontIntField& f : kIntFields) {
        ok = store.PutInt(section, Key(f.name, suffix), font.*f.field) && ok;
    }
    for (const FontByteField& f : kByteFields) {
        ok = store.PutInt(section, Key(f.name, suffix), font.*f.field) && ok;
    }
    return store.PutText(section, Key(kFaceName, suffix), font.FontFaceName) && ok;
}

} // namespace zentrava
