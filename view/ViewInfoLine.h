// The two info lines a view draws at its top left: frame time, particle count, paint time,
// pick hit and selected object; video memory, info-pass counter and undo block depth.
#pragma once

#include <cstdint>
#include <string>

/// The values of one info pass. Plain data; any thread.
struct ViewInfoLine_cls {
    double frameTime = 0;        ///< time of the current data frame
    long long particles = 0;     ///< particles of the current data frame
    long long copies = 1;        ///< copies made by list 2's Copy filter; 1 without one
    long paintMs = 0;            ///< the paint's stopwatch reading
    int hit0 = -1, hit1 = -1;    ///< first and second name of the first pick hit; -1 none
    long long selected = 0;      ///< the selected scene object as an integer (0: none)
    double pointX = 0, pointY = 0;  ///< the mouse position in the view (window pixels)
    int gmem0 = 10, gmem1 = 10;  ///< total and available video memory (10: not known)
    int count = 0;               ///< info passes drawn by the view before this one
    int blockDepth = 0;          ///< open undo blocks

    /// "Time=<%g>:PNum=<c>*<m>[=<c x m>]:MilliSec<ms>:Hitting<h0>+<h1>:Object<id>pointXY=<x>,<y>";
    /// the product only when m is not 1. Numbers in the "C" form.
    std::string Line1() const;
    /// "GMem0 = <g0> GMem1 = <g1> Count = <n> UDBlock = <d>".
    std::string Line2() const;
};
