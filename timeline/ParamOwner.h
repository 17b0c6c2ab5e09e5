// The object a parameter group animates, as the group sees it: its pick id, the
// selected and dragged bytes and its visibility. The scene object base derives from it.
#pragma once

class ParamOwner_cls {
public:
    virtual ~ParamOwner_cls() = default;
    /// Pick id of the object (0 camera path, 1 anchor, 10.. lights, 20.. filters).
    virtual int GetOwnerPickId() const = 0;
    /// The object's selected byte.
    virtual bool IsOwnerSelected() const = 0;
    virtual void SetOwnerSelected(bool selected) = 0;
    /// Clears the object's dragged byte.
    virtual void ClearOwnerDragged() = 0;
    /// Stores the object's "Visible=" value (the header's eye button). Objects without
    /// such a setting ignore it.
    virtual void SetOwnerVisible(bool visible) { (void)visible; }
};
