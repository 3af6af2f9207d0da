#pragma once
// AudioToolbox's system sounds. Nothing is heard in the simulator: playing one is traced as "sound".
namespace platform {

class Process;

using SystemSoundID = unsigned;

void AudioServicesPlaySystemSound(Process& process, SystemSoundID soundID);

}  // namespace platform
