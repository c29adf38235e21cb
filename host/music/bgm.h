// The music module: MCI command strings for an MP3 file and the audio CD, and a WAV file looped by
// PlaySound. Procedures without arguments work on the music settings of music_settings.h (BgmFile,
// BgmRepeat) and store the results nobody acts on in Lumenfall_B::ApiResult.
//
// Text: commands carry BgmFile as the system's ANSI bytes. Replies are the system's texts; the two
// replies this module makes itself (an empty command, an error without description) are texts of
// the source (UTF-8). No reply is ever shown.
#pragma once

#include <cstdint>
#include <string>

#include "media.h"

namespace Lumenfall_BGM {

// True while the CD is worth polling; CD_Check sets it, the running saver copies it into its timer.
extern bool CdPolling;

// Sends command; reply receives the reply or the error's description. 0 on success, the MCI error
// otherwise, -1 for an empty command (nothing is sent).
int32_t MciSendCommand(const std::string& command, std::string& reply);
// The reply to command, or "Error:" followed by the error code.
std::string MciQuery(const std::string& command);

void MP3_Play();         // opens BgmFile as "MP3Play" and plays it
bool MP3_IsPlaying();    // the status begins with "playing"
void MP3_Replay();       // plays it again from the start once it has stopped
void MP3_Stop();         // stops and closes it
void WAV_Play();         // loops BgmFile (nothing without a wave output device)
void WAV_Stop();         // stops the looping sound

void CD_Open();          // opens "cdaudio" in the tmsf time format
void CD_Check();         // starts or keeps the CD playing, repeating track BgmRepeat when not 0
int32_t CD_Play(const std::string& device, const std::string& from, const std::string& to);
void CD_Stop();          // stops and closes "cdaudio"

}  // namespace Lumenfall_BGM
