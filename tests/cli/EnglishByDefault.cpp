// The command line's tests read its English texts: every test starts in English, whatever
// language the shared test main installed for the windows' tests. A test that runs a command in
// Japanese asks for it with --lang, which holds for that run only.
#include <gtest/gtest.h>

#include "Translation.h"

namespace {

class English : public ::testing::Environment {
public:
    void SetUp() override { i18n::UseLanguage(i18n::Language::English); }
};

const ::testing::Environment* const kEnglish = ::testing::AddGlobalTestEnvironment(new English);

} // namespace
