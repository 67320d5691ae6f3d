#pragma once
// The start banner: sent once, from the main panel's load, when a chat room is open.
namespace core {
void SendStartBanner();
// The exit banner, sent before the program ends when a chat room is open.
void SendExitBanner();
}  // namespace core
