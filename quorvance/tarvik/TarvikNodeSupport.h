#pragma once

#include <initializer_list>
#include <string>

class ZRAttribute;
class ZRModelDoc;
class ZRObject;
class ZRPropertyGroup;

// Small steps shared by the Tarvik block nodes.
namespace tarvik {

// A new, not yet shown document whose first view is a property view in a child frame of the main
// window (the window holds the frame); the document goes with its view.
ZRModelDoc* NewPropsDoc();
// Whether the object's device is there and on line.
bool IsOnLine(ZRObject* object);
// Appends a sub-group of the given members (null members are left out) and returns it.
ZRPropertyGroup& AddSubGroup(ZRPropertyGroup& parent, std::string name, std::initializer_list<ZRAttribute*> members);

} // namespace tarvik
