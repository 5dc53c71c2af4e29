#include "lpr/lprprotocol.h"

#include <cstdio>

std::string LprLowBytes(const wchar16* text, size_t max)
{
    std::string out;
    if (!text)
        return out;
    for (size_t i = 0; i < max && text[i]; ++i)
        out.push_back(static_cast<char>(static_cast<u8>(text[i] & 0xFF)));
    return out;
}

std::string LprDataFileName(i32 jobNumber, const char* localHost)
{
    char number[16];
    std::snprintf(number, sizeof number, "%03d", static_cast<int>(jobNumber));
    return std::string("dfA") + number + (localHost ? localHost : "");
}

std::string LprControlFileName(const std::string& dataFileName)
{
    std::string name = dataFileName;
    size_t d = name.find('d');
    if (d != std::string::npos)
        name[d] = 'c';
    return name;
}

namespace {

void AddLine(std::string& file, char command, const std::string& operand)
{
    file.push_back(command);
    file += operand;
    file.push_back('\n');
}

}  // namespace

std::string LprControlFile(const LprRequest& r, const char* localHost)
{
    // Daemons refuse H and P operands longer than the protocol allows, so they are cut to
    // it; the user also names the banner page.
    const std::string host = std::string(localHost ? localHost : "").substr(0, LprHostLineMax);
    const std::string user = LprLowBytes(r.user, LprUserChars).substr(0, LprUserLineMax);
    const std::string dataFile = r.dataFileName;
    std::string file;
    AddLine(file, 'H', host);
    AddLine(file, 'P', user);
    if (r.banner) {
        AddLine(file, 'J', LprLowBytes(r.jobName, LprJobNameChars));
        AddLine(file, 'C', LprLowBytes(r.className, LprClassChars));
        AddLine(file, 'L', user);
    }
    AddLine(file, 'l', dataFile);
    AddLine(file, 'N', LprSourceName);
    AddLine(file, 'U', dataFile);
    return file;
}

std::string LprReceiveJobCommand(const LprRequest& r)
{
    std::string command(1, static_cast<char>(LprReceiveJob));
    command += LprLowBytes(r.queue, LprQueueChars);
    command.push_back('\n');
    return command;
}

std::string LprSubcommand(u8 code, u32 length, const std::string& name)
{
    char count[16];
    std::snprintf(count, sizeof count, "%lu ", static_cast<unsigned long>(length));
    return std::string(1, static_cast<char>(code)) + count + name + "\n";
}

bool LprTextAllowed(const std::string& bytes)
{
    for (char c : bytes) {
        const u8 b = static_cast<u8>(c);
        if (b < 0x20 || b == 0x7F)
            return false;
    }
    return true;
}

bool LprNameAllowed(const std::string& bytes)
{
    return !bytes.empty() && LprTextAllowed(bytes) && bytes.find(' ') == std::string::npos;
}

bool LprRequestFieldsAllowed(const LprRequest& r, const char* localHost)
{
    const std::string host = localHost ? localHost : "";
    // The local host name may be empty (no name known); the file names then end with the
    // job number, which daemons accept.
    return LprNameAllowed(LprLowBytes(r.queue, LprQueueChars)) &&
           LprTextAllowed(LprLowBytes(r.user, LprUserChars)) &&
           LprTextAllowed(LprLowBytes(r.jobName, LprJobNameChars)) &&
           LprTextAllowed(LprLowBytes(r.className, LprClassChars)) && (host.empty() || LprNameAllowed(host));
}
