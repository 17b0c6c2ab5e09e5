// Lookup of key-framed parameters by registry name ("<group name> <label>"), through which
// undo commands find a filter's parameter again after the filter was deleted and re-created.
#pragma once

#include <string>

class Parameter_cls;

class ParamRegistry_cls {
public:
    virtual ~ParamRegistry_cls() = default;
    /// The parameter of a filter of the three lists with that registry name, or null.
    /// GUI thread only.
    virtual Parameter_cls* FindParamByName(const std::string& registryName) = 0;
};
