#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

class ZRDrive;
class ZRModelDoc;

// Small steps shared by the Tarvik nodes.
namespace tarvik {

// A new, not yet shown document whose first view is a property view in a child frame of the main
// window (the window holds the frame); the document goes with its view.
ZRModelDoc* NewPropsDoc();
// The property view of a new document, which from here on goes with the view. Without such a view
// the document is deleted and the one-shot pane switches, which no view read, are set back.
ZRPropertiesView* TakePropsView(ZRModelDoc* document);
// Brings the node's window with this icon up (restored when minimized) with the focus on its view;
// the window's index, or -1 when the node has no such window.
int ActivatePropsWindow(ZRNodeMgr& node, unsigned short icon);
// Whether the object's device is there and on line.
bool IsOnLine(ZRObject* object);
// Whether a property view opened now for the object gets status and services panes: on line always,
// off line once the program's start-up is complete. When not, the next property view made is built
// without them; a caller that then makes none puts the switches back with ResetPaneSwitches.
bool PreparePanes(ZRObject* object);
// Sets the one-shot pane switches back, for when no view read them.
void ResetPaneSwitches();
// Appends a sub-group of the given members (null members are left out) and returns it.
ZRPropertyGroup& AddSubGroup(ZRPropertyGroup& parent, std::string name,
                             std::initializer_list<ZRAttribute*> members);

// Inserts an item with the text and image under the parent and hangs the node made for it there (the
// item holds it from here on) and sets it up; without a node the item goes again and the answer is null.
ZRNodeMgr* AddBlockNode(ZRWorkspaceView& tree, ZRTreeItem* parent, const char* text, int image,
                        const std::function<std::unique_ptr<ZRNodeMgr>(ZRTreeItem* item)>& make);

// How a node puts a question: the text and the message-box type in, the button pressed out.
using Ask = std::function<int(const std::string& text, unsigned type)>;
// Resets an on-line drive to its factory settings and restarts it once the user agrees; whatever
// was answered, the name is read again (it may have changed on the drive) unless the restart failed.
void FactoryReset(ZRDrive* drive, const Ask& ask);

} // namespace tarvik
