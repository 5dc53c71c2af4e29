// The 3270's part of the Setup dialog: the Attributes page edits the VT elements, and
// offers "Attributes use Normal B&G" (the 3270's unhighlighted fields take the normal
// colours when it is set).
#include "terminal/emulations/ibmhost/3270/setup3270.h"

#include "terminal/emulations/ibmhost/3270/keys3270.h"
#include "terminal/settings/setup/attributelists.h"

namespace {
const AttributeElementList* AttributeList(u8)
{
    // Built on first use: the VT list lives in another unit, so no static copy at start.
    static const AttributeElementList list = [] {
        AttributeElementList l = kVtAttributeList;
        l.normalBackground = true;
        return l;
    }();
    return &list;
}
}  // namespace

const FamilySetup Ibm3270Setup{
    .attributeList = AttributeList,
    .hostKeyNames = {kI3270FirstKeyName, kI3270LastKeyName},
};
