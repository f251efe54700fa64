#pragma once

// Whether the system reports a network connection (the system's
// NetCheckMacAttachNet). The system's network information (NetworkManager
// where it runs) answers when it knows; otherwise any interface other than
// loopback that is up and has an address counts as a connection. An update
// server on this machine (PELQUOR_UPDATE_SERVER on a loopback address)
// needs no outside network, so it counts as reachable too.
bool NetCheckMacAttachNet();
