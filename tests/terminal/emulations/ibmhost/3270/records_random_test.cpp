// A megabyte of random and mutated host records: nothing breaks, and every record that
// asks for an answer gets exactly the one its response flag and error call for.
#include "session3270_fixture.h"

#include <random>

namespace {
// Records a host sends, to be mutated.
const char* const kSeeds[] = {
    "00 00 02 00 01 F5 C3 11 40 40 1D 60 D5 C1 D4 C5 7A 1D 40 13 11 40 D4 1D 60",
    "00 00 02 00 01 F3 00 05 01 FF 02",
    "00 00 02 00 01 F3 00 08 01 FF 03 00 87 A6",
    "00 00 01 00 01 F1 C3 29 03 C0 60 41 F2 42 F2 C1 2C 01 41 F1 28 43 F1 08 C5",
    "00 00 02 00 01 7E C3 3C 5D 7F C1 12 40 40 05 13",
    "00 00 02 00 01 F3 00 08 09 00 02 41 42 43 00 0A 40 00 F1 C3 11 C1 7F C1",
    "00 00 02 00 01 F3 00 04 03 80 00 1E 0C 00 00 00 00 18 00 50 00 00 00 00 00 00 00 18 00 50",
    "00 00 02 00 01 6F",
    "00 00 02 00 01 F2",
    "00 00 02 00 01 6E",
    "07 00 02 00 01 C8 C5 D3 D3 D6 15 E6",
    "05 00 02 00 01 68 69 0D 0A",
};
}  // namespace

TEST_F(Session3270Test, RandomAndMutatedRecordsAreAnsweredByTheTable)
{
    std::mt19937 random(3270);
    std::vector<std::vector<u8>> seeds;
    for (const char* s : kSeeds)
        seeds.push_back(t3270::Bytes(s));
    std::size_t fed = 0;
    int records = 0, negatives = 0;
    while (fed < 1024 * 1024) {
        if (!Telnet.local[40] || s.cells.empty())
            Start(random() % 2 ? t3270::kModel3279_2 : t3270::kModel3278_5, {t3270::kResponses});
        std::vector<u8> r;
        if (random() % 4 == 0) {
            r.resize(random() % 300);
            for (u8& b : r)
                b = static_cast<u8>(random());
        } else {
            r = seeds[random() % seeds.size()];
            const int edits = 1 + static_cast<int>(random() % 6);
            for (int e = 0; e < edits && !r.empty(); ++e) {
                const std::size_t at = random() % r.size();
                switch (random() % 4) {
                case 0: r[at] = static_cast<u8>(random()); break;
                case 1: r.erase(r.begin() + static_cast<std::ptrdiff_t>(at)); break;
                case 2: r.insert(r.begin() + static_cast<std::ptrdiff_t>(at), static_cast<u8>(random())); break;
                default: r.resize(at); break;
                }
            }
        }
        // Header: the data type (2 RESPONSE, 6 REQUEST are never answered), a response
        // flag of 0-2 most of the time, a sequence number.
        if (r.size() >= 5 && random() % 8) {
            r[2] = static_cast<u8>(random() % 3);
            r[0] = static_cast<u8>(r[0] % 9);
        }
        fed += r.size();
        ++records;
        Sent();
        const u32 error = I3270HandleRecord(&s, r.data(), static_cast<int>(r.size()));
        const std::vector<u8> sent = t3270::Bytes(Sent());
        if (r.size() < 5)
            continue;                                    // no header: dropped without an answer
        const bool hostAnswer = r[0] == 2 || r[0] == 6;  // RESPONSE and REQUEST: never answered
        const bool wantsAnswer = !hostAnswer && (r[2] == 2 || (r[2] == 1 && error));
        const bool isResponse = sent.size() >= 8 && sent[0] == 0x02;
        ASSERT_EQ(isResponse, wantsAnswer) << t3270::Hex(r) << " -> " << t3270::Hex(sent);
        if (!wantsAnswer)
            continue;
        ASSERT_EQ(sent[1], 0x00);
        ASSERT_EQ(sent[2], error ? 0x01 : 0x00) << t3270::Hex(r);
        std::size_t at = 3;
        for (int k = 0; k < 2; ++k, ++at)  // the host's sequence number, IAC doubled
            if (r[3 + k] == 0xFF) {
                ASSERT_EQ(sent[at], 0xFF);
                ASSERT_EQ(sent[++at], 0xFF);
            } else {
                ASSERT_EQ(sent[at], r[3 + k]);
            }
        ASSERT_EQ(sent[at], error ? I3270ResponseReason(error) : 0x00) << t3270::Hex(r);
        ASSERT_EQ(sent[at + 1], 0xFF);
        ASSERT_EQ(sent[at + 2], 0xEF);
        negatives += error != 0;
    }
    EXPECT_GT(records, 3000);
    EXPECT_GT(negatives, 100);
}
