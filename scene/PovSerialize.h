// Marker base of the classes that write POV-Ray scene text.
#pragma once

/// Empty mixin: no fields, no virtual operations.
class PovSerialize_cls {};
