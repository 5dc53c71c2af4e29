// The login-script page's list: what adding, removing and moving do to the order, and
// the script it hands back.
#include <gtest/gtest.h>

#include "wizard/engine/scriptlist.h"
#include "wizard/memoryregistry.h"

namespace {

std::vector<std::string> Rows(const ScriptList& list)
{
    std::vector<std::string> rows;
    for (const ScriptItem& item : list.Items())
        rows.push_back(Narrow(item.actOn) + "|" + Narrow(item.send) + "|" + std::to_string(item.sequence));
    return rows;
}

TEST(WizardScriptList, InitiationStaysFirstAndOnlyOnce)
{
    ScriptList list;
    list.AddStep(StepKind::Text, W("login:"), W("guest<CR>"));
    EXPECT_EQ(list.AddInitiation(W("hello")), 0);
    EXPECT_TRUE(list.HasInitiation());
    list.AddInitiation(W("again"));
    list.AddStep(StepKind::Keyboard, W("<KU>"), W("<CR>"));
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"<Initiation>|hello|0", "login:|guest<CR>|1", "<KU>|<CR>|2"}));
    // Neither the initiation entry nor the first step moves above it.
    EXPECT_EQ(list.Move(0, +1), 0);
    EXPECT_EQ(list.Move(1, -1), 1);
    EXPECT_EQ(list.Move(2, -1), 1);
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"<Initiation>|hello|0", "<KU>|<CR>|1", "login:|guest<CR>|2"}));

    int selected = 0;
    const ScriptItem removed = list.Remove(0, selected);
    EXPECT_EQ(removed.kind, StepKind::Initiation);
    EXPECT_FALSE(list.HasInitiation());
    EXPECT_EQ(selected, 1);  // the last item after removing the initiation entry
}

TEST(WizardScriptList, RemovingRenumbersAndAddingContinues)
{
    ScriptList list;
    list.AddInitiation(W("i"));
    for (const char* text : {"a", "b", "c", "d", "e"})
        list.AddStep(StepKind::Text, W(text), W(std::string(text) + "!"));
    int selected = -1;
    const ScriptItem removed = list.Remove(3, selected);  // "c", the third step
    EXPECT_EQ(Narrow(removed.actOn), "c");
    EXPECT_EQ(Narrow(removed.send), "c!");
    EXPECT_EQ(selected, 3);
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"<Initiation>|i|0", "a|a!|1", "b|b!|2", "d|d!|3", "e|e!|4"}));
    list.Remove(4, selected);
    list.Remove(3, selected);
    list.AddStep(StepKind::Text, W("n"), W("new"));
    EXPECT_EQ(list.Items().back().sequence, 3);
    const LoginScript script = list.Script();
    EXPECT_EQ(Narrow(script.initiate), "i");
    ASSERT_EQ(script.steps.size(), 3u);
    EXPECT_EQ(Narrow(script.steps[2].wait), "n");
}

TEST(WizardScriptList, LoadsAndHandsBackTheStoredScript)
{
    LoginScript stored;
    stored.steps = {{W("login:"), W("guest<CR>"), 0}, {W("<KL>"), W(""), kLoginStepCondition}};
    ScriptList list;
    list.Load(stored);
    EXPECT_EQ(list.StepCount(), 2);
    LoginScript back = list.Script();
    EXPECT_EQ(back.steps.size(), 2u);
    EXPECT_EQ(back.steps[1].kind, kLoginStepCondition);
    // Only an initiation entry: an initiation string and no steps.
    list.Clear();
    list.AddInitiation(W(std::string(300, 'x')));
    back = list.Script();
    EXPECT_EQ(back.initiate.size(), kResponseChars);
    EXPECT_TRUE(back.steps.empty());
}

TEST(WizardScriptList, TokensAndKeyNames)
{
    EXPECT_EQ(Narrow(ResponseToken(0, W(""))), "<UN>");
    EXPECT_EQ(Narrow(ResponseToken(5, W(""))), "<LF>");
    EXPECT_EQ(Narrow(ResponseToken(6, W("DG_F1"))), "<DG_F1>");
    const std::vector<WText> dg = KeyNamesFor(20);
    EXPECT_EQ(Narrow(dg.front()), "VK_SHIFT");
    EXPECT_NE(std::find(dg.begin(), dg.end(), W("DG_F1")), dg.end());
    EXPECT_EQ(std::find(dg.begin(), dg.end(), W("VT_F6")), dg.end());
    const std::vector<WText> wyse = KeyNamesFor(8);
    EXPECT_TRUE(
        std::any_of(wyse.begin(), wyse.end(), [](const WText& n) { return Narrow(n).rfind("WY_", 0) == 0; }));
    EXPECT_EQ(KeyNamesFor(19).size(), KeyNamesFor(22).size());  // TVI955/950: the PC keys only
}

}  // namespace
