#pragma once

namespace hushpane::test {

class PrivateSession;

// Hands a session to GIO in this process: GIO reads HOME, the XDG directories and the bus from
// the environment once, so call it before anything asks GIO. GIO's session-bus connection
// raises SIGTERM in the process when its bus goes, and a session's bus goes with the test; it
// is kept for the life of the process with that turned off (GIO itself holds it only weakly:
// let go, the next use would open a new one that does raise it). False when GIO could not
// connect.
bool adoptSessionForGio(const PrivateSession& session);

}  // namespace hushpane::test
