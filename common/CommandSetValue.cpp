// Value commands: one class, one held value per kind.
#include "common/CommandSetValue.h"

#include <utility>

CommandSetValue_cls::CommandSetValue_cls(int type, const wxString& n, uint64_t flags)
    : CommandItem_cls(COMMAND_PLAIN, n, flags), valueType(type) {}

CommandSetValue_cls::CommandSetValue_cls(float* t, float v, uint64_t flags)
    : CommandSetValue_cls(CVT_FLOAT, "float", flags) {
    target = t;
    floatValue = v;
}

CommandSetValue_cls::CommandSetValue_cls(double* t, double v, uint64_t flags)
    : CommandSetValue_cls(CVT_DOUBLE, "double", flags) {
    target = t;
    doubleValue = v;
}

CommandSetValue_cls::CommandSetValue_cls(int* t, int v, uint64_t flags)
    : CommandSetValue_cls(CVT_INT, "value", flags) {
    target = t;
    intValue = v;
}

CommandSetValue_cls::CommandSetValue_cls(unsigned int* t, unsigned int v, uint64_t flags)
    : CommandSetValue_cls(CVT_UINT, "uint", flags) {
    target = t;
    uintValue = v;
}

CommandSetValue_cls::CommandSetValue_cls(wxString* t, const wxString& v, uint64_t flags)
    : CommandSetValue_cls(CVT_STRING, "str", flags) {
    target = t;
    stringValue = v;
}

CommandSetValue_cls::CommandSetValue_cls(bool* t, bool v, uint64_t flags)
    : CommandSetValue_cls(CVT_BOOL, "bool", flags) {
    target = t;
    boolValue = v;
}

// A located command is the fixed-target one of the same kind with its target found at
// each run instead.
template <typename T, typename V>
CommandSetValue_cls* CommandSetValue_cls::Located(Locator locate, const V& v, uint64_t flags) {
    auto* c = new CommandSetValue_cls(static_cast<T*>(nullptr), v, flags);
    c->locate_ = std::move(locate);
    return c;
}

CommandSetValue_cls* CommandSetValue_cls::MakeLocated(Locator locate, float v, uint64_t flags) {
    return Located<float>(std::move(locate), v, flags);
}
CommandSetValue_cls* CommandSetValue_cls::MakeLocated(Locator locate, double v, uint64_t flags) {
    return Located<double>(std::move(locate), v, flags);
}
CommandSetValue_cls* CommandSetValue_cls::MakeLocated(Locator locate, int v, uint64_t flags) {
    return Located<int>(std::move(locate), v, flags);
}
CommandSetValue_cls* CommandSetValue_cls::MakeLocated(Locator locate, unsigned int v,
                                                      uint64_t flags) {
    return Located<unsigned int>(std::move(locate), v, flags);
}
CommandSetValue_cls* CommandSetValue_cls::MakeLocated(Locator locate, const wxString& v,
                                                      uint64_t flags) {
    return Located<wxString>(std::move(locate), v, flags);
}
CommandSetValue_cls* CommandSetValue_cls::MakeLocated(Locator locate, bool v, uint64_t flags) {
    return Located<bool>(std::move(locate), v, flags);
}

void CommandSetValue_cls::Execute(bool) {
    void* dest = target;
    if (locate_) dest = locate_();
    if (!dest) return;  // the located object is gone: nothing to change
    switch (valueType) {
        case CVT_FLOAT: *static_cast<float*>(dest) = floatValue; break;
        case CVT_DOUBLE: *static_cast<double*>(dest) = doubleValue; break;
        case CVT_INT: *static_cast<int*>(dest) = intValue; break;
        case CVT_UINT: *static_cast<unsigned int*>(dest) = uintValue; break;
        case CVT_STRING: *static_cast<wxString*>(dest) = stringValue; break;
        case CVT_BOOL: *static_cast<bool*>(dest) = boolValue; break;
        default: return;
    }
    if (updateFlags) Notify();
}
