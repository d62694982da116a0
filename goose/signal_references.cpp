#include "goose/signal_references.h"

namespace {

std::string DataPath(const std::string& prefix, const std::string& lnClass, const std::string& lnInst,
                     const std::string& doName, const std::string& daName)
{
    std::string path = prefix + lnClass + lnInst + "." + doName;
    if (!daName.empty()) path += "." + daName;
    return path;
}

}  // namespace

std::string OutputReference(const CGooseOutput& output, bool withIedName)
{
    std::string reference;
    if (withIedName && output.owner && output.owner->owner && output.owner->owner->owner)
        reference = output.owner->owner->owner->name;
    return reference + output.ldInst + "/" +
           DataPath(output.prefix, output.lnClass, output.lnInst, output.doName, output.daName);
}

std::string InputReference(const CGooseInput& input)
{
    return input.iedName + InputDataReference(input);
}

std::string InputDataReference(const CGooseInput& input)
{
    return input.ldInst + "/" + DataPath(input.prefix, input.lnClass, input.lnInst, input.doName, input.daName);
}

std::string InternalSignalName(const std::string& intAddr)
{
    return intAddr.substr(0, intAddr.find(':'));
}

void MakeConnectedIntAddr(CGooseInput& input, const CGooseOutput* output)
{
    std::string name = InternalSignalName(input.intAddr);
    const CGooseControl* control =
        output && output->owner && !output->owner->controls.empty() ? output->owner->controls.front().get() : nullptr;
    if (!control) {
        input.intAddr = name;
        return;
    }
    input.intAddr = name + ":" + control->macAddress + ":" + control->appId + ":" + control->confRev + ":" +
                    std::to_string(output->index) + ":" + control->gooseId;
}
