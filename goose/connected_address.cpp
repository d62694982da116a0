#include "goose/connected_address.h"

#include "goose/number_text.h"

#include <vector>

bool IsInputClassAddress(std::string_view intAddr)
{
    return intAddr.starts_with("NI") || intAddr.starts_with("ANI");
}

std::optional<ConnectedAddress> ParseConnectedAddress(std::string_view intAddr)
{
    if (!IsInputClassAddress(intAddr)) return std::nullopt;
    std::vector<std::string> fields;
    for (size_t start = 0;;) {
        size_t end = intAddr.find(':', start);
        std::string_view field = intAddr.substr(start, end == std::string_view::npos ? end : end - start);
        if (field.empty()) break;
        fields.emplace_back(field);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    if (fields.size() < 5 || fields.size() > 6) return std::nullopt;
    ConnectedAddress address;
    address.mac = ParseMacAddress(fields[1]);
    address.appId = ParseHex(fields[2], -1);
    address.index = ParseDecimal(fields[4], -1);
    if (address.appId == -1 || !ScanDecimal(fields[3], address.confRev) || address.index == -1) return std::nullopt;
    if (fields.size() == 6) address.gooseId = fields[5];
    return address;
}
