#include "model/elementtype.h"

#include <iterator>

namespace {

struct TypeEntry
{
    int type;
    const char *name;
    const char *keyword;
};

// Types 0 and 1 have no keyword of their own; 20 has a keyword but no element kind.
const TypeEntry typeTable[] = {
    {stList, "stList", "COMBOBOX"},
    {stInteger, "stInteger", "INTEGER"},
    {stCheckbox, "stCheckbox", "CHECKBOX"},
    {stText, "stText", "STATICTEXT"},
    {stIPAddress, "stIPAddress", "IPADDRESS"},
    {stFloat, "stFloat", "FLOAT"},
    {stButton, "stButton", "BUTTON"},
    {stGroup, "stGroup", "GROUP"},
    {stForm, "stForm", "POPUP"},
    {stSlider, "stSlider", "SLIDER"},
    {stRadio, "stRadio", "RADIOBUTTON"},
    {stAbout, "stAbout", "ABOUT"},
    {stPhoneBook, "stPhoneBook", "PHONEBOOK"},
    {stEdit, "stEdit", "EDITBOX"},
    {stEmailBook, "stEmailBook", "EMAILBOOK"},
    {stSubnetMask, "stSubnetMask", "SUBNETMASK"},
    {stPaperSize, "stPaperSize", "PAPERSIZE"},
    {stDialEdit, "stDialEdit", "DIALEDITBOX"},
    {stInkJetMaintenance, "stInkJetMaintenance", "MAINTENANCE"},
    {stInkTestPagePrint, "stInkTestPagePrint", "BUTTON_TESTPAGE_HP_INK"},
    {stInkCartridgeClean, "stInkCartridgeClean", "CARTRIDGE_CLEAN_HP_INK"},
    {stInkCartridgeAlignSFP, "stInkCartridgeAlignSFP", "CARTRIDGE_ALIGN_HP_INK_SFP"},
    {stInkCartridgeAlignMFP, "stInkCartridgeAlignMFP", "CARTRIDGE_ALIGN_HP_INK_MFP"},
    {stInkTestPagePrint_XML, "stInkTestPagePrint_XML", "BUTTON_TESTPAGE_HP_INK_XML"},
    {stInkCartridgeClean_XML, "stInkCartridgeClean_XML", "CARTRIDGE_CLEAN_HP_INK_XML"},
    {stInkCartridgeAlignSFP_XML, "stInkCartridgeAlignSFP_XML", "CARTRIDGE_ALIGN_HP_INK_SFP_XML"},
    {stInkCartridgeAlignMFP_XML, "stInkCartridgeAlignMFP_XML", "CARTRIDGE_ALIGN_HP_INK_MFP_XML"},
    {stAddressBook, "stAddressBook", "USERBASEDADDRESSBOOK"},
};

} // namespace

int ElementTypeFromKeyword(const QString &keyword)
{
    if (keyword.isEmpty())
        return stUnnamed;
    for (const TypeEntry &entry : typeTable) {
        if (keyword == QLatin1String(entry.keyword))
            return entry.type;
    }
    return stUnknown;
}

const char *ElementTypeName(int type)
{
    for (const TypeEntry &entry : typeTable) {
        if (entry.type == type)
            return entry.name;
    }
    return "stUnknown";
}
