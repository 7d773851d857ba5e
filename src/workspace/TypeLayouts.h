// The traverse type buttons: the diagram file shown for each type and the layout of
// the known-point groups. Files are looked up in the host program's directory.
#pragma once

#include <string_view>

// "无定向.bmp", "单连接角.bmp", "闭合.bmp", "双连接角.bmp" for types 0..3; empty otherwise.
std::string_view DiagramFileName(int traverseType);

// Whether the type has an azimuth condition, and so an azimuth closure (closed and
// double-connection traverses).
bool HasAzimuthClosure(int traverseType);
