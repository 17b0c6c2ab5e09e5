// The parameter registry over the three filter lists: the road by which undo commands
// find a filter's parameters and colour curves again after the filter was re-created.
#pragma once

#include <string>

#include "timeline/ParamRegistry.h"

class FilterCtrl_cls;

/// Looks through the lists `lists[0..2]` as they are when asked (an entry may be null).
/// The array is borrowed and must outlive the registry's use. GUI thread only.
class FilterParamRegistry_cls : public ParamRegistry_cls {
public:
    explicit FilterParamRegistry_cls(FilterCtrl_cls* const* lists) : lists_(lists) {}

    /// A component of a filter's parameter groups with that registry name, or null.
    Parameter_cls* FindParamByName(const std::string& registryName) override;
    /// The address of a component of a filter's parameter groups or colour curves, with
    /// its list ("" for anything else).
    std::string AddressOf(const Parameter_cls& p) override;
    Parameter_cls* FindParamByAddress(const std::string& address) override;

private:
    FilterCtrl_cls* const* lists_;
};
