// The undo commands of key-framed parameters: each stores one change of a parameter's keys
// or flags and applies it when the history runs it, in either direction.
#pragma once

#include "common/CommandItem.h"
#include "timeline/ParamKey.h"

#include <memory>
#include <string>
#include <vector>

class Parameter_cls;
class ParamRegistry_cls;

/// Common part: the target's registry name, update flags and how the target is found.
/// A target that the registry knows (a filter's parameter or colour curve, by address or
/// by registry name) is always looked up again when the command runs, and
/// a command whose parameter no longer exists does nothing. Other targets (lights, paths,
/// the time remap, the colour records of particle types and views) live as long as the
/// process and are reached through the stored pointer. GUI thread only.
class ComParamBase_cls : public CommandItem_cls {
public:
    /// Finds the target, applies the change, notifies the update flags, counts the change.
    void Execute(bool undo) override;

    /// The lookup of filter parameters by registry name (the central object); null = none.
    /// Not owned; set by the shell at start-up and cleared before it dies.
    static void SetRegistry(ParamRegistry_cls* registry);
    static ParamRegistry_cls* Registry();

    /// The parameter the command would change now, or null.
    Parameter_cls* ResolveTarget() const;

protected:
    ComParamBase_cls(Parameter_cls* target, const char* name);
    virtual void Apply(Parameter_cls& p) = 0;

private:
    Parameter_cls* target_;
    std::string address_;  ///< the registry's address of the target ("": none)
    bool byName_ = false;  ///< else: the registry knew the target's name at construction
};

/// Replaces all keys by one HERMITE (AUTO) key (time, value).
class ComParamClearKey_cls : public ComParamBase_cls {
public:
    ComParamClearKey_cls(Parameter_cls* target, double value, double time);
protected:
    void Apply(Parameter_cls& p) override;
private:
    double value_, time_;
};

/// Removes key `index` (-1: no change, but still notifies and counts).
class ComParamDelKey_cls : public ComParamBase_cls {
public:
    ComParamDelKey_cls(Parameter_cls* target, int index);
protected:
    void Apply(Parameter_cls& p) override;
private:
    int index_;
};

/// Gives the target the keys, settings values, update flags and cachedValue of a snapshot
/// (of `source`, or of the target itself when source is null); names stay.
class ComParamMemento_cls : public ComParamBase_cls {
public:
    ComParamMemento_cls(Parameter_cls* target, const Parameter_cls* source);
    ~ComParamMemento_cls() override;
protected:
    void Apply(Parameter_cls& p) override;
private:
    std::unique_ptr<Parameter_cls> snapshot_;
};

/// Moves the first key lying at `from` (width eps) to `to`.
class ComParamMoveKey_cls : public ComParamBase_cls {
public:
    ComParamMoveKey_cls(Parameter_cls* target, double from, double to, double eps);
protected:
    void Apply(Parameter_cls& p) override;
private:
    double from_, to_, eps_;
};

/// Overwrites key `index` with a stored key (selected byte included).
class ComParamOvwtKeyC_cls : public ComParamBase_cls {
public:
    ComParamOvwtKeyC_cls(Parameter_cls* target, int index, const ParamKey_cls& key);
protected:
    void Apply(Parameter_cls& p) override;
private:
    int index_;
    ParamKey_cls key_;
};

/// Appends a stored key.
class ComParamSetKeyC_cls : public ComParamBase_cls {
public:
    ComParamSetKeyC_cls(Parameter_cls* target, const ParamKey_cls& key);
protected:
    void Apply(Parameter_cls& p) override;
private:
    ParamKey_cls key_;
};

/// Sets the types of several keys.
class ComParamSetKeyTypeMulti_cls : public ComParamBase_cls {
public:
    ComParamSetKeyTypeMulti_cls(Parameter_cls* target, std::vector<int> indices,
                                std::vector<int> types);
protected:
    void Apply(Parameter_cls& p) override;
private:
    std::vector<int> indices_, types_;
};

/// Sets the type of one key.
class ComParamSetKeyType_cls : public ComParamBase_cls {
public:
    ComParamSetKeyType_cls(Parameter_cls* target, int index, int type);
protected:
    void Apply(Parameter_cls& p) override;
private:
    int index_, type_;
};

/// Appends a key (time, value, tangent, ease, type), not selected.
class ComParamSetKey_cls : public ComParamBase_cls {
public:
    ComParamSetKey_cls(Parameter_cls* target, double time, double value, double tangent,
                       double ease, int type);
protected:
    void Apply(Parameter_cls& p) override;
private:
    double time_, value_, tangent_, ease_;
    int type_;
};

/// Sets "timeDepend="; reports UPD_TIME as well, and shows the flag in the target's row
/// toggle at construction.
class ComParamSetTimeDependent_cls : public ComParamBase_cls {
public:
    ComParamSetTimeDependent_cls(Parameter_cls* target, bool flag);
protected:
    void Apply(Parameter_cls& p) override;
private:
    bool flag_;
};
