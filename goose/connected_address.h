#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The GOOSE message and member that a connected internal address
// "name:MAC:APPID:confRev:index[:GOOSE ID]" names.
struct ConnectedAddress {
    uint64_t mac = 0;
    int appId = -1;
    int confRev = 0;
    int index = -1;
    std::string gooseId;  // "" when the address stops after the index
};

// "NI..." and "ANI..." are the internal addresses of inputs.
bool IsInputClassAddress(std::string_view intAddr);

// Nothing when the address is not of an input class, has fewer than five fields (the
// first empty field ends it), more than six, or a field that is not a number where one
// is needed. An address of four fields names no member and is not usable either.
std::optional<ConnectedAddress> ParseConnectedAddress(std::string_view intAddr);
