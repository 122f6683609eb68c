#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "DialogDouble.h"
#include "Errors.h"
#include "HandlerGuard.h"
#include "RadioGroup.h"

namespace {

TEST(RadioGroup, SignalsOnlyOnChange)
{
    toolkit::RadioGroup group;
    group.setItems({"a", "b", "c"});
    group.setItemIndex(0);
    QList<int> seen;
    QObject::connect(&group, &toolkit::RadioGroup::itemIndexChanged, [&](int i) { seen << i; });
    group.setItemIndex(0);
    group.setItemIndex(2);
    group.setItemIndex(2);
    group.Button(1)->click();  // as the user would
    group.Button(1)->click();
    group.setItemIndex(-1);
    EXPECT_EQ(seen, (QList<int>{2, 1, -1}));
    EXPECT_EQ(group.ItemIndex(), -1);
}

// An error in a handler that another handler started by changing a control stops the outer one;
// an error in a handler the user started is shown once.
TEST(HandlerGuard, NestedErrorsStopTheOuterHandlerAndTopLevelErrorsAreShown)
{
    toolkit::DialogDouble dialogs;
    QLineEdit edit;
    QCheckBox box;
    QPushButton button;
    int innerRuns = 0;
    bool outerFinished = false;
    QObject::connect(&edit, &QLineEdit::textChanged, &edit, toolkit::Guarded([&] {
        ++innerRuns;
        common::ThrowNotInteger("x");
    }));
    QObject::connect(&box, &QCheckBox::toggled, &box, toolkit::Guarded([&] {
        toolkit::SetText(&edit, QString("changed"));
        outerFinished = true;
    }));
    QObject::connect(&button, &QPushButton::clicked, &button, toolkit::Guarded([&] { toolkit::SetChecked(&box, true); }));

    button.click();
    EXPECT_EQ(innerRuns, 1);
    EXPECT_FALSE(outerFinished);
    EXPECT_TRUE(box.isChecked());  // nothing is rolled back
    EXPECT_EQ(dialogs.messages, QStringList{"'x' は整数ではありません"});

    // Setting the same state again runs nothing.
    EXPECT_NO_THROW(toolkit::SetChecked(&box, true));
    EXPECT_EQ(innerRuns, 1);

    // Called directly, the error reaches the caller.
    EXPECT_THROW(toolkit::SetText(&edit, QString("again")), common::ConversionError);
    EXPECT_EQ(dialogs.messages.size(), 1);
}

} // namespace
