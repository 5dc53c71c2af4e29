#include "wizard/engine/profilevalues.h"

const WizardValue kWizardValues[kWizardValueCount] = {
#define VX_ROW(id, section, name, type, def, capacity, rule)                                                      \
    {section, name, ValueType::type, def, capacity, ValueRule::rule},
    VX_WIZARD_VALUES(VX_ROW)
#undef VX_ROW
};

WText SectionOf(WizardValueId id)
{
    return Widen(kWizardValues[id].section);
}
