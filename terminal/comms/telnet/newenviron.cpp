#include "terminal/comms/telnet/newenviron.h"

#include <set>
#include <utility>

#include "terminal/comms/telnet/devicename.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/comms/telnet/recordsession.h"

namespace {
// One reply under construction: each variable goes in once, and an entry that would not
// fit with the closing IAC SE is left out, so a SEND that names every variable many
// times over still gives one well-formed reply.
struct Reply {
    std::vector<u8> bytes{tn::IAC, tn::SB, tn::NEW_ENVIRON, 0 /* IS */};
    std::set<std::pair<u8, std::u16string>> sent;
    bool printer = false;

    const wchar16* Subkey(u8 type) const
    {
        if (printer)
            return type == kEnvVar ? VXT("5250PRT,VAR") : VXT("5250PRT,USERVAR");
        return type == kEnvVar ? VXT("5250,VAR") : VXT("5250,USERVAR");
    }

    static void Put(std::vector<u8>& out, u8 b)
    {
        if (b == tn::IAC)
            out.push_back(tn::IAC);
        else if (b < 4)
            out.push_back(kEnvEsc);
        out.push_back(b);
    }

    void AddEntry(u8 type, const std::u16string& name, bool hasValue, const std::u16string& value)
    {
        std::vector<u8> entry{type};
        for (char16_t c : name)
            Put(entry, static_cast<u8>(c));
        if (hasValue) {
            entry.push_back(kEnvValue);
            for (char16_t c : value) {
                u8 b = static_cast<u8>(c);
                if (b >= 'a' && b <= 'z')
                    b = static_cast<u8>(b - 32);
                Put(entry, b);
            }
        }
        if (bytes.size() + entry.size() + 2 > kEnvironReplyMax)
            return;
        bytes.insert(bytes.end(), entry.begin(), entry.end());
    }

    void AddVariable(u8 type, const std::u16string& name)
    {
        if (!sent.insert({type, name}).second)
            return;
        if (type == kEnvUserVar && name == u"IBMRSEED") {
            AddEntry(type, name, true, {});
            return;
        }
        std::u16string value;
        const wchar16* subkey = Subkey(type);
        const bool found = TelnetEnvironValue(false, subkey, name, value) ||
                           TelnetEnvironValue(true, subkey, name, value);
        if (found && type == kEnvUserVar && name == u"DEVNAME") {
            char expanded[11];
            ExpandDeviceNameRotating(expanded, reinterpret_cast<const wchar16*>(value.c_str()), 10);
            value.clear();
            for (const char* p = expanded; *p; ++p)
                value.push_back(static_cast<u8>(*p));
        }
        AddEntry(type, name, found, value);
    }

    void AddAll(u8 type)
    {
        const wchar16* subkey = Subkey(type);
        const std::vector<std::u16string> machine = TelnetEnvironNames(true, subkey);
        for (const std::u16string& name : machine)
            AddVariable(type, name);
        for (const std::u16string& name : TelnetEnvironNames(false, subkey)) {
            bool inMachine = false;
            for (const std::u16string& m : machine)
                inMachine = inMachine || m == name;
            if (!inMachine)
                AddVariable(type, name);
        }
    }
};
}  // namespace

void NewEnvironReply(SocketHandle socket, const u8* request, std::size_t length)
{
    Reply reply;
    reply.printer = Tn5250ActiveSession && Tn5250ActiveSession->printerSession;
    if (length == 0) {
        reply.AddAll(kEnvVar);
        reply.AddAll(kEnvUserVar);
    } else {
        std::size_t i = 0;
        bool end = false;
        while (i < length && !end) {
            const u8 type = request[i];
            if (type != kEnvVar && type != kEnvUserVar)
                break;
            ++i;
            std::u16string name;
            while (i < length) {
                const u8 b = request[i];
                if (b == kEnvVar || b == kEnvUserVar)
                    break;
                if (b == kEnvValue) {
                    end = true;
                    break;
                }
                if (b == kEnvEsc) {
                    if (++i >= length)
                        break;
                }
                name.push_back(request[i++]);
            }
            if (name.empty())
                reply.AddAll(type);
            else
                reply.AddVariable(type, name);
        }
    }
    reply.bytes.push_back(tn::IAC);
    reply.bytes.push_back(tn::SE);
    TelnetWrite(socket, reply.bytes.data(), static_cast<int>(reply.bytes.size()));
}
