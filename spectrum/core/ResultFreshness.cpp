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

namespace {

// One text per refusal and export kind: "save" and "copy" read differently in other languages.
common::Text StaleText(Freshness freshness, bool file)
{
    switch (freshness) {
    case Freshness::NothingYet:
        return file ? common::TrText("spectrum",
                                     "Nothing to save yet: hand a ROI over with \"toFilter\" in the viewer first.")
                    : common::TrText("spectrum",
                                     "Nothing to copy yet: hand a ROI over with \"toFilter\" in the viewer first.");
    case Freshness::EarlierData:
        return file ? common::TrText("spectrum", "Nothing to save: the %1 does not belong to the ROI handed over last, "
                                                 "because the hand-off stopped before it was computed. Press "
                                                 "\"toFilter\" in the viewer again once the ROI can be analysed.")
                    : common::TrText("spectrum", "Nothing to copy: the %1 does not belong to the ROI handed over last, "
                                                 "because the hand-off stopped before it was computed. Press "
                                                 "\"toFilter\" in the viewer again once the ROI can be analysed.");
    case Freshness::Interrupted:
        return file ? common::TrText("spectrum", "Nothing to save: the last run stopped before the %1 was complete. "
                                                 "Correct the setting that stopped it and press \"%2\" again.")
                    : common::TrText("spectrum", "Nothing to copy: the last run stopped before the %1 was complete. "
                                                 "Correct the setting that stopped it and press \"%2\" again.");
    case Freshness::OtherSettings:
    case Freshness::Current:
        break;
    }
    return file ? common::TrText("spectrum", "Nothing to save: the %1 was made with other settings than those shown. "
                                             "Press \"%2\" to compute it with the settings shown.")
                : common::TrText("spectrum", "Nothing to copy: the %1 was made with other settings than those shown. "
                                             "Press \"%2\" to compute it with the settings shown.");
}

} // namespace

common::Text StaleResultMessage(Freshness freshness, ExportKind kind, const ResultName& name)
{
    common::Text text = StaleText(freshness, kind == ExportKind::File);
    if (freshness == Freshness::EarlierData)
        return text.Arg(name.what);
    return text.Arg(name.what).Arg(name.rerunButton);
}

void RequireCurrent(const ResultStamp& result, std::uint64_t currentSerial, const std::string& currentSettings,
                    ExportKind kind, const ResultName& name)
{
    const Freshness freshness = FreshnessOf(result, currentSerial, currentSettings);
    if (freshness != Freshness::Current)
        throw common::InputError(StaleResultMessage(freshness, kind, name));
}

const char* const kProfileNotDrawnMessage =
    TR_NOOP("spectrum", "Nothing to copy: no profile of the spectrum shown has been drawn yet. Step the angle with "
                        "the arrows beside it to draw one.");

void RequireCurrentProfile(const ResultStamp& profile, const ResultStamp& map, std::uint64_t currentSerial)
{
    if (FreshnessOf(map, currentSerial, {}) == Freshness::Current && profile.serial != map.serial)
        throw common::InputError(common::Text("spectrum", kProfileNotDrawnMessage));
    RequireCurrent(profile, currentSerial, {}, ExportKind::Clipboard,
                   {common::TrText("spectrum", "profile"), "Spectl"});
}

} // namespace spectrum
