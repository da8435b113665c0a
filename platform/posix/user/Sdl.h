// SDL is started lazily and only for what is used: the image library and the message queue work
// without a display, and a process that never opens a window never touches the video system.
#pragma once

namespace zvx::platform::user {

// Whether the video system is up; tries once, on first use.
bool EnsureVideo();
// Whether the audio system is up; tries once, on first use.
bool EnsureAudio();

}  // namespace zvx::platform::user
