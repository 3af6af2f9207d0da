#pragma once
// Which phone the shell runs on: the notched models get their own status bar handling.
#include <array>
#include <string>
#include <string_view>

namespace platform {
class Process;
}

namespace tarvo {

// The model identifiers the model test accepts, in the order it tries them.
inline constexpr auto kNotchedModels =
    std::to_array<std::string_view>({"iPhone10,3", "iPhone10,6", "iPhone11,8", "iPhone11,2", "iPhone11,6"});

// The device's model identifier (uname's machine field), read afresh on every call.
std::string deviceName(platform::Process& process);

// Compares the model identifier with each notched model in turn, exactly and case-sensitively, asking
// for it again each time. The first match sets the flag and ends the test; no match leaves it as it was.
// It reads no settings: it runs whether or not the HUD is enabled.
void runModelTest(platform::Process& process, bool& isIPhoneX);

}  // namespace tarvo
