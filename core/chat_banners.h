#pragma once
// The start banner: sent once, from the main panel's load, when a chat room is open.
namespace core {
void SendStartBanner();
}
