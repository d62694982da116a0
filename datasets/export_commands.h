#pragma once
class CVarnholtView;
class UserInterface;

// Export IID/CID: the IED chosen in "Select IED for exporting" as a file of its own.
void OnExportIIDCID(CVarnholtView& view, UserInterface& ui);
// Export variables: the MMS names of all IEDs into a text file the person names.
void OnExportVariables(CVarnholtView& view, UserInterface& ui);
// Export IED description: the outline of the IED chosen in "Select IED for exporting".
void OnExportIEDDescription(CVarnholtView& view, UserInterface& ui);
