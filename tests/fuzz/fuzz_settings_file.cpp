// A whole settings file of any bytes through every section's loader. Each record must come out
// inside the ranges the clamp tables give, and a loaded record written out and loaded again must
// come back the same: a value that moves on every save drifts further each time.
#include "alarms/alarm_table.h"
#include "alarms/interval_alarm.h"
#include "alarms/quick_timer.h"
#include "alarms/time_signal.h"
#include "app/window_behaviour.h"
#include "app/window_position.h"
#include "base/memory_settings_store.h"
#include "face/appearance_settings.h"
#include "face/time_bands.h"
#include "face/world_zones.h"
#include "fuzz/fuzz_check.h"
#include "sound/audio_settings.h"
#include "sound/volume_settings.h"
#include "timesync/ntp_settings.h"

#include <map>
#include <optional>
#include <tuple>

namespace zentrava {
namespace {

using fuzz::Require;

// Files and folders exist by a rule the input controls: a path with a dot names a file, one
// without names a folder.
bool NamesFile(std::string_view path) {
    return path.find('.') != std::string_view::npos;
}

// The fuzzed file itself, through the real file rules.
class FuzzStore final : public SettingsStore {
public:
    explicit FuzzStore(std::string text) : file(std::move(text)) {}
    int GetInt(std::string_view s, std::string_view k, int def) const override {
        return file.GetInt(s, k, def);
    }
    std::string GetText(std::string_view s, std::string_view k, std::string_view def,
                        std::size_t size) const override {
        return file.GetText(s, k, def, size);
    }
    bool PutText(std::string_view, std::string_view, std::string_view) override { return false; }
    bool FileExists(std::string_view path) const override { return NamesFile(path); }

private:
    MemorySettingsStore file;
};

// What a save wrote, read back as one file of those lines through the real file rules, parsed
// once per reload: a store that rewrites its whole file on every write, as the real one does,
// would run a few inputs a second.
class WrittenStore final : public SettingsStore {
public:
    int GetInt(std::string_view s, std::string_view k, int def) const override {
        return File().GetInt(s, k, def);
    }
    std::string GetText(std::string_view s, std::string_view k, std::string_view def,
                        std::size_t size) const override {
        return File().GetText(s, k, def, size);
    }
    bool PutText(std::string_view s, std::string_view k, std::string_view v) override {
        values[{Folded(s), Folded(k)}] = v;
        file.reset();
        return true;
    }
    bool FileExists(std::string_view path) const override { return NamesFile(path); }
    bool Wrote(std::string_view section) const {
        const auto next = values.lower_bound({Folded(section), ""});
        return next != values.end() && next->first.first == Folded(section);
    }

    // By section and key, names folded as the file folds them.
    std::map<std::pair<std::string, std::string>, std::string> values;

private:
    static std::string Folded(std::string_view name) {
        std::string folded(name);
        for (char& c : folded) {
            c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        }
        return folded;
    }
    const MemorySettingsStore& File() const {
        if (!file) {
            std::string text;
            const std::string* section = nullptr;
            for (const auto& [name, value] : values) {
                if (section == nullptr || *section != name.first) {
                    section = &name.first;
                    text += "[" + name.first + "]\r\n";
                }
                text += name.second + "=" + value + "\r\n";
            }
            file.emplace(std::move(text));
        }
        return *file;
    }
    mutable std::optional<MemorySettingsStore> file;
};

class FuzzFolders final : public FolderReader {
public:
    bool IsDirectory(std::string_view path) const override {
        return !path.empty() && path.find('.') == std::string_view::npos;
    }
    std::vector<FolderEntry> List(std::string_view) const override { return {}; }
};

constexpr std::array kClampedSections{
    kWindowPositionSection, kTimeZoneDiffSection,       kClockSettingSection,
    kFontSettingSection,    kSoundVolumeSettingSection, kIntervalAlarmSettingSection,
    kAudioSettingSection,   kAudioFolderSection,
};

// Every clamped key of a section the save wrote must read back inside its range.
void RequireClampedKeysInRange(const WrittenStore& saved) {
    for (const std::string_view section : kClampedSections) {
        if (!saved.Wrote(section)) {
            continue;
        }
        for (const IntClamp& c : ClampsForSection(section)) {
            const int v = saved.GetInt(section, c.key, c.min);
            Require(v >= c.min && v <= c.max, "a clamped key is written inside its range");
        }
    }
}

// Load, write, check the ranges, load again: the same record and, written again, the same file.
template <typename Load, typename Save, typename Check>
void RoundTrip(const SettingsStore& file, Load load, Save save, Check check) {
    const auto first = load(file);
    check(first);
    WrittenStore once;
    save(once, first);
    RequireClampedKeysInRange(once);
    const auto again = load(once);
    Require(again == first, "a loaded record reloads the same after a save");
    WrittenStore twice;
    save(twice, again);
    Require(twice.values == once.values, "a second save writes the same values");
}

void RequireFaceName(const LogFontFields& font) {
    Require(font.FontFaceName.size() < kFaceNameBufferSize, "a face name fits its field");
}

const auto kNoCheck = [](const auto&) {};

// The zones' record has no comparison of its own; its fields in one tuple do.
struct Zones {
    WorldZoneSettings s;
    bool operator==(const Zones& o) const {
        const auto fields = [](const WorldZoneSettings& z) {
            return std::tie(z.TimeZoneDiffOnFlag, z.TimeZoneDiffSummerTimeOnFlag,
                            z.TimeZoneDiffHour, z.TimeZoneDiffMinute, z.TimeZoneDiffColor);
        };
        return fields(s) == fields(o.s);
    }
    operator const WorldZoneSettings&() const { return s; }
};

Zones LoadZones(const SettingsStore& store) {
    return {LoadWorldZoneSettings(store)};
}

// One section group per input, so that an input's bytes all go to the section it exercises; what
// is left of the first byte picks the part of a large group.
void RoundTripGroup(int group, int pick, const SettingsStore& file) {
    switch (group) {
    case 0:
        return RoundTrip(
            file,
            [](const SettingsStore& s) {
                AppearanceSettings a;
                LoadClockAndFontSettings(s, a);
                a.colors = LoadDrawColors(s);
                return a;
            },
            [](SettingsStore& s, const AppearanceSettings& a) {
                SaveAppearanceSettings(s, a, [](SettingsStore&) {});
            },
            [](const AppearanceSettings& a) { RequireFaceName(a.font.logFont); });
    case 1:
        return RoundTrip(
            file,
            [](const SettingsStore& s) { return LoadWindowBehaviour(s, kLayeringPlatformMajor); },
            SaveWindowBehaviour, kNoCheck);
    case 2:
        return RoundTrip(file, LoadWindowPosition, SaveWindowPosition, kNoCheck);
    case 3:
        return RoundTrip(file, LoadZones, SaveWorldZoneSettings, kNoCheck);
    case 4:
        return RoundTrip(file, LoadPictureSettings, SavePictureSettings, kNoCheck);
    case 5:
        return RoundTrip(file, LoadTimeBands, SaveTimeBands, kNoCheck);
    case 6:
        return RoundTrip(file, LoadVolumeSettings, SaveVolumeSettings, kNoCheck);
    case 7:
        return RoundTrip(
            file, [](const SettingsStore& s) { return LoadAudioSettings(s, FuzzFolders()); },
            [](SettingsStore& s, const AudioSettings& a) { SaveAudioSettings(s, a, nullptr); },
            [](const AudioSettings& a) {
                Require(a.SelectPlayListNo >= 0 && a.SelectPlayListNo < kPlaylistCount &&
                            a.SelectFolderPlayListNo >= 0 &&
                            a.SelectFolderPlayListNo < kFolderPlaylistCount,
                        "the selected lists exist");
            });
    case 8: {
        // One alarm per input, so that an input costs its thirty keys and not six hundred.
        const int number = pick % kAlarmCount + 1;
        return RoundTrip(
            file, [number](const SettingsStore& s) { return LoadAlarm(s, number); },
            [number](SettingsStore& s, const AlarmRecord& a) {
                AlarmTable table;
                AlarmRecords records;
                records[static_cast<std::size_t>(number - 1)] = a;
                CommitAlarms(table, records);
                table.changed[static_cast<std::size_t>(number - 1)] = true;
                table.fontChanged[static_cast<std::size_t>(number - 1)] = true;
                SaveAlarms(s, table);
            },
            [](const AlarmRecord& a) {
                Require(a.Font.Height >= -kAlarmFontHeightLimit &&
                            a.Font.Height <= kAlarmFontHeightLimit,
                        "an alarm's font height inside its limit");
                RequireFaceName(a.Font);
            });
    }
    case 9: {
        // The signal's own keys, its hours' sounds or its half hours': one part per input.
        using Load = void (*)(const SettingsStore&, TimeSignal&);
        using Save = bool (*)(SettingsStore&, const TimeSignalSettings&);
        constexpr std::array<std::pair<Load, Save>, 3> kParts{{
            {LoadTimeSignal, SaveTimeSignal},
            {LoadPerHourSounds, SavePerHourSounds},
            {LoadPerHalfHourSounds, SavePerHalfHourSounds},
        }};
        const Load load = kParts[static_cast<std::size_t>(pick % 3)].first;
        return RoundTrip(
            file,
            [load](const SettingsStore& s) {
                TimeSignal signal;
                load(s, signal);
                return signal.Settings();
            },
            kParts[static_cast<std::size_t>(pick % 3)].second, kNoCheck);
    }
    case 10:
        return RoundTrip(file, LoadIntervalAlarmSettings, SaveIntervalAlarmSettings, kNoCheck);
    case 11:
        return RoundTrip(file, LoadQuickTimerFiles, SaveQuickTimerFiles, kNoCheck);
    default:
        return RoundTrip(
            file,
            [](const SettingsStore& s) {
                NtpSync sync;
                LoadNtpSettings(s, sync);
                return sync.Settings();
            },
            SaveNtpSettings, kNoCheck);
    }
}

constexpr int kGroups = 13;

} // namespace
} // namespace zentrava

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zentrava;
    if (size == 0) {
        return 0;
    }
    const FuzzStore file(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    RoundTripGroup(data[0] % kGroups, data[0] / kGroups, file);
    return 0;
}
