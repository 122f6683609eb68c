#pragma once
// Whether a result an export would write belongs to the data the analysis windows hold now.
//
// The spectrum window numbers its data: every hand-off and every new transform or map takes a
// new serial. A result remembers the serial it was computed from and, where it depends on them,
// the settings it was computed with. An export compares both with what is current and refuses
// anything else, so a step that stopped part-way can never be exported as the current result.
#include <cstdint>
#include <string>

#include "Text.h"

namespace spectrum {

struct ResultStamp {
    std::uint64_t serial = 0;  // 0: never computed
    std::string settings;      // the texts of the settings the result was made with
    bool interrupted = false;  // a run began and did not end: the result may be half written
};

enum class Freshness { Current, NothingYet, EarlierData, Interrupted, OtherSettings };

enum class ExportKind { File, Clipboard };

Freshness FreshnessOf(const ResultStamp& result, std::uint64_t currentSerial, const std::string& currentSettings);

// How the user knows a result: its name ("filtered image", translated with the refusal) and the
// button that computes it again ("*", a control's caption, never translated).
struct ResultName {
    common::Text what;
    std::string rerunButton;
};

// The refusal of an export whose result is not current (`freshness` is not Current).
common::Text StaleResultMessage(Freshness freshness, ExportKind kind, const ResultName& name);

// Throws InputError with StaleResultMessage unless the result is current.
void RequireCurrent(const ResultStamp& result, std::uint64_t currentSerial, const std::string& currentSettings,
                    ExportKind kind, const ResultName& name);

// The spectrum profile is drawn only by stepping the angle, never by a hand-off or a new map:
// one older than a map that is current was not drawn for it yet, whatever the hand-off did, and
// is refused with that reason; otherwise as RequireCurrent, by the map's own freshness.
void RequireCurrentProfile(const ResultStamp& profile, const ResultStamp& map, std::uint64_t currentSerial);

// The refusal's source text, of the "spectrum" context.
extern const char* const kProfileNotDrawnMessage;

} // namespace spectrum
