// Command ids of the main frame: its menu items and the internal command bus, on which any
// part of the program asks the frame for work by posting a menu-command event with one id.
// They sit below every subsystem, so a poster needs no include of the frame's side.
#pragma once

/// Ids handled by the main frame. Quit and About are the toolkit's stock ids.
constexpr int ID_QUIT = 5006;   ///< wxID_EXIT, File "Quit"
constexpr int ID_ABOUT = 5014;  ///< wxID_ABOUT, Help "About"

constexpr int ID_OPEN_PROJECT = 6000;
constexpr int ID_SAVE_PROJECT = 6001;
constexpr int ID_SAVE_PROJECT_AS = 6002;
constexpr int ID_LOAD_PARTICLE_DATA = 6003;
constexpr int ID_EXPORT_MENU = 6004;  ///< the Export submenu; no handler
constexpr int ID_EXPORT_PARTICLE_DATA = 6005;
constexpr int ID_EXPORT_PATH_CLIPBOARD = 6006;
constexpr int ID_SAVE_SNAPSHOT = 6007;
constexpr int ID_SAVE_IMAGE_SEQUENCE = 6008;
constexpr int ID_CLOSE_PARTICLE_DATA = 6009;
constexpr int ID_UNDO = 6011;
constexpr int ID_REDO = 6012;
constexpr int ID_MOVE_FRAME = 6013;
constexpr int ID_TIME_REMAP = 6014;
constexpr int ID_SCENE_CONFIG = 6015;
constexpr int ID_PREFERENCE = 6016;
/// Posted by the command history for its update bits.
constexpr int ID_REDRAW_VIEWS = 6017;
constexpr int ID_TIME_REFRESH = 6018;
constexpr int ID_ATTRIB_PAGES_REFRESH = 6020;
constexpr int ID_IMGSEQ_DIALOG_REFRESH = 6021;
constexpr int ID_CAMERA_DIALOG_REFRESH = 6022;
constexpr int ID_COLOR_DIALOG_REFRESH = 6023;
constexpr int ID_EXPORTER_DIALOG_REFRESH = 6024;
constexpr int ID_DRAW_PAGES_REFRESH = 6025;
constexpr int ID_LIGHT_DIALOG_REFRESH = 6026;
constexpr int ID_EXPOSURE_PAGE_REFRESH = 6027;
constexpr int ID_STEREO_DIALOG_REFRESH = 6028;
constexpr int ID_TEXTURE_DIALOG_REFRESH = 6029;
constexpr int ID_FILTERS_AT_TIME = 6061;
constexpr int ID_PAGES_RELAYOUT = 6063;
constexpr int ID_STATUS_REFRESH = 6019;
constexpr int ID_BOTTOM_RELAYOUT = 6030;
constexpr int ID_REMOVE_CACHE_MENU = 6031;  ///< the Remove Cache submenu; no handler
constexpr int ID_REMOVE_CACHE_SNAPSHOT = 6032;
constexpr int ID_REMOVE_CACHE_ALL = 6033;
constexpr int ID_FORWARD_KEY = 6034;
constexpr int ID_APPLY_VIEW_SETTINGS = 6035;
constexpr int ID_LAYOUT_1 = 6036;
constexpr int ID_LAYOUT_2V = 6037;
constexpr int ID_LAYOUT_2H = 6038;
constexpr int ID_LAYOUT_4A = 6039;
constexpr int ID_LAYOUT_4B = 6040;
constexpr int ID_EXTRA_PANEL = 6041;
constexpr int ID_PARAM_PANEL_REFRESH = 6042;
constexpr int ID_VIEW_CAMERA_CONFIG = 6043;
constexpr int ID_LIGHT_EDITOR = 6044;
constexpr int ID_COLOR_CURVE_EDITOR = 6045;
constexpr int ID_TEXTURE_EDITOR = 6046;
constexpr int ID_POVRAY_CONFIG = 6047;
constexpr int ID_STEREOGRAM_CONFIG = 6048;
constexpr int ID_PERIODIC_BOUNDARY = 6049;
constexpr int ID_DEBUG_UNLOCK = 6050;
constexpr int ID_DEBUG_SPECIAL = 6051;
constexpr int ID_ABOUT_OPENGL = 6052;
/// Posted by the time model when playback ends (the frame ends capture modes).
constexpr int ID_END_CAPTURE = 6053;
constexpr int ID_SET_CAMERA_KEY_POS = 6054;
constexpr int ID_SET_CAMERA_KEY_POSROT = 6055;
constexpr int ID_SET_ANCHOR_KEY = 6056;
constexpr int ID_IMGSEQ_PRECHECK = 6057;
constexpr int ID_START_EXPORT_RUN = 6058;
constexpr int ID_FILTER_ADD_MENU = 6060;
constexpr int ID_FILTER_CONTEXT_MENU = 6062;
constexpr int ID_FILTER_BOOL_MENU = 6064;  ///< the Bool submenu; no handler
constexpr int ID_ADD_BOOLEAN = 6065;
constexpr int ID_FILTER_OBJECT_MENU = 6066;  ///< the Object submenu; no handler
constexpr int ID_ADD_DATABOX = 6067;
constexpr int ID_FILTER_WORLD_MENU = 6068;  ///< the World submenu; no handler
constexpr int ID_ADD_OBJECT = 6069;
constexpr int ID_ADD_GRID = 6070;
constexpr int ID_ADD_FOG = 6071;
constexpr int ID_ADD_FILTERING = 6072;
constexpr int ID_ADD_COPYBOX = 6073;
constexpr int ID_ADD_STICK = 6074;
constexpr int ID_ADD_BG = 6075;
constexpr int ID_FILTER_DELETE = 6076;
constexpr int ID_FILTER_UP = 6077;
constexpr int ID_FILTER_DOWN = 6078;
constexpr int ID_POV_EXPORT_SNAPSHOT = 6082;
constexpr int ID_POV_EXPORT_ANIMATION = 6083;
constexpr int ID_POV_RENDER_SNAPSHOT = 6084;
constexpr int ID_POV_RENDER_ANIMATION = 6085;
