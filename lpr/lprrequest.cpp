#include "lpr/lprrequest.h"

#include <cstring>

#include "lpr/lprprotocol.h"

namespace {

// Copies at most `max` units and always ends the copy with NUL.
void CopyCut(wchar16* to, const wchar16* from, size_t max)
{
    size_t i = 0;
    if (from)
        for (; i < max && from[i]; ++i)
            to[i] = from[i];
    to[i] = 0;
}

}  // namespace

void LprClearRecord(LprRequest& r)
{
    std::memset(&r, 0, sizeof r);
    r.socket = LprNoSocket;
    r.jobNumber = -1;
}

bool LprOpenRecord(LprRequest& r, const LprOpenArguments& a, const char* localHost)
{
    LprClearRecord(r);
    const std::string host = LprLowBytes(a.host, LprHostChars);
    std::memcpy(r.host, host.data(), host.size());
    CopyCut(r.queue, a.queue, LprQueueChars);
    CopyCut(r.jobName, a.jobName, LprJobNameChars);
    if (a.user && a.user[0])
        CopyCut(r.user, a.user, LprUserChars);
    else
        CopyCut(r.user, VXT("root"), LprUserChars);
    if (!LprRequestFieldsAllowed(r, localHost)) {
        LprClearRecord(r);
        return false;
    }
    r.state = LprStateOpen;
    r.filesLeft = 2;
    r.jobNumber = a.jobNumber;
    r.copies = static_cast<u16>(a.copies);
    r.banner = static_cast<u16>(a.banner != 0);
    r.retriesAndDelay = a.retries & 0xF;
    r.retryDelayMs = a.delayMs;
    r.debug = static_cast<u8>(a.debug);
    return true;
}

u32 LprGrownSize(u32 allocated, u32 used, u32 length)
{
    const u64 needed = u64{used} + length;
    if (needed <= allocated)
        return allocated;
    const u64 grown = u64{allocated} + length + LprFirstDataBlock;
    return grown > LprMaxDataBlock ? 0 : static_cast<u32>(grown);
}
