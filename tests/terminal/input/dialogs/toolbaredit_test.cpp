// The "Button Tools" edits of a working copy: the tool list with its gap entries,
// buttons inserted and deleted while every record keeps its place in the floating bar,
// gaps grown and shrunk, texts kept only when typed, and pictures from files added,
// found and removed with the buttons following them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "terminal/core/base/corestate.h"
#include "terminal/input/dialogs/toolbaredit.h"

namespace {

using Text = std::basic_string<wchar16>;

HBITMAP FakeBitmap(int n)
{
    return reinterpret_cast<HBITMAP>(static_cast<std::uintptr_t>(0x1000 + n));
}

// `count` buttons: button i shows image i, runs action 10 + i, sits at x = 30 i.
std::unique_ptr<ToolbarTables> Buttons(int count, u32 spacing = kToolbarGap)
{
    auto t = std::make_unique<ToolbarTables>();
    for (int i = 0; i < count; ++i)
        SetToolbarButton(*t, i, spacing, ToolbarRect{30 * i, 2, 30 * i + 26, 24}, static_cast<u32>(i),
                         static_cast<u32>(10 + i), VXT(""));
    return t;
}

std::vector<i32> Entries(const ToolbarTables& t)
{
    std::vector<i32> e(kToolListCapacity);
    e.resize(static_cast<std::size_t>(ToolListEntries(t, e.data(), kToolListCapacity)));
    return e;
}

std::vector<u32> Actions(const ToolbarTables& t)
{
    std::vector<u32> a;
    for (int i = 0; i < t.buttonCount; ++i)
        a.push_back(t.buttons[i].action);
    return a;
}

std::vector<i32> Lefts(const ToolbarTables& t)
{
    std::vector<i32> l;
    for (int i = 0; i < t.buttonCount; ++i)
        l.push_back(t.buttons[i].rect.left);
    return l;
}

constexpr i32 G = kToolGapEntry;

TEST(ToolList, GapEntriesComeFromFullGroupGapsBeforeEachButton)
{
    auto t = Buttons(5);
    const u32 spacings[] = {2, 6, 14, 5, 0xFFFFFFFFu};
    for (int i = 0; i < 5; ++i)
        t->buttons[i].spacing = spacings[i];
    std::vector<i32> expected = {0, G, 1, G, G, 2, 3};
    // A damaged spacing gives a bounded run of gaps, not millions of entries.
    expected.insert(expected.end(), kToolGapEntriesPerButton, G);
    expected.push_back(4);
    const std::vector<i32> e = Entries(*t);
    EXPECT_EQ(e, expected);

    // Position 1 is a gap: the button it stands before is 1; past the end, the count.
    EXPECT_EQ(ButtonAtOrAfter(*t, e.data(), static_cast<int>(e.size()), 1), 1);
    EXPECT_EQ(ButtonAtOrAfter(*t, e.data(), static_cast<int>(e.size()), 3), 2);
    EXPECT_EQ(ButtonAtOrAfter(*t, e.data(), static_cast<int>(e.size()), static_cast<int>(e.size())), 5);
    EXPECT_EQ(ToolListPosition(e.data(), static_cast<int>(e.size()), 2), 5);
}

TEST(ToolList, GapsGrowAndShrinkByGroupGapsNeverBelowTheGap)
{
    struct Case {
        u32 before;
        bool insert;
        u32 after;
    };
    // clang-format off
    const Case cases[] = {
        {2, true, 6}, {0, true, 6}, {6, true, 12}, {14, true, 20},
        {6, false, 2}, {14, false, 8}, {8, false, 2}, {4, false, 2}, {2, false, 2},
    };
    // clang-format on
    for (const Case& c : cases) {
        auto t = Buttons(2);
        t->buttons[1].spacing = c.before;
        t->buttons[1].isDefault = 1;
        if (c.insert)
            InsertToolGap(*t, 1);
        else
            DeleteToolGap(*t, 1);
        EXPECT_EQ(t->buttons[1].spacing, c.after) << c.before << (c.insert ? " insert" : " delete");
        EXPECT_EQ(t->buttons[1].isDefault, 0u);
        EXPECT_EQ(t->buttons[0].spacing, static_cast<u32>(kToolbarGap));
    }
}

TEST(ToolButtons, InsertMovesButtonsUpWhileRecordsKeepTheirRectangles)
{
    auto t = Buttons(3);
    t->buttons[2].spacing = 6;
    ASSERT_TRUE(InsertToolButton(*t, 1, ToolbarRect{}, 26));
    ChangeToolButton(*t, 1, 7, 40, VXT(""), VXT(""));
    EXPECT_EQ(t->buttonCount, 4);
    EXPECT_EQ(Actions(*t), (std::vector<u32>{10, 40, 11, 12}));
    // The new last record is the old last one moved right by the small width and its
    // spacing; every other record stays where it was in the floating bar.
    EXPECT_EQ(Lefts(*t), (std::vector<i32>{0, 30, 60, 60 + 26 + 6}));
    EXPECT_EQ(t->buttons[1].image, 7u);
    EXPECT_EQ(t->buttons[3].spacing, 6u);

    DeleteToolButton(*t, 0);
    EXPECT_EQ(t->buttonCount, 3);
    EXPECT_EQ(Actions(*t), (std::vector<u32>{40, 11, 12}));
    EXPECT_EQ(Lefts(*t), (std::vector<i32>{0, 30, 60}));
    EXPECT_EQ(t->buttons[3].action, 0u);  // the freed record is empty

    // At the end, and into an empty bar: the first button gets the given place.
    ASSERT_TRUE(InsertToolButton(*t, 3, ToolbarRect{}, 26));
    EXPECT_EQ(t->buttonCount, 4);
    auto empty = Buttons(0);
    ASSERT_TRUE(InsertToolButton(*empty, 0, ToolbarRect{2, 2, 28, 24}, 26));
    EXPECT_EQ(empty->buttonCount, 1);
    EXPECT_EQ(empty->buttons[0].rect.right, 28);
    EXPECT_EQ(empty->buttons[0].spacing, static_cast<u32>(kToolbarGap));
}

TEST(ToolButtons, AFullBarTakesNoMoreAndBadIndexesChangeNothing)
{
    auto t = Buttons(kToolbarButtonSlots);
    EXPECT_FALSE(InsertToolButton(*t, 0, ToolbarRect{}, 26));
    EXPECT_EQ(t->buttonCount, kToolbarButtonSlots);
    EXPECT_EQ(t->buttons[kToolbarButtonSlots].action, 0u);  // the spare record untouched
    auto few = Buttons(2);
    EXPECT_FALSE(InsertToolButton(*few, 3, ToolbarRect{}, 26));
    DeleteToolButton(*few, 2);
    ChangeToolButton(*few, -1, 1, 1, VXT("x"), VXT(""));
    InsertToolGap(*few, 2);
    EXPECT_EQ(few->buttonCount, 2);
    EXPECT_EQ(Actions(*few), (std::vector<u32>{10, 11}));
}

TEST(ToolButtons, ChangeKeepsOnlyATextTypedOverTheShownOne)
{
    struct Case {
        const wchar16* typed;
        const wchar16* shown;
        const wchar16* text;
    };
    // clang-format off
    const Case cases[] = {
        {VXT("ls^M"),         VXT("Copy  Ctrl+C"), VXT("ls^M")},
        {VXT("copy  ctrl+c"), VXT("Copy  Ctrl+C"), VXT("")},   // the command's own name
        {VXT(""),             VXT("Copy  Ctrl+C"), VXT("")},
        {VXT("\u00e9t\u00e9"), VXT("\u00c9T\u00c9"), VXT("")},
    };
    // clang-format on
    for (const Case& c : cases) {
        auto t = Buttons(2);
        CopyText(t->buttons[0].text, kToolbarTextUnits, VXT("old"));
        ChangeToolButton(*t, 0, 3, 4, c.typed, c.shown);
        EXPECT_EQ(Text(t->buttons[0].text), Text(c.text)) << Text(c.typed).size();
        EXPECT_EQ(t->buttons[0].action, 4u);
        EXPECT_EQ(t->buttons[0].image, 3u);
    }
    // The gap entry as the command leaves the action alone.
    auto t = Buttons(1);
    ChangeToolButton(*t, 0, 0, -1, VXT(""), VXT(""));
    EXPECT_EQ(t->buttons[0].action, 10u);
}

TEST(ToolButtons, ALongTextIsCutToWhatAButtonHolds)
{
    auto t = Buttons(2);
    const Text typed(254, u'x');
    ChangeToolButton(*t, 0, 0, 10, typed.c_str(), VXT(""));
    EXPECT_EQ(Text(t->buttons[0].text), Text(kToolbarTextUnits - 1, u'x'));
    EXPECT_EQ(t->buttons[1].spacing, static_cast<u32>(kToolbarGap));
    EXPECT_EQ(t->buttons[1].action, 11u);
}

TEST(FileImages, AddedFoundAndRemovedWithTheButtonsFollowing)
{
    auto t = Buttons(3);
    for (int i = 0; i < 4; ++i)
        SetToolbarImage(*t, i, FakeBitmap(i), i == 2 ? VXT("C:\\pics\\old.bmp") : VXT("Connect"), i == 2 ? 0 : 1);
    t->fileImageCount = 1;
    // A name without a dot is kept as a ".bmp" file; the first free slot takes it.
    EXPECT_EQ(AddFileImage(*t, FakeBitmap(9), VXT("C:\\pics\\new")), 4);
    EXPECT_EQ(Text(t->images[4].name), Text(VXT("C:\\pics\\new.bmp")));
    EXPECT_EQ(t->imageCount, 5);
    EXPECT_EQ(t->fileImageCount, 2);
    EXPECT_EQ(FindImageFile(*t, VXT("c:\\PICS\\NEW.BMP")), 4);
    EXPECT_EQ(FindImageFile(*t, VXT("C:\\pics\\new")), 4);
    EXPECT_EQ(FindImageFile(*t, VXT("C:\\pics\\other.bmp")), -1);

    EXPECT_TRUE(IsFileImage(*t, 2));
    EXPECT_FALSE(IsFileImage(*t, 1));  // a built-in picture
    EXPECT_FALSE(IsFileImage(*t, 7));  // no picture there
    EXPECT_EQ(RemoveFileImage(*t, 1), nullptr);
    EXPECT_TRUE(ImageInUse(*t, 2));  // button 2 shows it
    EXPECT_EQ(RemoveFileImage(*t, 2), nullptr);

    t->buttons[2].image = 4;
    EXPECT_EQ(RemoveFileImage(*t, 2), FakeBitmap(2));
    EXPECT_EQ(t->imageCount, 4);
    EXPECT_EQ(t->fileImageCount, 1);
    EXPECT_EQ(Text(t->images[3].name), Text(VXT("C:\\pics\\new.bmp")));
    EXPECT_EQ(t->images[4].bitmap, nullptr);
    EXPECT_EQ(t->buttons[2].image, 3u);  // still the same picture
    EXPECT_EQ(t->buttons[1].image, 1u);
}

TEST(FileImages, NoSlotLeftTakesNoPicture)
{
    auto t = Buttons(0);
    for (int i = 0; i < kToolbarImageSlots; ++i)
        SetToolbarImage(*t, i, FakeBitmap(i), VXT("a.bmp"), 0);
    EXPECT_EQ(AddFileImage(*t, FakeBitmap(999), VXT("b.bmp")), -1);
    EXPECT_EQ(t->images[kToolbarImageSlots].bitmap, nullptr);
}

}  // namespace
