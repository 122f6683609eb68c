// Which results an export may write.
#include <gtest/gtest.h>

#include "Errors.h"
#include "ResultFreshness.h"

namespace {

using spectrum::ExportKind;
using spectrum::Freshness;

TEST(ResultFreshness, OnlyAResultOfTheCurrentDataAndSettingsIsCurrent)
{
    const struct {
        const char* what;
        spectrum::ResultStamp stamp;
        std::uint64_t serial;
        Freshness expected;
    } cases[] = {
        {"before any hand-off", {}, 0, Freshness::NothingYet},
        {"computed, current", {3, "HCF|0.25", false}, 3, Freshness::Current},
        {"never computed since the hand-off", {}, 1, Freshness::EarlierData},
        {"an earlier hand-off", {2, "HCF|0.25", false}, 3, Freshness::EarlierData},
        {"an earlier hand-off, its run interrupted", {2, "HCF|0.25", true}, 3, Freshness::EarlierData},
        {"interrupted", {3, "HCF|0.25", true}, 3, Freshness::Interrupted},
        {"other settings", {3, "HCF|0.3", false}, 3, Freshness::OtherSettings},
    };
    for (const auto& c : cases)
        EXPECT_EQ(spectrum::FreshnessOf(c.stamp, c.serial, "HCF|0.25"), c.expected) << c.what;
}

TEST(ResultFreshness, RefusalsSayWhatToDo)
{
    const spectrum::ResultName name{common::Text::Verbatim("filtered image"), "*"};
    const struct {
        Freshness freshness;
        ExportKind kind;
        const char* says;
    } cases[] = {
        {Freshness::NothingYet, ExportKind::File, "Nothing to save yet: hand a ROI over with \"toFilter\""},
        {Freshness::NothingYet, ExportKind::Clipboard, "Nothing to copy yet:"},
        {Freshness::EarlierData, ExportKind::File, "filtered image does not belong to the ROI handed over last"},
        {Freshness::Interrupted, ExportKind::Clipboard, "before the filtered image was complete. Correct the setting "
                                                        "that stopped it and press \"*\" again."},
        {Freshness::OtherSettings, ExportKind::File, "Press \"*\" to compute it with the settings shown."},
    };
    for (const auto& c : cases)
        EXPECT_NE(spectrum::StaleResultMessage(c.freshness, c.kind, name).Plain().find(c.says), std::string::npos) << c.says;

    EXPECT_NO_THROW(spectrum::RequireCurrent({1, "s", false}, 1, "s", ExportKind::File, name));
    EXPECT_THROW(spectrum::RequireCurrent({1, "s", false}, 2, "s", ExportKind::File, name), common::InputError);
}

} // namespace
