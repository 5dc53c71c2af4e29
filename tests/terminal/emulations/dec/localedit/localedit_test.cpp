// Local editing: the editing state, guarded and selected areas, what typing, erasing,
// inserting and tabbing do to them, and the blocks the terminal transmits.
#include <gtest/gtest.h>

#include <string>

#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/keys/keymodes.h"
#include "terminal/emulations/dec/localedit/localedit.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/emulations/dec/vt_fixture.h"

namespace {

class LocalEditing : public VtTest {
protected:
    void SetUp() override
    {
        VtTest::SetUp();
        Vt300Values.inedit = 0;
        Vt300Values.erasemode = 0;  // the protection rules apply
        SyncLocalEditState();
        ResetLocalEdit();
    }
    // A form: a guarded label on row 1, the cursor after it, local editing on.
    void Form() { Feed(C("2J") + C("H") + E("V") + "Name:" + E("W") + C("?10h")); }
    std::string Transmit()
    {
        Answer("");
        TransmitEditBlock();
        return Text(Sent());
    }
};

TEST_F(LocalEditing, TheHostAndTheEditKeySwitchItUnlessItIsFixed)
{
    EXPECT_FALSE(VtLocalEditing());
    Feed(C("?10h"));
    EXPECT_TRUE(VtLocalEditing());
    EXPECT_EQ(Answer(C("?10$p")), C("?10;1$y"));
    SetLocalEditMode(false);
    EXPECT_FALSE(VtLocalEditing());
    // "inedit" 2: neither the key nor the host changes it.
    Vt300Values.inedit = 2;
    SyncLocalEditState();
    Feed(C("?10h"));
    SetLocalEditMode(true);
    EXPECT_FALSE(VtLocalEditing());
}

TEST_F(LocalEditing, TheDeferredEditKeySendsTheModeRequest)
{
    Vt300Values.edit_key_defer = 1;
    Answer("");
    SetLocalEditMode(true);
    EXPECT_EQ(Text(Sent()), C("?10h"));
    EXPECT_FALSE(VtLocalEditing());
    // The host then sets the mode.
    Feed(C("?10h"));
    EXPECT_TRUE(VtLocalEditing());
}

TEST_F(LocalEditing, TypingSkipsTheLabelAndTheBlockLeavesItOut)
{
    Form();
    // End of line CR LF (CSI ? ' s), end of block ETX (CSI 2 |).
    Feed(C("?13;10's") + C("2|"));
    Type("Bob");
    Feed("");
    EXPECT_EQ(Row(0), "Name: Bob");
    EXPECT_EQ(Transmit(), "Bob\r\n\x03");
    // The cursor stays where it was, and the same block goes again.
    EXPECT_EQ(Cursor(), "0,9");
    EXPECT_EQ(Transmit(), "Bob\r\n\x03");
}

TEST_F(LocalEditing, GuardedCellsSurviveErasingWhileTheRulesApply)
{
    Form();
    Type("Bob");
    Feed(C("2J"));
    EXPECT_EQ(Row(0), "Name:");
    Feed(C("1;1H") + C("2K") + C("1;1H") + C("3X"));
    EXPECT_EQ(Row(0), "Name:");
    // Without the rules everything is erased.
    Vt300Values.erasemode = 1;
    Feed(C("2J"));
    EXPECT_EQ(Row(0), "");
}

TEST_F(LocalEditing, InsertDeleteAndClearStayWithinTheField)
{
    // A guarded label, the field in columns 3..6, a guarded bar after it.
    Feed(C("2J") + C("H") + E("V") + "A:" + E("W") + C("1;4H") + "abcd" + E("V") + "|B" + E("W") + C("?10h"));
    ASSERT_EQ(Row(0), "A: abcd|B");
    Feed(C("1;5H") + C("@"));
    EXPECT_EQ(Row(0), "A: a bc|B");
    Feed(C("P") + C("P"));
    EXPECT_EQ(Row(0), "A: ac  |B");
    // A guarded cursor cell refuses with the bell and moves on.
    BellPending = 0;
    Feed(C("1;1H") + C("P"));
    EXPECT_EQ(BellPending, 1);
    EXPECT_EQ(Row(0), "A: ac  |B");
    EXPECT_EQ(Cursor(), "0,3");
    EditClearField();
    EXPECT_EQ(Row(0), "A:     |B");
}

TEST_F(LocalEditing, TabMovesFromFieldToField)
{
    Feed(C("2J") + C("H") + E("V") + "A:" + E("W") + C("1;7H") + E("V") + "B:" + E("W") + C("?10h"));
    Feed(C("1;1H"));
    EditTabForward();
    EXPECT_EQ(Cursor(), "0,3");
    EditTabForward();
    EXPECT_EQ(Cursor(), "0,9");
    EditBackTab(1);
    EXPECT_EQ(Cursor(), "0,3");
}

TEST_F(LocalEditing, AreasTheProfileChooses)
{
    Feed(C("2J") + C("H") + "one" + C("2;1H") + "two" + C("3;1H") + "three" + C("?10h"));
    Vt300Values.edit_scm = 1;  // blanks compressed: a row ends with its last character
    Vt300Values.edit_eol_cnt = 1;
    Vt300Values.edit_eol_ch[0] = '\r';
    Vt300Values.edit_eol_ch[1] = 0;
    // From the top up to the cell before the cursor; column 0 ends with the row above.
    Feed(C("3;1H"));
    EXPECT_EQ(Transmit(), "one\rtwo\r");
    // Line transfer: the cursor's row, then the cursor to its start.
    Vt300Values.edit_ltm = 1;
    Feed(C("2;2H"));
    EXPECT_EQ(Transmit(), "two\r");
    EXPECT_EQ(Cursor(), "1,0");
    // The whole region.
    Vt300Values.edit_ltm = 0;
    Vt300Values.edit_ttm = 1;
    EXPECT_EQ(Transmit(), "one\rtwo\rthree\r" + std::string(21, '\r'));
    // Only selected cells, with blank compression.
    Vt300Values.edit_ttm = 0;
    Vt300Values.edit_satm = 1;
    Vt300Values.edit_matm = 1;
    Feed(C("2;1H") + E("F") + C("2;2H") + E("G") + C("3;1H"));
    EXPECT_EQ(Transmit(), "\rtw\r");
    // Deferred: the transmit key only sends CSI.
    Vt300Values.edit_tx_defer = 1;
    EXPECT_EQ(Transmit(), C(""));
}

TEST_F(LocalEditing, BlocksDesignateTheSetsTheirCharactersNeed)
{
    // The Swedish keyboard in national mode: G0 starts with the national set.
    Vt300Values.mltnat = 0;
    KeyboardTypeIndex = 11;
    Feed(E("(7") + C("H") + "X{" + C("?10h"));
    EXPECT_EQ(Transmit(), E("(B") + "X" + E("(7") + "{");
    // Multinational: a Latin-1 character with no 7-bit form goes in GR, or as SUB when
    // only 7 bits may go.
    Vt300Values.mltnat = 1;
    // clang-format off
    Feed(E("(B") + C("1;2H") + E("-A") + "\x0e" "W" "\x0f" + C("1;3H"));
    // clang-format on
    EXPECT_EQ(Transmit(), std::string("X\xD7"));
    EmulationId = 1;
    EXPECT_EQ(Transmit(), std::string("X\x1A"));
    EmulationId = 2;
    // With the designations sent, the G1 set is named first and given back after.
    Vt300Values.edit_nosets = 0;
    EXPECT_EQ(Transmit(), std::string("X") + E(".A") + "\xD7" + E("*%5"));
}

TEST_F(LocalEditing, EndStringsAndGuardedAttributesFromTheHost)
{
    Feed(C("?13;10;300's"));
    EXPECT_EQ(Vt300Values.edit_eol_cnt, 3);
    EXPECT_EQ(Vt300Values.edit_eol_ch[2], 255);
    Feed(C("'s"));  // without the marker it is not the line end's
    EXPECT_EQ(Vt300Values.edit_eol_cnt, 3);
    Feed(C("1|"));
    EXPECT_EQ(Vt300Values.edit_eob_ch[0], 0x0C);
    Feed(C("0|"));
    EXPECT_EQ(Vt300Values.edit_eob_cnt, 0);
    // Bold and underlined cells are guarded; 24 takes underline back.
    Feed(C("1;4;24}"));
    EXPECT_EQ(LocalEdit.guardMask, kRendBold);
    EXPECT_EQ(Answer("\x1bP$q}\x1b\\"), "\x1bP1$r0;1}\x1b\\");
    Feed(C("2J") + C("H") + C("1m") + "lbl" + C("m") + C("?10h") + C("1;1H"));
    Type("x");
    Feed("");
    EXPECT_EQ(Row(0), "lblx");
}

}  // namespace
