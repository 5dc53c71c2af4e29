#include "terminal/emulations/families.h"

#include "terminal/core/base/family.h"
#include "terminal/emulations/dec/family.h"
#include "terminal/emulations/dg/family.h"
#include "terminal/emulations/hp700/family.h"
#include "terminal/emulations/ibm3151/family.h"
#include "terminal/emulations/ibmhost/3270/family3270.h"
#include "terminal/emulations/ibmhost/5250/family5250.h"
#include "terminal/emulations/ta6530/family.h"
#include "terminal/emulations/tvi/family.h"
#include "terminal/emulations/wyse/family.h"

namespace {

const FamilyHooks* const kBuiltFamilies[] = {
    &DecFamily, &Ibm3270Family, &Ibm5250Family, &AnsiConsoleFamily, &AixtermFamily, &Ta6530Family,
    &DgFamily,  &WyseFamily,    &Ibm3151Family, &TviFamily,         &Hp700Family,
};

// The program and every test program link this list, so the families are registered
// before anything runs.
const bool kRegistered = (RegisterBuiltFamilies(), true);

}  // namespace

void RegisterBuiltFamilies()
{
    for (const FamilyHooks* family : kBuiltFamilies)
        RegisterFamily(family);
}
