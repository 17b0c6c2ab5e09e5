// Parameters of the filter lists by registry name and by address.
#include "filters/FilterParamRegistry.h"

#include "filters/FilterCtrl.h"

Parameter_cls* FilterParamRegistry_cls::FindParamByName(const std::string& registryName) {
    for (int i = 0; i < 3; ++i)
        if (lists_[i])
            if (Parameter_cls* p = lists_[i]->FindParam(registryName)) return p;
    return nullptr;
}

std::string FilterParamRegistry_cls::AddressOf(const Parameter_cls& p) {
    for (int i = 0; i < 3; ++i)
        if (lists_[i]) {
            std::string address = lists_[i]->AddressOf(p);
            if (!address.empty()) return address;
        }
    return std::string();
}

Parameter_cls* FilterParamRegistry_cls::FindParamByAddress(const std::string& address) {
    for (int i = 0; i < 3; ++i)
        if (lists_[i])
            if (Parameter_cls* p = lists_[i]->FindByAddress(address)) return p;
    return nullptr;
}
