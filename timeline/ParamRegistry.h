// Lookup of key-framed parameters by registry name ("<group name> <label>") or by address,
// through which undo commands find a filter's parameter again after the filter was deleted
// and re-created.
#pragma once

#include <string>

class Parameter_cls;

class ParamRegistry_cls {
public:
    virtual ~ParamRegistry_cls() = default;
    /// The parameter of a filter of the three lists with that registry name, or null.
    /// GUI thread only.
    virtual Parameter_cls* FindParamByName(const std::string& registryName) = 0;
    /// For a parameter of a filter, an address that finds it again through
    /// FindParamByAddress even where its registry name is not unique (filters of different
    /// lists may share a name; a colour curve is named after its record alone): its list
    /// and registry name, or its list, filter, record and component. "" for any other
    /// parameter, which the command then looks up by name. GUI thread only.
    virtual std::string AddressOf(const Parameter_cls& /*p*/) { return std::string(); }
    /// The parameter at `address` now, or null when its filter or record is gone.
    virtual Parameter_cls* FindParamByAddress(const std::string& /*address*/) { return nullptr; }
};
