// Numbered sound effects through a rotating pool of channels, at the master and sound levels.
#pragma once

namespace audio {

constexpr int kFirstPoolSlot = 20, kLastPoolSlot = 255, kJingleSlot = 256;
constexpr int kLastEffect = 200;

void PlaySfx(int id, float rate, float volume, float pan);
// The start-up jingle: BadgeSound on a new channel kept in slot 256, at the level product.
void PlayJingle();
// The music sample files, read into MusicSamples on every display set-up (never played).
void LoadMusicSamples();
// master x sound / 100 / 100: the two levels' integer product, then two float divisions.
float LevelVolume();

}  // namespace audio
