#include "mixer_player.h"

#include "audio_device.h"
#include "paths.h"

namespace lmn::sound {

namespace {

int FirstChannel(int group) {
    return group * kChannelsPerGroup;
}

}  // namespace

MixerPlayer::MixerPlayer(std::string programDir, RunLater runLater)
    : programDir_(std::move(programDir)), runLater_(std::move(runLater)) {}

MixerPlayer::~MixerPlayer() {
    if (!outputOpen_) return;
    sdl_->Mix_HaltChannel(-1);
    for (int channel = 0; channel < static_cast<int>(chunks_.size()); ++channel) Release(channel);
    CloseAudioDevice(*sdl_);
}

bool MixerPlayer::OpenOutput() {
    if (outputOpen_) return true;
    sdl_ = SdlMixer();
    if (!sdl_ || !OpenAudioDevice(*sdl_)) return false;
    outputOpen_ = true;
    // Closing the output forgets the channels; every opening sets them up afresh.
    sdl_->Mix_AllocateChannels(3 * kChannelsPerGroup);
    for (int group : {kMusic, kVoice, kEffect})
        sdl_->Mix_GroupChannels(FirstChannel(group), FirstChannel(group) + kChannelsPerGroup - 1, group);
    return true;
}

void MixerPlayer::ScheduleSilenceCheck() {
    if (!runLater_ || checkPending_) return;
    checkPending_ = true;
    runLater_(kSilentCloseMs, [this] { OnSilenceCheck(); });
}

void MixerPlayer::OnSilenceCheck() {
    checkPending_ = false;
    if (!outputOpen_) return;
    if (sdl_->Mix_Playing(-1) > 0) {
        ScheduleSilenceCheck();
        return;
    }
    for (int channel = 0; channel < static_cast<int>(chunks_.size()); ++channel) Release(channel);
    CloseAudioDevice(*sdl_);
    outputOpen_ = false;
}

void MixerPlayer::StartMusic() {
    StopMusic();
    Play(kMusic, kMusicFile, -1);
}

void MixerPlayer::StopMusic() {
    if (!outputOpen_) return;
    sdl_->Mix_HaltGroup(kMusic);
    ReleaseFinished(kMusic);
}

void MixerPlayer::PlayVoice(const std::string& name) {
    Play(kVoice, name, 0);
}

void MixerPlayer::PlayEffect(const std::string& name) {
    Play(kEffect, name, 0);
}

int MixerPlayer::HeldSounds() const {
    int held = 0;
    for (Mix_Chunk* chunk : chunks_) held += chunk != nullptr;
    return held;
}

void MixerPlayer::Play(Group group, const std::string& name, int loops) {
    if (!open_) return;
    if (!OpenOutput()) {
        open_ = false;
        return;
    }
    ScheduleSilenceCheck();
    ReleaseFinished(group);
    Mix_Chunk* chunk = sdl_->Mix_LoadWAV(NativePath(FullPath(programDir_, name)).c_str());
    if (!chunk) return;
    int channel = sdl_->Mix_GroupAvailable(group);
    if (channel < 0) {
        channel = sdl_->Mix_GroupOldest(group);
        sdl_->Mix_HaltChannel(channel);
        Release(channel);
    }
    if (sdl_->Mix_PlayChannel(channel, chunk, loops) < 0) {
        sdl_->Mix_FreeChunk(chunk);
        return;
    }
    chunks_[static_cast<size_t>(channel)] = chunk;
}

void MixerPlayer::ReleaseFinished(Group group) {
    for (int channel = FirstChannel(group); channel < FirstChannel(group) + kChannelsPerGroup; ++channel)
        if (!sdl_->Mix_Playing(channel)) Release(channel);
}

void MixerPlayer::Release(int channel) {
    Mix_Chunk*& chunk = chunks_[static_cast<size_t>(channel)];
    if (!chunk) return;
    sdl_->Mix_FreeChunk(chunk);
    chunk = nullptr;
}

}  // namespace lmn::sound
