#include "wizard/engine/names.h"

NameProblem CheckConnectionName(const WText& name)
{
    if (name.empty())
        return NameProblem::Empty;
    if (name.size() > kConnectionNameChars)
        return NameProblem::TooLong;
    if (name.find_first_of(VXT("\\/\"")) != WText::npos)
        return NameProblem::Separator;
    if (name.find(VXT(" -")) != WText::npos)
        return NameProblem::Switch;
    return NameProblem::None;
}
