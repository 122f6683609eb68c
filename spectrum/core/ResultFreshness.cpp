#include "ResultFreshness.h"

#include "Errors.h"

namespace spectrum {

Freshness FreshnessOf(const ResultStamp& result, std::uint64_t currentSerial, const std::string& currentSettings)
{
    if (currentSerial == 0)
        return Freshness::NothingYet;
    if (result.serial != currentSerial)
        return Freshness::EarlierData;
    if (result.interrupted)
        return Freshness::Interrupted;
    if (result.settings != currentSettings)
        return Freshness::OtherSettings;
    return Freshness::Current;
}

std::string StaleResultMessage(Freshness freshness, ExportKind kind, const ResultName& name)
{
    const std::string verb = kind == ExportKind::File ? "save" : "copy";
    switch (freshness) {
    case Freshness::Current: return {};
    case Freshness::NothingYet:
        return "Nothing to " + verb + " yet: hand a ROI over with \"toFilter\" in the viewer first.";
    case Freshness::EarlierData:
        return "Nothing to " + verb + ": the " + name.what +
               " does not belong to the ROI handed over last, because the hand-off stopped before it "
               "was computed. Press \"toFilter\" in the viewer again once the ROI can be analysed.";
    case Freshness::Interrupted:
        return "Nothing to " + verb + ": the last run stopped before the " + name.what +
               " was complete. Correct the setting that stopped it and press \"" + name.rerunButton + "\" again.";
    case Freshness::OtherSettings:
        return "Nothing to " + verb + ": the " + name.what +
               " was made with other settings than those shown. Press \"" + name.rerunButton +
               "\" to compute it with the settings shown.";
    }
    return {};
}

void RequireCurrent(const ResultStamp& result, std::uint64_t currentSerial, const std::string& currentSettings,
                    ExportKind kind, const ResultName& name)
{
    const Freshness freshness = FreshnessOf(result, currentSerial, currentSettings);
    if (freshness != Freshness::Current)
        throw common::InputError(StaleResultMessage(freshness, kind, name));
}

const char* const kProfileNotDrawnMessage =
    "Nothing to copy: no profile of the spectrum shown has been drawn yet. Step the angle with the arrows "
    "beside it to draw one.";

void RequireCurrentProfile(const ResultStamp& profile, const ResultStamp& map, std::uint64_t currentSerial)
{
    if (FreshnessOf(map, currentSerial, {}) == Freshness::Current && profile.serial != map.serial)
        throw common::InputError(kProfileNotDrawnMessage);
    RequireCurrent(profile, currentSerial, {}, ExportKind::Clipboard, {"profile", "Spectl"});
}

} // namespace spectrum
