#pragma once

// Command identifiers of the menus, toolbar and context menu.
enum CommandId : int {
    kCmdAddTimeServer = 32772,
    kCmdAddSubnetwork = 32774,
    kCmdAddSubstation = 32775,
    kCmdAddVoltageLevel = 32776,
    kCmdAddBay = 32777,
    kCmdDelete = 32778,
    kCmdAddIED = 32779,
    kCmdGoToAccessPoint = 32782,
    kCmdGoToDataset = 32784,
    kCmdGoToDataElement = 32785,
    kCmdGoToControlBlock = 32786,
    kCmdGoToAddress = 32787,
    kCmdGoToDatasetElement = 32788,
    kCmdConnectInputs = 32789,
    kCmdExportIIDCID = 32791,
    kCmdVerifyGooseInputs = 32794,
    kCmdVerifyAddresses = 32795,
    kCmdExportVariables = 32797,
    kCmdUpdateIED = 32798,
    kCmdExportIEDDescription = 32801,
    kCmdCreateDataset = 32802,
    kCmdModifyDataset = 32805,
    kCmdUpdateInputs = 32806,
};
