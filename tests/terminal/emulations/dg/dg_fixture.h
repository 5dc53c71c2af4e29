// The DG family running on the whole host path: bytes fed on the fake socket reach the
// DG per-byte entry through the generic reader and its received-byte filter, replies go
// out on the fake socket, and the screen is read back as the dump and copying read it.
#pragma once

#include <string>

#include "../../core/hostpath_fixture.h"
#include "support/doubles_dg.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/emulations/dg/dgcharsets.h"
#include "terminal/emulations/dg/dgcolours.h"
#include "terminal/emulations/dg/dgdamage.h"
#include "terminal/emulations/dg/dgstate.h"
#include "terminal/emulations/dg/family.h"

class DgTest : public HostPathTest {
protected:
    void SetUp() override
    {
        HostPathTest::SetUp();
        EmulationId = kEmuDg410;
        RequestedEmulationId = kEmuDg410;
        SetActiveFamily(&DgFamily);
        DgColours = DgFactoryColours();
        ASSERT_TRUE(DgEnter());
        doubles::ResetDg();
    }
    void TearDown() override
    {
        LeaveDgState();
        HostPathTest::TearDown();
    }

    // The text a screen row shows, trailing blanks removed.
    static std::string Text(int row)
    {
        std::string s;
        for (const ScreenCell& cell : Dg.rows[row]->cells) {
            const u16 c = DgCellText(cell);
            if (c < 0x80) {
                s.push_back(static_cast<char>(c));
            } else if (c < 0x800) {
                s.push_back(static_cast<char>(0xC0 | c >> 6));
                s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
            } else {
                s.push_back(static_cast<char>(0xE0 | c >> 12));
                s.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
                s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
            }
        }
        while (!s.empty() && s.back() == ' ')
            s.pop_back();
        return s;
    }
    // What went to the host since the last call, as a string of bytes.
    std::string Replies()
    {
        const std::vector<u8> sent = Sent();
        std::string s(sent.begin() + static_cast<long>(consumed_), sent.end());
        consumed_ = sent.size();
        return s;
    }
    static const ScreenCell& Cell(int row, int column) { return Dg.rows[row]->cells[column]; }

private:
    std::size_t consumed_ = 0;
};
