#pragma once

class ZRDrive;
class ZRObject;

// Turning SERCOS operation of an on-line drive on and off, as the main window does it: after the
// drive's reset it is removed from the on-line root, deleted, and found again by a new scan in its
// new mode.
namespace tarvik {

// Refused while the drive is enabled; asks first.
void ActivateSercos(ZRDrive* drive);
// Asks first. The drive or its placeholder.
void DeactivateSercos(ZRObject* drive);
// Runs ActivateSercos or DeactivateSercos once the current event is over, as a command posted to the
// main window; a drive that has left the on-line root by then is left alone. Only a drive can be
// activated; a placeholder can only be deactivated.
void PostSercosSwitch(ZRObject* drive, bool activate);

} // namespace tarvik
