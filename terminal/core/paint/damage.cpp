#include "terminal/core/paint/damage.h"

#include <mutex>

namespace {

std::mutex g_lock;
FrameDamage g_damage;

constexpr DamagedSpan kWholeRow{0, kDamageColumns - 1};

void Widen(DamagedSpan& s, int c0, int c1)
{
    if (s.Empty()) {
        s.first = static_cast<i16>(c0);
        s.last = static_cast<i16>(c1);
        return;
    }
    if (c0 < s.first)
        s.first = static_cast<i16>(c0);
    if (c1 > s.last)
        s.last = static_cast<i16>(c1);
}

template <typename Change>
void Record(Change change)
{
    {
        std::lock_guard<std::mutex> guard(g_lock);
        change(g_damage);
    }
    RequestFrame();
}

}  // namespace

bool FrameDamage::Clean() const
{
    if (all || touched || cursor || moveCount)
        return false;
    for (const DamagedSpan& s : rows)
        if (!s.Empty())
            return false;
    return true;
}

void MarkCells(FrameDamage& d, int row, int c0, int c1)
{
    if (d.all || row < 0)
        return;
    // Everything past the last slot is the status area, repainted as one.
    if (row >= kDamageRows)
        row = kDamageRows - 1;
    if (c0 > c1) {
        const int t = c0;
        c0 = c1;
        c1 = t;
    }
    if (c0 < 0)
        c0 = 0;
    if (c1 >= kDamageColumns)
        c1 = kDamageColumns - 1;
    if (c0 > c1)
        return;
    Widen(d.rows[row], c0, c1);
}

void MarkScroll(FrameDamage& d, int r0, int r1, bool up)
{
    if (d.all || r0 > r1)
        return;
    if (r0 < 0 || r1 >= kDamageRows) {
        // A region the marks cannot follow: its rows are repainted instead.
        for (int r = r0 < 0 ? 0 : r0; r <= r1 && r < kDamageRows; ++r)
            d.rows[r] = kWholeRow;
        return;
    }
    const int height = r1 - r0 + 1;
    PictureMove* last = d.moveCount ? &d.moves[d.moveCount - 1] : nullptr;
    if (last && last->r0 == r0 && last->r1 == r1 && (last->lines > 0) == up) {
        // The same region the same way again: one move of more lines. A move of the
        // whole height leaves nothing of the old picture in place.
        const int lines = last->lines > 0 ? last->lines : -last->lines;
        if (lines < height)
            last->lines = static_cast<i16>(last->lines + (up ? 1 : -1));
    } else if (d.moveCount < kMaxPictureMoves) {
        d.moves[d.moveCount++] = PictureMove{static_cast<i16>(r0), static_cast<i16>(r1),
                                             static_cast<i16>(up ? 1 : -1)};
    } else {
        d.all = true;
        d.moveCount = 0;
        return;
    }
    // Each row now holds what its neighbour held, marks included; the row the scroll
    // uncovered is new.
    if (up) {
        for (int r = r0; r < r1; ++r)
            d.rows[r] = d.rows[r + 1];
        d.rows[r1] = kWholeRow;
    } else {
        for (int r = r1; r > r0; --r)
            d.rows[r] = d.rows[r - 1];
        d.rows[r0] = kWholeRow;
    }
}

void DamageCells(int row, int c0, int c1)
{
    Record([&](FrameDamage& d) { MarkCells(d, row, c0, c1); });
}

void DamageRegion(int r0, int c0, int r1, int c1)
{
    Record([&](FrameDamage& d) {
        // Rows past the marks are the status area, marked once.
        for (int r = r0 < 0 ? 0 : r0; r <= r1 && r < kDamageRows; ++r)
            MarkCells(d, r, c0, c1);
    });
}

void DamageAll()
{
    Record([](FrameDamage& d) {
        d.all = true;
        d.moveCount = 0;
    });
}

void DamageScroll(int r0, int r1, bool up)
{
    Record([&](FrameDamage& d) { MarkScroll(d, r0, r1, up); });
}

void DamagePictureTouched()
{
    Record([](FrameDamage& d) { d.touched = true; });
}

void DamageCursor()
{
    Record([](FrameDamage& d) { d.cursor = true; });
}

FrameDamage TakeDamage()
{
    std::lock_guard<std::mutex> guard(g_lock);
    FrameDamage taken = g_damage;
    g_damage = FrameDamage{};
    return taken;
}
