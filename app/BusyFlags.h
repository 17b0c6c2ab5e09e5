// Busy flags of the application shell that keep the views from painting while a file is
// read, a project saved or the quit question asked, and that hold playback back until the
// views have painted. GUI thread only.
#pragma once

/// True while the configuration file or a project is being read.
extern bool GbGLLockForConfig;
/// True while a project is being saved through Save or the quit question is under way;
/// a second Save or Quit then does nothing.
extern bool GbGLLockForSaveOrQuit;
/// Set by the idle driver after a playback step; cleared by the next paint of any view.
extern bool GbRedrawPending;
