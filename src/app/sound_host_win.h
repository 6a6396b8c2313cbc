#pragma once
// What the sound channels call back in the rest of the program, wired to the features that
// answer each call.

namespace zentrava {

// Window thread, at creation, before the first sound.
void InstallSoundHost();

} // namespace zentrava
