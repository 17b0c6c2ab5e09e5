// Sizes of controls from the toolkit's own measure. The program's layouts name pixel widths
// that were chosen for another platform's font; under GTK a control laid out narrower than
// it needs cuts its text, and one given less than its minimum makes GTK complain.
#pragma once

class wxWindow;

/// Raises the minimum size of every control below `top` (windows without child windows
/// that sit in a sizer) to the size the toolkit asks for now. A text field's height is left
/// as it is: the toolkit derives its wanted height from its current one. Returns whether
/// any minimum grew. GUI thread.
bool GrowToBestSizes(wxWindow* top);

/// GrowToBestSizes, then, when anything grew, lays `top` out again and makes it at least
/// as large as its sizer needs (a larger size the user chose stays). GUI thread.
void FitToBestSizes(wxWindow* top);
