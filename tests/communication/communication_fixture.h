// Small projects for the communication tests: IEDs that send GOOSE and sampled values,
// and the addresses of their messages.
#pragma once
#include <string>

// An IED whose LD0 sends GOOSE GC1 and sampled values SV1.
inline std::string Ied(const std::string& name)
{
    return "<IED name=\"" + name + "\"><AccessPoint name=\"AP1\"><Server><LDevice inst=\"LD0\"><LN0 lnClass=\"LLN0\" "
           "inst=\"\" lnType=\"T\"><GSEControl name=\"GC1\"/><SampledValueControl name=\"SV1\"/></LN0></LDevice>"
           "</Server></AccessPoint></IED>";
}

inline std::string Address(const std::string& mac, const std::string& appId, const std::string& vlanId = "000",
                           const std::string& priority = "4")
{
    return "<Address><P type=\"MAC-Address\">" + mac + "</P><P type=\"APPID\">" + appId + "</P><P type=\"VLAN-ID\">" +
           vlanId + "</P><P type=\"VLAN-PRIORITY\">" + priority + "</P></Address>";
}

inline std::string Gse(const std::string& cb, const std::string& address, const std::string& times = "")
{
    return "<GSE ldInst=\"LD0\" cbName=\"" + cb + "\">" + address + times + "</GSE>";
}

inline std::string Smv(const std::string& cb, const std::string& address)
{
    return "<SMV ldInst=\"LD0\" cbName=\"" + cb + "\">" + address + "</SMV>";
}

inline std::string ConnectedAP(const std::string& ied, const std::string& messages)
{
    return "<ConnectedAP iedName=\"" + ied + "\" apName=\"AP1\">" + messages + "</ConnectedAP>";
}

inline std::string SubNetwork(const std::string& name, const std::string& connectedAPs)
{
    return "<SubNetwork name=\"" + name + "\">" + connectedAPs + "</SubNetwork>";
}

// K1 and K2 with every message addressed as it should be, on W1.
inline const std::string kGoodK1 = Gse("GC1", Address("01-0C-CD-01-00-01", "0001")) +
                            Smv("SV1", Address("01-0C-CD-04-00-01", "4001"));
inline const std::string kGoodK2 = Gse("GC1", Address("01-0C-CD-01-00-02", "0002")) +
                            Smv("SV1", Address("01-0C-CD-04-00-02", "4002"));
